// Page files: names, the 640-pixel reduction, the JFIF resolution stamp, do-not-overwrite and
// failed writes that leave nothing half-written.
#include "render/PageOutput.h"
#include "catalogue/ProblemText.h"
#include "render/OutputFolder.h"

#include "TestPaths.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

QImage Page(int w, int h) {
    QImage page(w, h, QImage::Format_ARGB32);
    page.fill(0xff336699);
    return page;
}

// The five bytes after "JFIF\0" and the version.
QByteArray StampBytes(const QByteArray& jpeg) {
    const int at = static_cast<int>(jpeg.indexOf("JFIF"));
    return at < 0 ? QByteArray() : jpeg.mid(at + 7, 5);
}

TEST(PageOutput, NamesAndReducedSizes) {
    EXPECT_EQ(PageFileName(1), "page0001.jpg");
    EXPECT_EQ(PageFileName(12345), "page12345.jpg");
    EXPECT_EQ(ReducedPageSize(4961, 3508), QSize(640, 452));
    EXPECT_EQ(ReducedPageSize(3508, 4961), QSize(452, 640));
    EXPECT_EQ(ReducedPageSize(1000, 1000), QSize(640, 640));
    EXPECT_EQ(ReducedPageSize(100000, 10), QSize(640, 1));
    EXPECT_EQ(ReducedPageSize(0, 10), QSize(1, 1));
}

TEST(PageOutput, StampsDpiIntoTheJfifHeaderOnly) {
    QByteArray jpeg("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00\xFF\xD9",
                    22);
    ASSERT_TRUE(StampJfifResolution(jpeg, 350));
    EXPECT_EQ(StampBytes(jpeg), QByteArray("\x01\x01\x5E\x01\x5E", 5));
    EXPECT_EQ(jpeg.size(), 22);
    QByteArray copy = jpeg;
    EXPECT_FALSE(StampJfifResolution(copy, 0));
    EXPECT_FALSE(StampJfifResolution(copy, 65536));
    EXPECT_EQ(copy, jpeg);
    // The first FF E0 decides: an APP0 that is not JFIF means no stamp even if one follows.
    QByteArray other("\xFF\xD8\xFF\xE0\x00\x10JFXX\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
                     "\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00",
                     38);
    EXPECT_FALSE(StampJfifResolution(other, 300));
    QByteArray png("\x89PNG\r\n\x1A\n", 8);
    EXPECT_FALSE(StampJfifResolution(png, 300));
    QByteArray truncated("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10);
    EXPECT_FALSE(StampJfifResolution(truncated, 300));
    EXPECT_EQ(truncated.size(), 10);
}

// SOI, a comment segment, then a JFIF APP0 marker at the given position.
QByteArray JfifAt(int position) {
    QByteArray jpeg("\xFF\xD8\xFF\xFE", 4);
    jpeg.append(static_cast<char>((position - 4) >> 8)).append(static_cast<char>(position - 4));
    jpeg.append(position - 6, 'x');
    jpeg.append("\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 18);
    return jpeg.append(20, 'x').append("\xFF\xD9", 2);
}

TEST(PageOutput, LooksForTheMarkerAtPositionsUpTo193) {
    for (const int position : {190, 193, 194}) {
        QByteArray jpeg = JfifAt(position);
        const QByteArray before = jpeg;
        EXPECT_EQ(StampJfifResolution(jpeg, 350), position <= 193) << position;
        EXPECT_EQ(jpeg.mid(position + 11, 5), position <= 193
                                                  ? QByteArray("\x01\x01\x5E\x01\x5E", 5)
                                                  : before.mid(position + 11, 5))
            << position;
    }
    TempDir dir;
    test::WriteFile(dir / "late.jpg", JfifAt(193).toStdString());
    ASSERT_TRUE(StampJfifResolution(test::P(dir / "late.jpg"), 300));
    const std::string bytes = test::ReadFile(dir / "late.jpg");
    EXPECT_EQ(bytes.size(), static_cast<size_t>(JfifAt(193).size()));
    EXPECT_EQ(bytes.substr(204, 5), std::string("\x01\x01\x2C\x01\x2C", 5));
}

TEST(PageOutput, StampsAFileInPlaceKeepingItsSize) {
    TempDir dir;
    const QString path = Q(dir / "a.jpg");
    ASSERT_TRUE(Page(50, 40).save(path, "JPEG", 80));
    const qint64 size = QFileInfo(path).size();
    ASSERT_TRUE(StampJfifResolution(test::P(path), 300));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.size(), size);
    EXPECT_EQ(StampBytes(bytes), QByteArray("\x01\x01\x2C\x01\x2C", 5));
    EXPECT_FALSE(StampJfifResolution(test::P(dir / "missing.jpg"), 300));
}

TEST(PageOutput, WritesReducedStampedPagesAndFullResolutionOnRequest) {
    TempDir dir;
    OutputFolder folder(LocalPath::FromText(Q(dir.path())), {}, false);
    PageWriteOptions options;
    options.dpi = 350;
    options.quality = 75;
    PageWriteResult r = WritePage(Page(4961, 3508), folder, 1, options);
    ASSERT_EQ(r.outcome, PageWriteResult::Written)
        << (r.problem ? ProblemText(*r.problem, false).toStdString() : "");
    EXPECT_EQ(r.path, test::P(dir / "page0001.jpg"));
    QImageReader reader(r.path.text());
    EXPECT_EQ(reader.size(), QSize(640, 452));
    EXPECT_EQ(StampBytes(QByteArray::fromStdString(test::ReadFile(dir / "page0001.jpg"))),
              QByteArray("\x01\x01\x5E\x01\x5E", 5));

    options.fullResolution = true;
    r = WritePage(Page(1200, 900), folder, 2, options);
    ASSERT_EQ(r.outcome, PageWriteResult::Written);
    EXPECT_EQ(QImageReader(r.path.text()).size(), QSize(1200, 900));
    // Quality reaches the encoder: a lower quality gives a smaller file of the same page.
    options.quality = 10;
    const qint64 high = QFileInfo(r.path.text()).size();
    r = WritePage(Page(1200, 900), folder, 3, options);
    EXPECT_LT(QFileInfo(r.path.text()).size(), high);
}

TEST(PageOutput, ATransparentBackgroundShowsItsColourAtBothSizes) {
    TempDir dir;
    OutputFolder folder(LocalPath::FromText(Q(dir.path())), {}, false);
    PageWriteOptions options;
    for (const QRgb background : {0x00ffffffu, 0x00ff0000u}) {
        for (const bool full : {false, true}) {
            QImage page(1000, 700, QImage::Format_ARGB32);
            page.fill(background);
            options.fullResolution = full;
            const PageWriteResult r = WritePage(page, folder, 1, options);
            ASSERT_EQ(r.outcome, PageWriteResult::Written);
            const QImage written(r.path.text());
            const QRgb pixel = written.pixel(written.width() / 2, written.height() / 2);
            EXPECT_NEAR(qRed(pixel), qRed(background), 3) << full;
            EXPECT_NEAR(qGreen(pixel), qGreen(background), 3) << full;
            EXPECT_NEAR(qBlue(pixel), qBlue(background), 3) << full;
        }
    }
}

TEST(PageOutput, KeepsExistingPagesByteForByteWhenAsked) {
    TempDir dir;
    test::WriteFile(dir / "page0001.jpg", "old page bytes");
    OutputFolder folder(LocalPath::FromText(Q(dir.path())), {}, false);
    PageWriteOptions options;
    options.keepExisting = true;
    EXPECT_EQ(WritePage(Page(100, 80), folder, 1, options).outcome, PageWriteResult::KeptExisting);
    EXPECT_EQ(test::ReadFile(dir / "page0001.jpg"), "old page bytes");
    options.keepExisting = false;
    EXPECT_EQ(WritePage(Page(100, 80), folder, 1, options).outcome, PageWriteResult::Written);
    EXPECT_NE(test::ReadFile(dir / "page0001.jpg"), "old page bytes");
}

TEST(PageOutput, AFailedWriteNamesTheFileAndLeavesNothingBehind) {
    TempDir dir;
    PageWriteOptions options;
    // The folder vanishes after it was opened.
    OutputFolder vanished(LocalPath::FromText(Q(dir.path())), {"gone"}, false);
    ASSERT_TRUE(QDir(Q(dir / "gone")).removeRecursively());
    const PageWriteResult r = WritePage(Page(100, 80), vanished, 7, options);
    EXPECT_EQ(r.outcome, PageWriteResult::Failed);
    ASSERT_TRUE(r.problem);
    EXPECT_EQ(ProblemText(*r.problem, false), "Could not write the page.\n" +
                                                  Q(dir / "gone/page0007.jpg") +
                                                  "\nThe folder does not exist.");
    OutputFolder folder(LocalPath::FromText(Q(dir.path())), {}, false);
    EXPECT_EQ(WritePage(QImage(), folder, 1, options).outcome, PageWriteResult::Failed);
    EXPECT_FALSE(QFile::exists(Q(dir / "page0001.jpg")));
}

} // namespace
