// Bitmaps: colour texts, creation within the size limit, exact clearing, loading photos (upright
// by EXIF orientation, large ones accepted, absurd ones refused), scaling, copying, rotation.
#include "imaging/Raster.h"
#include "imaging/Argb.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;
using quorvane::test::WriteFile;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

QByteArray Encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(QImageWriter(&buffer, format).write(image)) << format;
    return bytes;
}

// Pixel (x, y) is opaque with red x and green y.
QImage Coordinates(int w, int h) {
    QImage image = CreateBitmap(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(x, y, 0, 255));
    return image;
}

// The file opened by name, then decoded by LoadImageFile.
QImage LoadFile(const QString& path, QString* error = nullptr) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return {};
    }
    return LoadImageFile(file, error);
}

bool Near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

TEST(Argb, ColourTextsReadAsHexadecimal) {
    const std::pair<const char*, std::optional<QRgb>> cases[] = {
        {"ff000000", 0xff000000u},  {"FF336699", 0xff336699u},   {"80ff0000", 0x80ff0000u},
        {"ff", 0x000000ffu},        {"", std::nullopt},          {"0xff000000", std::nullopt},
        {"ff00000g", std::nullopt}, {"1ff000000", std::nullopt}, {"-1", std::nullopt}};
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseArgb(QString::fromLatin1(text)), expected) << text;
    EXPECT_EQ(ParseArgbOr(QStringLiteral("zz"), 0xff000000u), 0xff000000u);
    EXPECT_EQ(ArgbText(0x0000ff00u), "0000ff00");
}

// The colour panel reads a field as a number of up to 64 bits and keeps its low 32.
TEST(Argb, PanelColoursAreTheLowBitsOfA64BitNumber) {
    const std::pair<const char*, std::optional<QRgb>> cases[] = {
        {"ff", 0x000000ffu},
        {"FF00aa00", 0xff00aa00u},
        {"1ff000000", 0xff000000u},
        {"ffffffffffffffff", 0xffffffffu},
        {"10000000000000000", std::nullopt},
        {"", std::nullopt},
        {"0xff", std::nullopt},
        {" ff", std::nullopt},
        {"-1", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseArgbLow32(QString::fromLatin1(text)), expected) << text;
}

TEST(Bitmap, CreatedWithinTheMaximumEdgeOnly) {
    EXPECT_EQ(MaxBitmapSize(), 32767);
    for (auto [w, h] : {std::pair{1, 1}, {32767, 1}, {1, 32767}}) {
        const QImage bitmap = CreateBitmap(w, h);
        EXPECT_EQ(bitmap.size(), QSize(w, h));
        EXPECT_EQ(bitmap.format(), QImage::Format_ARGB32);
    }
    for (auto [w, h] : {std::pair{0, 10}, {-5, 10}, {32768, 1}, {1, 32768}, {INT_MAX, INT_MAX}})
        EXPECT_TRUE(CreateBitmap(w, h).isNull()) << w << "x" << h;
}

TEST(Bitmap, ClearKeepsTranslucentColoursExactly) {
    QImage bitmap = CreateBitmap(7, 5);
    Clear(bitmap, 0x80123456u); // not premultiplied: comes back unchanged
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(bitmap.pixel(x, y), 0x80123456u);
}

TEST(Bitmap, LoadsPhotosAtTheirPixelSizeOrGivesNull) {
    TempDir dir;
    QImage source = CreateBitmap(64, 48);
    Clear(source, 0xff2080c0u);
    WriteFile(dir / "a.jpg", Encode(source, "jpeg").toStdString());
    WriteFile(dir / "b.PNG", Encode(source, "png").toStdString());
    WriteFile(dir / "png-named.JPG", Encode(source, "png").toStdString());
    for (const char* name : {"a.jpg", "b.PNG", "png-named.JPG"}) {
        const QImage loaded = LoadFile(Q(dir / name));
        EXPECT_EQ(loaded.size(), QSize(64, 48)) << name;
        EXPECT_EQ(loaded.format(), QImage::Format_ARGB32) << name;
        EXPECT_TRUE(Near(loaded.pixel(10, 10), 0xff2080c0u, 8)) << name;
    }
    QString error;
    EXPECT_TRUE(LoadFile(Q(dir / "missing.jpg"), &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    WriteFile(dir / "garbage.jpg", std::string("\xFF\xD8 not a photo", 15));
    EXPECT_LT(LoadFile(Q(dir / "garbage.jpg")).width(), 2);

    // A frame header claiming 60000 x 60000 pixels (14 GB) is refused, not allocated.
    QByteArray jpeg = Encode(source, "jpeg");
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    jpeg.replace(sof + 5, 4, QByteArray("\xEA\x60\xEA\x60", 4));
    WriteFile(dir / "huge.jpg", jpeg.toStdString());
    EXPECT_TRUE(LoadFile(Q(dir / "huge.jpg")).isNull());
}

TEST(Bitmap, PhotosAboveQtsDefaultMemoryLimitLoad) {
    // 6000 x 6000 decodes to 144 MB, above Qt's default limit of 128 MB.
    TempDir dir;
    {
        QImage big(6000, 6000, QImage::Format_RGB32);
        big.fill(0xff406080u);
        WriteFile(dir / "big.jpg", Encode(big, "jpeg").toStdString());
    }
    EXPECT_EQ(LoadFile(Q(dir / "big.jpg")).size(), QSize(6000, 6000));
}

TEST(Bitmap, PhotosAreTurnedUprightByTheirExifOrientation) {
    QImage source(40, 20, QImage::Format_RGB32); // left half red, right half blue
    source.fill(0xffff0000u);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            source.setPixel(x, y, 0xff0000ffu);
    // APP1 "Exif" with a big-endian IFD0 holding Orientation (0x0112) = 6: turn 90° clockwise.
    const QByteArray exif("\xFF\xE1\x00\x22"
                          "Exif\x00\x00"
                          "MM\x00\x2A\x00\x00\x00\x08"
                          "\x00\x01\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00"
                          "\x00\x00\x00\x00",
                          36);
    QByteArray jpeg = Encode(source, "jpeg");
    jpeg.insert(2, exif);
    TempDir dir;
    WriteFile(dir / "turned.jpg", jpeg.toStdString());
    const QImage loaded = LoadFile(Q(dir / "turned.jpg"));
    ASSERT_EQ(loaded.size(), QSize(20, 40));
    EXPECT_TRUE(Near(loaded.pixel(10, 5), 0xffff0000u, 40));  // red on top
    EXPECT_TRUE(Near(loaded.pixel(10, 34), 0xff0000ffu, 40)); // blue below
}

TEST(Bitmap, ScaledCopyHasExactlyTheAskedSize) {
    QImage source = CreateBitmap(100, 10); // red left half, blue right half
    Clear(source, 0xffff0000u);
    for (int y = 0; y < 10; ++y)
        for (int x = 50; x < 100; ++x)
            source.setPixel(x, y, 0xff0000ffu);
    for (QSize size : {QSize(10, 2), QSize(641, 3), QSize(1, 1), QSize(900, 50)}) {
        const QImage scaled = ScaledCopy(source, size.width(), size.height());
        ASSERT_EQ(scaled.size(), size);
        EXPECT_EQ(scaled.format(), QImage::Format_ARGB32);
    }
    const QImage small = ScaledCopy(source, 10, 2);
    EXPECT_TRUE(Near(small.pixel(0, 0), 0xffff0000u, 10));
    EXPECT_TRUE(Near(small.pixel(9, 1), 0xff0000ffu, 10));
    EXPECT_TRUE(ScaledCopy(source, 0, 10).isNull());
    EXPECT_TRUE(ScaledCopy(source, 10, 32768).isNull());
}

TEST(Bitmap, CopyRectPutsTheRectangleAtTheTargetsCorner) {
    const QImage source = Coordinates(50, 40);
    QImage target = CreateBitmap(20, 10);
    ASSERT_TRUE(CopyRect(source, QRect(12, 7, 20, 10), target));
    EXPECT_EQ(target.pixel(0, 0), qRgba(12, 7, 0, 255));
    EXPECT_EQ(target.pixel(19, 9), qRgba(31, 16, 0, 255));
    // Only what lies inside the source and the target is copied.
    QImage corner = CreateBitmap(5, 5);
    ASSERT_TRUE(CopyRect(source, QRect(-2, -3, 10, 10), corner));
    EXPECT_EQ(corner.pixel(1, 2), 0u);
    EXPECT_EQ(corner.pixel(4, 4), qRgba(2, 1, 0, 255));
    EXPECT_FALSE(CopyRect(source, QRect(60, 60, 5, 5), corner));

    const QImage cut = CutOut(source, QRect(40, 30, 20, 20));
    ASSERT_EQ(cut.size(), QSize(20, 20));
    EXPECT_EQ(cut.pixel(9, 9), qRgba(49, 39, 0, 255));
    EXPECT_EQ(cut.pixel(10, 10), 0u);
}

TEST(Bitmap, ViewsShareThePixelsAndCopiesLandWhereAsked) {
    const QImage source = Coordinates(50, 40);
    const QImage view = RectView(source, QRect(10, 5, 20, 10));
    ASSERT_EQ(view.size(), QSize(20, 10));
    EXPECT_EQ(view.constBits(), source.constScanLine(5) + 10 * 4); // no pixel copied
    EXPECT_EQ(view.pixel(19, 9), qRgba(29, 14, 0, 255));
    EXPECT_TRUE(RectView(source, QRect(40, 35, 20, 10)).isNull()); // not inside the source

    QImage part = TopLeftPart(Coordinates(50, 40), QSize(20, 10));
    ASSERT_EQ(part.size(), QSize(20, 10));
    EXPECT_EQ(part.pixel(19, 9), qRgba(19, 9, 0, 255));
    part.setPixel(0, 0, 0xff123456u); // drawn on the shared pixels, which it keeps alive
    EXPECT_EQ(part.pixel(0, 0), 0xff123456u);
    EXPECT_TRUE(TopLeftPart(source, QSize(51, 10)).isNull());

    // Read as opaque: alpha ignored, colours kept, the source untouched.
    QImage clear = CreateBitmap(4, 2);
    Clear(clear, 0x00ff8040u);
    const QImage opaque = OpaqueView(clear);
    EXPECT_EQ(opaque.pixel(3, 1), 0xffff8040u);
    EXPECT_EQ(clear.pixel(3, 1), 0x00ff8040u);

    // An opaque photo copied into a page at a point is what drawing it there gives.
    for (const QPoint at : {QPoint(3, 4), QPoint(-5, 30), QPoint(45, -2)}) {
        QImage copied = CreateBitmap(60, 50), drawn = CreateBitmap(60, 50);
        Clear(copied, 0x80ffffffu);
        Clear(drawn, 0x80ffffffu);
        ASSERT_TRUE(CopyRect(view, view.rect(), copied, at));
        QPainter(&drawn).drawImage(at, view);
        EXPECT_EQ(copied, drawn) << at.x() << "," << at.y();
    }
}

TEST(Bitmap, RotationIsClockwiseAboutTheCentreAndGrowsTheBitmap) {
    QImage source = CreateBitmap(60, 20); // red left end, blue elsewhere
    Clear(source, 0xff0000ffu);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 10; ++x)
            source.setPixel(x, y, 0xffff0000u);
    const QImage quarter = Rotated(source, 90);
    ASSERT_EQ(quarter.size(), QSize(20, 60));
    EXPECT_TRUE(Near(quarter.pixel(10, 3), 0xffff0000u, 2)); // the left end is now on top
    EXPECT_TRUE(Near(Rotated(source, -90).pixel(10, 56), 0xffff0000u, 2));
    // 30°: the turned rectangle's bounds, 60 cos 30 + 20 sin 30 by 60 sin 30 + 20 cos 30.
    const QImage tilted = Rotated(source, 30);
    EXPECT_NEAR(tilted.width(), 61.96, 1.5);
    EXPECT_NEAR(tilted.height(), 47.32, 1.5);
    EXPECT_EQ(tilted.format(), QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(tilted.pixel(0, 0)), 0);
}

TEST(Bitmap, PixelAccessReadsAndWritesArgbOfThisBitmapOnly) {
    QImage bitmap(4, 3, QImage::Format_RGB32);
    bitmap.fill(0xff000000u);
    const QImage before = bitmap;
    ArgbPixels pixels(bitmap);
    pixels.at(3, 2) = 0x7f102030u;
    EXPECT_EQ(pixels.at(0, 0), 0xff000000u);
    EXPECT_EQ(bitmap.format(), QImage::Format_ARGB32);
    EXPECT_EQ(bitmap.pixel(3, 2), 0x7f102030u);
    EXPECT_EQ(before.pixel(3, 2), 0xff000000u);
}
