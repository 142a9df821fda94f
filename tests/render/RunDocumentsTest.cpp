// The files a run makes beside its pages: the PDF of its sheets and the order sheet, through whole
// runs of the job: page order, each page file's own bytes in the PDF, presses that add
// pages, atomic rewrites, kept files, stops, failures, web runs and folders being listed.
#include "layout/SheetLayout.h"
#include "render/PageRenderer.h"
#include "render/SheetJob.h"

#include "PdfTools.h"
#include "RunRecorder.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

using Recorder = test::RunRecorder; // English messages

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The JPEG streams embedded in a PDF of ours, in file order.
QList<QByteArray> PdfImages(const QByteArray& pdf) {
    QList<QByteArray> images;
    const QByteArray marker = "/Filter /DCTDecode /Length ";
    for (qsizetype at = pdf.indexOf(marker); at >= 0; at = pdf.indexOf(marker, at + 1)) {
        const qsizetype number = at + marker.size();
        const qsizetype length = pdf.mid(number, 20).split(' ').first().toLongLong();
        const qsizetype data = pdf.indexOf("stream\n", at) + 7;
        images << pdf.mid(data, length);
    }
    return images;
}

// The rows of an order sheet without its byte-order mark and title row.
QStringList Rows(const QString& path) {
    QByteArray bytes = Read(path);
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << path.toStdString();
    QStringList rows = QString::fromUtf8(bytes.mid(3)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(rows.takeFirst(), "No,Page,File,Date,Folder");
    EXPECT_EQ(rows.takeLast(), "");
    return rows;
}

ino_t Inode(const QString& path) {
    struct stat st {};
    ::stat(path.toLocal8Bit().constData(), &st);
    return st.st_ino;
}

class RunDocuments : public ::testing::Test {
  protected:
    void SetUp() override {
        layout = layout::DefaultSheetLayout(false);
        layout.width = 300;
        layout.height = 220;
        layout.dpi = 100;
        layout.left_margin = layout.right_margin = layout.top_margin = layout.bottom_margin = 20;
        layout.photo_col = layout.photo_row = 2;
        layout.photo_ct = 4;
        layout.photo_width = 100;
        layout.photo_height = 80;
        layout.disp_numer = false;
        settings.japanese = false;
        settings.saveFolder = LocalPath::FromText(Q(dir / "save"));
        settings.photoFolder = LocalPath::FromText(Q(dir / "photos"));
        settings.stampFolder = false;
        settings.makePdf = true;
        settings.orderSheet = true;
        settings.orderSheetColumns = {"No", "Page", "File", "Date", "Folder"};
        rec.job = &job;
        job.decoding.workers = 0;
    }
    void AddPhotos(int count, const QString& folder = {}) {
        const QString into = folder.isEmpty() ? settings.photoFolder.text() : folder;
        QDir().mkpath(into);
        for (int i = 0; i < count; ++i) {
            const QString name = QStringLiteral("p%1.png").arg(i + 1, 2, 10, QLatin1Char('0'));
            QImage img(200, 160, QImage::Format_ARGB32);
            img.fill(qRgb(20 * i, 90, 200));
            ASSERT_TRUE(img.save(into + "/" + name));
            settings.photos.append(PhotoEntry{i + 1, name, QStringLiteral("2017/03/%1 ").arg(i + 1),
                                              LocalPath::FromText(into + "/")});
        }
    }
    QString Output() const { return Q(dir / "save/IndexSheetFolder"); }
    QString Pdf() const { return Output() + "/index.pdf"; }
    QString Csv() const { return Output() + "/index.csv"; }

    TempDir dir;
    SheetRunSettings settings;
    SheetJob job;
    Recorder rec;
    layout::SheetLayout layout;
};

// One continuous run: three sheets, the PDF showing each page file's own bytes in order, and a
// row for each photo with the number it has on its sheet.
TEST_F(RunDocuments, AContinuousRunMakesThePdfAndOrderSheetOfItsPages) {
    AddPhotos(10);
    settings.continuous = true;
    settings.fullResolution = true;
    settings.numberOffset = "100";
    ASSERT_EQ(job.press(&layout, settings, rec), 4);
    EXPECT_EQ(rec.written, (QStringList{"page0001.jpg", "page0002.jpg", "page0003.jpg"}));
    EXPECT_EQ(rec.pdfs, QStringList{Pdf()});
    EXPECT_EQ(rec.messages, QStringList{"Created the sheet."});
    const QList<QByteArray> images = PdfImages(Read(Pdf()));
    ASSERT_EQ(images.size(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(images[i], Read(Output() + QStringLiteral("/page000%1.jpg").arg(i + 1))) << i;
    const QStringList rows = Rows(Csv());
    ASSERT_EQ(rows.size(), 10);
    const QString folder = settings.photoFolder.text() + "/";
    EXPECT_EQ(rows[0], "101,page0001.jpg,p01.png,2017/03/1 ," + folder);
    EXPECT_EQ(rows[3], "104,page0001.jpg,p04.png,2017/03/4 ," + folder);
    EXPECT_EQ(rows[4], "105,page0002.jpg,p05.png,2017/03/5 ," + folder);
    EXPECT_EQ(rows[9], "110,page0003.jpg,p10.png,2017/03/10 ," + folder);
}

// One page a press: each press rewrites both files whole under their names (a new file each
// time, never one half-written), holding every page of the run so far.
TEST_F(RunDocuments, EachPressOfAPerPressRunAddsItsPage) {
    AddPhotos(10);
    const struct {
        int pages;
        int rows;
    } presses[] = {{1, 4}, {2, 8}, {3, 10}};
    ino_t pdfBefore = 0, csvBefore = 0;
    for (const auto& p : presses) {
        ASSERT_GT(job.press(&layout, settings, rec), 0) << p.pages;
        const QList<QByteArray> images = PdfImages(Read(Pdf()));
        ASSERT_EQ(images.size(), p.pages);
        EXPECT_EQ(Rows(Csv()).size(), p.rows);
        EXPECT_EQ(rec.pdfs.size(), p.pages);
        EXPECT_NE(Inode(Pdf()), pdfBefore) << p.pages;
        EXPECT_NE(Inode(Csv()), csvBefore) << p.pages;
        pdfBefore = Inode(Pdf());
        csvBefore = Inode(Csv());
        // No temporary or scratch file is left in the folder.
        EXPECT_EQ(QDir(Output()).entryList(QDir::Files | QDir::Hidden).filter(".quorvane-"),
                  QStringList{})
            << p.pages;
    }
    EXPECT_FALSE(job.continuationPending());
    const QList<QByteArray> images = PdfImages(Read(Pdf()));
    const QRgb first = QImage::fromData(images[2]).pixel(70, 60); // photo 9 opens page 3
    EXPECT_NEAR(qRed(first), 160, 3);
    EXPECT_NEAR(qBlue(first), 200, 3);
    if (const std::string missing = test::PdfToolsMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    EXPECT_EQ(test::ReadPdf(Pdf().toStdString())->pages, 3);
}

// A stop leaves the PDF and the order sheet of the pages written before it.
TEST_F(RunDocuments, AStoppedRunDocumentsThePagesItWrote) {
    AddPhotos(10);
    settings.continuous = true;
    rec.stopAfterYields = 7; // while page 2 is being filled
    EXPECT_EQ(job.press(&layout, settings, rec), kRenderStopped);
    EXPECT_EQ(rec.written, QStringList{"page0001.jpg"});
    EXPECT_EQ(PdfImages(Read(Pdf())).size(), 1);
    EXPECT_EQ(Rows(Csv()).size(), 4);
}

// "既存のファイルは上書きしない" keeps a PDF and an order sheet found in the folder, and says so;
// the run makes none. Without it both are replaced.
TEST_F(RunDocuments, ExistingFilesAreKeptOnlyWhenAsked) {
    AddPhotos(2);
    settings.continuous = true;
    QDir().mkpath(Output());
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "kept" : "replaced");
        test::WriteFile(Pdf().toStdString(), "another run's pdf");
        test::WriteFile(Csv().toStdString(), "another run's list");
        rec.messages.clear();
        rec.pdfs.clear();
        settings.keepExisting = keep;
        ASSERT_EQ(job.press(&layout, settings, rec), 2);
        if (keep) {
            EXPECT_EQ(rec.messages, (QStringList{"Already in the folder, so not overwritten:\n" +
                                                     Pdf() + "\n" + Csv(),
                                                 "Created the sheet."}));
            EXPECT_EQ(Read(Pdf()), "another run's pdf");
            EXPECT_EQ(Read(Csv()), "another run's list");
            EXPECT_TRUE(rec.pdfs.isEmpty());
        } else {
            EXPECT_EQ(rec.messages, QStringList{"Created the sheet."});
            EXPECT_EQ(PdfImages(Read(Pdf())).size(), 1);
            EXPECT_EQ(Rows(Csv()).size(), 2);
        }
    }
}

// A PDF that cannot be written fails the run after its pages, naming the file and the reason.
TEST_F(RunDocuments, APdfThatCannotBeWrittenFailsTheRun) {
    AddPhotos(2);
    settings.continuous = true;
    QDir().mkpath(Pdf()); // a folder in its place
    EXPECT_EQ(job.press(&layout, settings, rec), kRenderMemoryOrImage);
    EXPECT_EQ(rec.written, QStringList{"page0001.jpg"});
    EXPECT_EQ(rec.messages, QStringList{"Could not write the PDF.\n" + Pdf() +
                                        "\nA folder of that name is in the way."});
    EXPECT_EQ(Rows(Csv()).size(), 2); // the order sheet is written all the same
    EXPECT_FALSE(job.busy());
}

// Web exhibition runs write images, not sheets: no PDF, no order sheet, and a printer gets
// nothing.
TEST_F(RunDocuments, WebRunsMakeNeitherFile) {
    layout.for_web = true;
    layout.web_thumb_width = 40;
    AddPhotos(3);
    settings.continuous = true;
    struct Counting : PageSink {
        int pages = 0;
        std::optional<text::Problem> take(FinishedPage&) override {
            ++pages;
            return std::nullopt;
        }
    } printer;
    ASSERT_GT(job.press(&layout, settings, rec, &printer), 0);
    const QString web = Q(dir / "save/Ｗｅｂ用フォルダ");
    EXPECT_EQ(QDir(web).entryList(QDir::Files, QDir::Name),
              (QStringList{"p01.jpg", "p02.jpg", "p03.jpg"}));
    EXPECT_EQ(printer.pages, 0);
}

// The output folder is the photos' own folder (being listed): the pages and the asked-for PDF go
// there, the order sheet does not.
TEST_F(RunDocuments, AFolderBeingListedGetsNoOrderSheet) {
    AddPhotos(2, Output());
    settings.photoFolder = LocalPath::FromText(Output());
    settings.continuous = true;
    ASSERT_EQ(job.press(&layout, settings, rec), 2);
    EXPECT_TRUE(QFile::exists(Output() + "/page0001.jpg"));
    EXPECT_TRUE(QFile::exists(Pdf()));
    EXPECT_FALSE(QFile::exists(Csv()));
}

} // namespace
