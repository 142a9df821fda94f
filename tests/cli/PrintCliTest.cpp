// sheets --pdf, --print and --copies: the PDF's path after the page lines, what pdfinfo and
// pdfimages make of it, the order sheet, refused arguments, and two sheets printed for real
// through a CUPS-PDF queue (skipped where none is set up: scripts/print-queue.sh).
#include "PdfTools.h"
#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace fs = std::filesystem;
using quorvane::test::RunCli;
using quorvane::test::TempDir;

namespace {

// An A6 landscape page at 100 dpi (583 x 413 pixels, 148.1 x 104.9 mm), four photos a page.
constexpr char kLayout[] = "[PAPER]\ndpi=100\nwidth=583\nheight=413\nleft_margin=20\n"
                           "right_margin=20\ntop_margin=20\nbottom_margin=20\n[PHOTO]\n"
                           "photo_ct=4\nphoto_col=2\nphoto_row=2\nphoto_width=250\n"
                           "photo_height=170\n[INPUT]\nCHECKBOX7=1\n";

class PrintCli : public ::testing::Test {
  protected:
    void SetUp() override {
        quorvane::test::WriteFile(dir / "layout.ini", kLayout);
        fs::create_directories(dir / "photos");
        for (int i = 1; i <= 6; ++i) {
            QImage photo(400, 300, QImage::Format_RGB32);
            photo.fill(qRgb(40 * i, 120, 200));
            photo.save(
                QString::fromStdString((dir / ("photos/p" + std::to_string(i) + ".png")).string()));
        }
    }
    quorvane::test::ProgramRun Sheets(std::vector<std::string> more) {
        std::vector<std::string> args{"sheets",
                                      "--source",
                                      (dir / "photos").string(),
                                      "--dest",
                                      (dir / "out").string(),
                                      "--layout",
                                      (dir / "layout.ini").string(),
                                      "--no-stamp-folder",
                                      "--en"};
        args.insert(args.end(), more.begin(), more.end());
        return RunCli(args, dir / "config");
    }
    std::string Output() const { return (dir / "out/IndexSheetFolder").string(); }
    TempDir dir;
};

TEST_F(PrintCli, TheHelpSaysHowToMakeAPdfAndPrint) {
    const auto run = RunCli({"sheets", "--help"}, dir / "config");
    ASSERT_EQ(run.exitCode, 0);
    for (const char* word :
         {"--pdf", "index.pdf", "--print QUEUE", "\"default\"", "--copies N", "index.csv", "100 %"})
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
}

TEST_F(PrintCli, ThePdfsPathFollowsThePageLines) {
    const auto run = Sheets({"--pdf"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string folder = Output();
    EXPECT_EQ(run.out, folder + "\n" + folder + "/page0001.jpg\n" + folder + "/page0002.jpg\n" +
                           folder + "/index.pdf\n");
    EXPECT_EQ(run.err, "Created the sheet.\n");
    // The order sheet is written by every run, its titles in the run's language.
    const std::string csv = quorvane::test::ReadFile(folder + "/index.csv");
    EXPECT_EQ(csv.substr(0, 44), "\xEF\xBB\xBFNo.,Page,File name,Shooting date,Folder\r\n");
    EXPECT_NE(csv.find("\r\n6,page0002.jpg,p6.png,"), std::string::npos) << csv;
    if (const std::string missing = quorvane::test::PdfToolsMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    const auto report = quorvane::test::ReadPdf(folder + "/index.pdf");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->pages, 2);
    ASSERT_EQ(report->images.size(), 2u);
    for (int i = 0; i < 2; ++i) {
        EXPECT_NEAR(report->mediaBoxes.at(i).first, 419.76, 0.005); // 583 / 100 * 72
        EXPECT_NEAR(report->mediaBoxes.at(i).second, 297.36, 0.005);
        EXPECT_EQ(report->images[i].width, 583);
        EXPECT_EQ(report->images[i].height, 413);
        EXPECT_EQ(report->images[i].xPpi, 100);
        EXPECT_EQ(report->images[i].encoding, "jpeg");
    }
}

TEST_F(PrintCli, PrintingArgumentsAreCheckedBeforeAnythingIsMade) {
    const struct {
        std::vector<std::string> args;
        int exitCode;
        const char* said;
    } cases[] = {
        {{"--copies", "2"}, 2, "--copies needs --print"},
        {{"--print", "anything", "--copies", "0"}, 2, "--copies"},
        {{"--print"}, 2, "--print"},
        {{"--print", "no-such-queue-here"}, 1, "There is no printer named: no-such-queue-here\n"},
    };
    for (const auto& c : cases) {
        const auto run = Sheets(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.said;
        EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(dir / "out")) << c.said;
    }
}

// The queue that scripts/print-queue.sh makes (or $QUORVANE_TEST_PRINTER), writing its PDFs into
// the PDF folder in the printing user's home as the system knows it, whatever $HOME says (or into
// $QUORVANE_TEST_PRINT_OUT).
TEST_F(PrintCli, TwoSheetsPrintedThroughACupsPdfQueue) {
    const QString queue = qEnvironmentVariable("QUORVANE_TEST_PRINTER", "QuorvaneTestPdf");
    QProcess lpstat;
    lpstat.start("lpstat", {"-p", queue});
    if (!lpstat.waitForFinished(10000) || lpstat.exitCode() != 0)
        GTEST_SKIP() << "no CUPS queue " << queue.toStdString()
                     << " (scripts/print-queue.sh makes one where cupsd can start)";
    if (const std::string missing = quorvane::test::PdfToolsMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    const passwd* user = ::getpwuid(::getuid());
    const QString home = user ? QString::fromLocal8Bit(user->pw_dir) : QDir::homePath();
    const QDir out(qEnvironmentVariable("QUORVANE_TEST_PRINT_OUT", home + "/PDF"));
    const QStringList before = out.entryList({"*.pdf"}, QDir::Files);

    const auto run = Sheets({"--print", queue.toStdString()});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "Created the sheet.\n");

    // The queue writes its PDF once the job has gone through CUPS's filters.
    std::optional<quorvane::test::PdfReport> printed;
    QString file;
    QElapsedTimer clock;
    clock.start();
    while (!printed && clock.elapsed() < 120000) {
        QThread::msleep(500);
        for (const QString& name : out.entryList({"*.pdf"}, QDir::Files)) {
            if (before.contains(name))
                continue;
            file = out.filePath(name);
            printed = quorvane::test::ReadPdf(file.toStdString());
            if (printed && printed->pages < 2)
                printed.reset(); // still being written
        }
    }
    ASSERT_TRUE(printed) << "no PDF from the queue in " << out.path().toStdString();
    QFile::remove(file);
    EXPECT_EQ(printed->pages, 2);
    EXPECT_NE(printed->title.find("Quorvane photos"), std::string::npos) << printed->title;
    // Both sheets on A6 paper (297.6 x 419.5 points); the queue shows the paper as it is fed,
    // upright, with the landscape page turned onto it.
    ASSERT_EQ(printed->mediaBoxes.size(), 2u);
    for (const auto& [width, height] : printed->mediaBoxes) {
        EXPECT_NEAR(std::min(width, height), 297.6, 1.5);
        EXPECT_NEAR(std::max(width, height), 419.5, 1.5);
    }
}

} // namespace
