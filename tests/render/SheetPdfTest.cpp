// The run's PDF: page sizes to the hundredth of a point, each page's own JPEG bytes embedded at
// their pixel size, the cross references, pages added by later presses; the order sheet's CSV.
#include "render/SheetPdf.h"
#include "files/LocalPath.h"
#include "render/OrderSheet.h"
#include "render/OutputFolder.h"
#include "render/PageOutput.h"

#include "PdfTools.h"
#include "TestSupport.h"

#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

QByteArray Jpeg(QSize size, QRgb colour, int dpi) {
    QImage page(size, QImage::Format_ARGB32);
    page.fill(colour);
    PageWriteOptions options;
    options.dpi = dpi;
    options.fullResolution = true;
    return EncodePage(page, options).value();
}

TEST(SheetPdf, PageLengthsArePixelsAtTheLayoutsResolutionInPoints) {
    const struct {
        int pixels, dpi;
        const char* points;
    } cases[] = {
        {4961, 300, "1190.64"}, {3508, 300, "841.92"},   {2480, 300, "595.2"}, {300, 72, "300"},
        {1, 3, "24"},           {1000, 350, "205.7143"}, {1500, 300, "360"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PdfPoints(c.pixels, c.dpi), c.points) << c.pixels << " at " << c.dpi;
}

TEST(SheetPdf, EachPageShowsItsOwnJpegOnPaperOfItsSize) {
    TempDir dir;
    OutputFolder folder(LocalPath::FromText(QString::fromStdString(dir.str())), {"out"}, false);
    ASSERT_TRUE(folder.isOpen());
    const struct {
        QSize size;
        int dpi;
        QRgb colour;
    } pages[] = {
        {{300, 220}, 300, 0xffff0000}, {{640, 452}, 72, 0xff00ff00}, {{100, 200}, 150, 0xff0000ff}};
    SheetPdf pdf;
    std::vector<QByteArray> jpegs;
    for (const auto& p : pages) {
        jpegs.push_back(Jpeg(p.size, p.colour, p.dpi));
        ASSERT_EQ(pdf.addPage(folder, jpegs.back(), p.dpi, nullptr), SheetPdf::Added::kAdded);
    }
    EXPECT_EQ(pdf.pageCount(), 3);
    // Neither a JPEG of four components nor other bytes can be shown as they are.
    EXPECT_EQ(pdf.addPage(folder, "not a jpeg", 300, nullptr), SheetPdf::Added::kNotJpeg);
    EXPECT_EQ(pdf.pageCount(), 3);
    int error = 0;
    ASSERT_TRUE(pdf.write(folder, "index.pdf", &error)) << error;
    const std::string bytes = test::ReadFile(dir / "out/index.pdf");
    const QByteArray file = QByteArray::fromStdString(bytes);
    EXPECT_TRUE(file.startsWith("%PDF-1.4\n"));
    EXPECT_TRUE(file.endsWith("%%EOF\n"));

    // The JPEGs are embedded byte for byte, in page order.
    qsizetype at = 0;
    for (size_t i = 0; i < jpegs.size(); ++i) {
        const qsizetype found = file.indexOf(jpegs[i], at);
        EXPECT_GT(found, at) << "page " << i + 1;
        at = found;
    }
    // Every cross reference points at the start of its object, and startxref at the table.
    const auto startxref = QRegularExpression(QStringLiteral("startxref\n(\\d+)\n%%EOF\n$"))
                               .match(QString::fromLatin1(file.right(40)));
    ASSERT_TRUE(startxref.hasMatch());
    const qsizetype xref = startxref.captured(1).toLongLong();
    ASSERT_TRUE(file.mid(xref).startsWith("xref\n0 "));
    const QList<QByteArray> lines = file.mid(xref).split('\n');
    const int objects = lines[1].split(' ')[1].toInt();
    EXPECT_EQ(objects, 4 + 2 * 3 + 1 + 3); // reserved, ICC profile, three objects per page
    for (int n = 1; n < objects; ++n) {
        const QByteArray entry = lines[static_cast<qsizetype>(2 + n)];
        ASSERT_EQ(entry.size(), 19) << n; // 20 bytes with the line break
        EXPECT_TRUE(
            file.mid(entry.left(10).toLongLong()).startsWith(QByteArray::number(n) + " 0 obj\n"))
            << n;
    }

    if (const std::string missing = test::PdfToolsMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    const auto report = test::ReadPdf(dir / "out/index.pdf");
    ASSERT_TRUE(report);
    ASSERT_EQ(report->pages, 3);
    ASSERT_EQ(report->mediaBoxes.size(), 3u);
    ASSERT_EQ(report->images.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        const auto& p = pages[i];
        EXPECT_NEAR(report->mediaBoxes[i].first, p.size.width() * 72.0 / p.dpi, 0.005) << i;
        EXPECT_NEAR(report->mediaBoxes[i].second, p.size.height() * 72.0 / p.dpi, 0.005) << i;
        const test::PdfImage& image = report->images[i];
        EXPECT_EQ(image.page, static_cast<int>(i) + 1);
        EXPECT_EQ(QSize(image.width, image.height), p.size) << i;
        EXPECT_EQ(image.encoding, "jpeg") << i;
        EXPECT_EQ(image.colour, "icc") << i;
        EXPECT_EQ(image.xPpi, p.dpi) << i;
        EXPECT_EQ(image.yPpi, p.dpi) << i;
    }
}

// Later presses add their pages to the same scratch file: an earlier write stays as it was, and
// the new one holds every page.
TEST(SheetPdf, PagesAddedLaterGoIntoTheNextWrite) {
    TempDir dir;
    OutputFolder folder(LocalPath::FromText(QString::fromStdString(dir.str())), {"out"}, false);
    SheetPdf pdf;
    ASSERT_EQ(pdf.addPage(folder, Jpeg({200, 100}, 0xffff0000, 100), 100, nullptr),
              SheetPdf::Added::kAdded);
    ASSERT_TRUE(pdf.write(folder, "first.pdf", nullptr));
    const std::string first = test::ReadFile(dir / "out/first.pdf");
    ASSERT_EQ(pdf.addPage(folder, Jpeg({100, 200}, 0xff00ff00, 100), 100, nullptr),
              SheetPdf::Added::kAdded);
    ASSERT_TRUE(pdf.write(folder, "second.pdf", nullptr));
    EXPECT_EQ(test::ReadFile(dir / "out/first.pdf"), first);
    const std::string second = test::ReadFile(dir / "out/second.pdf");
    // The pages' objects come first in both: the second file goes on where the first's tail was.
    const size_t body = first.find("2 0 obj\n<< /Type /Pages");
    ASSERT_NE(body, std::string::npos);
    EXPECT_EQ(second.substr(0, body), first.substr(0, body));
    // The scratch file takes no name in the folder (the lock file is the folder's).
    EXPECT_EQ(folder.names(), (QStringList{".quorvane.lock", "first.pdf", "second.pdf"}));
    if (const std::string missing = test::PdfToolsMissing(); !missing.empty())
        GTEST_SKIP() << missing;
    EXPECT_EQ(test::ReadPdf(dir / "out/first.pdf")->pages, 1);
    const auto report = test::ReadPdf(dir / "out/second.pdf");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->pages, 2);
    EXPECT_NEAR(report->mediaBoxes.at(1).first, 72.0, 0.005);
    EXPECT_NEAR(report->mediaBoxes.at(1).second, 144.0, 0.005);
}

TEST(OrderSheet, FieldsAreQuotedOnlyWhenTheyMustBe) {
    const struct {
        const char* field;
        const char* written;
    } cases[] = {
        {"IMG_0001.JPG", "IMG_0001.JPG"},   {"", ""},
        {"a,b.jpg", "\"a,b.jpg\""},         {"say \"cheese\".jpg", "\"say \"\"cheese\"\".jpg\""},
        {"two\nlines", "\"two\nlines\""},   {"cr\rhere", "\"cr\rhere\""},
        {" spaces kept ", " spaces kept "}, {"写真 1.jpg", "写真 1.jpg"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvField(QString::fromUtf8(c.field)), QString::fromUtf8(c.written)) << c.field;
}

TEST(OrderSheet, RowsFollowThePagesWithTheirNumbersFilesDatesAndFolders) {
    OrderSheet sheet;
    sheet.addPage("page0001.jpg", {{1, LocalPath::FromText("/photos/a.jpg"), "2017/03/04 "},
                                   {2, LocalPath::FromText("/photos/b,c.jpg"), ""}});
    // A name written on Windows in CP932 is written as its characters.
    sheet.addPage(
        "page0002.jpg",
        {{103, LocalPath::FromBytes("/photos/\x8E\xCA\x90\x5E/\x8E\xCA.jpg"), "2020/01/02 "}});
    EXPECT_EQ(sheet.rows(), 3);
    EXPECT_EQ(sheet.bytes({"No.", "Page", "File", "Date", "Folder"}).toStdString(),
              "\xEF\xBB\xBFNo.,Page,File,Date,Folder\r\n"
              "1,page0001.jpg,a.jpg,2017/03/04 ,/photos/\r\n"
              "2,page0001.jpg,\"b,c.jpg\",,/photos/\r\n"
              "103,page0002.jpg,写.jpg,2020/01/02 ,/photos/写真/\r\n");
    sheet.clear();
    EXPECT_EQ(sheet.bytes({}), QByteArray("\xEF\xBB\xBF"));
}

} // namespace
