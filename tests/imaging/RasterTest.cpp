// Bitmaps: colour texts, creation within the size limit, clearing, loading photos (upright by
// their EXIF orientation, large ones accepted, absurd ones refused), scaling, copying, rotation.
#include "imaging/Raster.h"
#include "imaging/Argb.h"
#include "imaging/JpegEncode.h"

#include "TestSupport.h"

#include <QBuffer>
#include <QImageWriter>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// A bitmap whose pixel (x, y) is opaque with red x and green y, so every pixel says where it is.
QImage Coordinates(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(x, y, 0, 255));
    return image;
}

QByteArray Encode(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

// A GIF of one colour, w x h, written by hand (Qt reads GIF but does not write it). The LZW data
// restart the code table every two pixels, so every code stays three bits wide.
QByteArray SolidGif(int w, int h, QRgb colour) {
    QByteArray gif("GIF89a", 6);
    auto le16 = [&](int v) {
        gif += static_cast<char>(v & 0xff);
        gif += static_cast<char>(v >> 8);
    };
    le16(w);
    le16(h);
    gif += QByteArray("\x80\x00\x00", 3); // two-entry colour table
    gif += static_cast<char>(qRed(colour));
    gif += static_cast<char>(qGreen(colour));
    gif += static_cast<char>(qBlue(colour));
    gif += QByteArray("\x00\x00\x00", 3);
    gif += static_cast<char>(0x2C);
    le16(0);
    le16(0);
    le16(w);
    le16(h);
    gif += static_cast<char>(0);
    gif += static_cast<char>(2); // LZW minimum code size
    QByteArray data;
    uint32_t bits = 0;
    int count = 0;
    auto code = [&](uint32_t c) {
        bits |= c << count;
        count += 3;
        while (count >= 8) {
            data += static_cast<char>(bits & 0xff);
            bits >>= 8;
            count -= 8;
        }
    };
    for (int left = w * h; left > 0; left -= 2) {
        code(4); // clear
        code(0);
        if (left > 1)
            code(0);
    }
    code(5); // end of information
    if (count > 0)
        data += static_cast<char>(bits & 0xff);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif += static_cast<char>(block.size());
        gif += block;
    }
    gif += static_cast<char>(0);
    gif += static_cast<char>(0x3B);
    return gif;
}

bool Near(QRgb a, QRgb b, int tolerance) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance && qAlpha(a) == qAlpha(b);
}

// A big-endian TIFF EXIF block with one IFD0 entry: Orientation (0x0112) = value.
QByteArray ExifApp1WithOrientation(uint16_t value) {
    QByteArray tiff("MM\x00\x2A\x00\x00\x00\x08", 8);
    tiff += QByteArray("\x00\x01", 2);                         // one entry
    tiff += QByteArray("\x01\x12\x00\x03\x00\x00\x00\x01", 8); // SHORT, count 1
    tiff += static_cast<char>(value >> 8);
    tiff += static_cast<char>(value & 0xff);
    tiff += QByteArray("\x00\x00", 2);         // padding
    tiff += QByteArray("\x00\x00\x00\x00", 4); // no next IFD
    QByteArray payload = QByteArray("Exif\x00\x00", 6) + tiff;
    const int length = static_cast<int>(payload.size()) + 2;
    QByteArray segment("\xFF\xE1", 2);
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xff);
    return segment + payload;
}

} // namespace

TEST(Argb, ColourTextsReadAsHexadecimal) {
    struct Case {
        const char* text;
        std::optional<QRgb> expected;
    };
    const Case cases[] = {
        {"ff000000", 0xff000000u},    {"ffffffff", 0xffffffffu},   {"FF336699", 0xff336699u},
        {"80ff0000", 0x80ff0000u},    {"ff", 0x000000ffu},         {"", std::nullopt},
        {"0xff000000", std::nullopt}, {"ff00000g", std::nullopt},  {"1ff000000", std::nullopt},
        {"-1", std::nullopt},         {" ff000000", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ParseArgb(QString::fromLatin1(c.text)), c.expected) << c.text;
    }
    EXPECT_EQ(ParseArgbOr(QStringLiteral("zz"), 0xff000000u), 0xff000000u);
    EXPECT_EQ(ArgbText(0xff000000u), "ff000000");
    EXPECT_EQ(ArgbText(0x0000ff00u), "0000ff00");
    EXPECT_EQ(ParseArgb(ArgbText(0x12abcdefu)), 0x12abcdefu);
}

TEST(Bitmap, CreatedWithinTheMaximumEdgeOnly) {
    EXPECT_EQ(MaxBitmapSize(), 32767);
    struct Case {
        int w, h;
        bool ok;
    };
    const Case cases[] = {{1, 1, true},      {32767, 1, true},  {1, 32767, true},
                          {0, 10, false},    {10, 0, false},    {-5, 10, false},
                          {32768, 1, false}, {1, 32768, false}, {INT_MAX, INT_MAX, false}};
    for (const Case& c : cases) {
        const QImage bitmap = CreateBitmap(c.w, c.h);
        EXPECT_EQ(!bitmap.isNull(), c.ok) << c.w << "x" << c.h;
        if (c.ok) {
            EXPECT_EQ(bitmap.size(), QSize(c.w, c.h));
            EXPECT_EQ(bitmap.format(), QImage::Format_ARGB32);
            EXPECT_EQ(bitmap.pixel(c.w - 1, c.h - 1), 0u);
        }
    }
}

TEST(Bitmap, ClearSetsEveryPixelExactly) {
    QImage bitmap = CreateBitmap(7, 5);
    // A translucent colour must come back unchanged: the pixels are not premultiplied.
    Clear(bitmap, 0x80123456u);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            ASSERT_EQ(bitmap.pixel(x, y), 0x80123456u);
    QImage rgb(3, 3, QImage::Format_RGB888);
    Clear(rgb, 0xff010203u);
    EXPECT_EQ(rgb.format(), QImage::Format_ARGB32);
    EXPECT_EQ(rgb.pixel(2, 2), 0xff010203u);
}

TEST(Bitmap, LoadsJpegPngAndGifAtTheirPixelSize) {
    TempDir dir;
    QImage source(64, 48, QImage::Format_ARGB32);
    source.fill(0xff2080c0u);
    for (const char* format : {"jpeg", "png", "gif"}) {
        const auto path = dir / (std::string("photo.") + format);
        const QByteArray bytes = std::string_view(format) == "gif" ? SolidGif(64, 48, 0xff2080c0u)
                                                                   : Encode(source, format);
        quorvane::test::WriteFile(path, bytes.toStdString());
        QString error;
        const QImage loaded = LoadImageFile(Q(path), &error);
        ASSERT_FALSE(loaded.isNull()) << format << ": " << error.toStdString();
        EXPECT_EQ(loaded.size(), QSize(64, 48)) << format;
        EXPECT_EQ(loaded.format(), QImage::Format_ARGB32) << format;
        EXPECT_TRUE(Near(loaded.pixel(10, 10), 0xff2080c0u, 8)) << format;
    }
    // A PNG behind a .JPG name is still decoded from its content.
    const auto misnamed = dir / "misnamed.JPG";
    quorvane::test::WriteFile(misnamed, Encode(source, "png").toStdString());
    EXPECT_EQ(LoadImageFile(Q(misnamed)).size(), QSize(64, 48));
}

TEST(Bitmap, FailedLoadsGiveANullBitmap) {
    TempDir dir;
    QString error;
    EXPECT_TRUE(LoadImageFile(Q(dir / "missing.jpg"), &error).isNull());
    EXPECT_FALSE(error.isEmpty());

    quorvane::test::WriteFile(dir / "garbage.jpg", std::string("\xFF\xD8 not a photo at all", 21));
    EXPECT_TRUE(LoadImageFile(Q(dir / "garbage.jpg")).width() < 2);

    // A JPEG whose frame header claims 60000 x 60000 pixels (14 GB) is refused, not allocated.
    QImage small(16, 16, QImage::Format_RGB32);
    small.fill(0xff808080u);
    QByteArray jpeg = Encode(small, "jpeg");
    const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(sof, 0);
    for (int i : {5, 7}) { // height, then width, big-endian
        jpeg[sof + i] = static_cast<char>(0xEA);
        jpeg[sof + i + 1] = static_cast<char>(0x60);
    }
    quorvane::test::WriteFile(dir / "huge.jpg", jpeg.toStdString());
    EXPECT_TRUE(LoadImageFile(Q(dir / "huge.jpg")).isNull());
}

TEST(Bitmap, PhotosAboveQtsDefaultMemoryLimitLoad) {
    // 6000 x 6000 decodes to 144 MB, more than Qt's default allocation limit of 128 MB.
    TempDir dir;
    QByteArray jpeg;
    {
        QImage big(6000, 6000, QImage::Format_RGB32);
        big.fill(0xff406080u);
        jpeg = Encode(big, "jpeg");
    }
    quorvane::test::WriteFile(dir / "big.jpg", jpeg.toStdString());
    const QImage loaded = LoadImageFile(Q(dir / "big.jpg"));
    EXPECT_EQ(loaded.size(), QSize(6000, 6000));
}

TEST(Bitmap, PhotosAreTurnedUprightByTheirExifOrientation) {
    TempDir dir;
    // Left half red, right half blue, 40 x 20.
    QImage source(40, 20, QImage::Format_RGB32);
    source.fill(0xffff0000u);
    for (int y = 0; y < 20; ++y)
        for (int x = 20; x < 40; ++x)
            source.setPixel(x, y, 0xff0000ffu);
    QByteArray jpeg = Encode(source, "jpeg");
    ASSERT_TRUE(jpeg.startsWith("\xFF\xD8"));
    // Orientation 6: the stored picture must be turned 90° clockwise to stand upright.
    jpeg.insert(2, ExifApp1WithOrientation(6));
    quorvane::test::WriteFile(dir / "turned.jpg", jpeg.toStdString());
    const QImage loaded = LoadImageFile(Q(dir / "turned.jpg"));
    ASSERT_EQ(loaded.size(), QSize(20, 40));
    EXPECT_TRUE(Near(loaded.pixel(10, 5), 0xffff0000u, 40));  // red on top
    EXPECT_TRUE(Near(loaded.pixel(10, 34), 0xff0000ffu, 40)); // blue below
}

TEST(Bitmap, RealCameraPhotosLoad) {
    QUORVANE_REQUIRE_TEST_PHOTOS();
    int loadedCount = 0;
    for (const auto& entry : std::filesystem::directory_iterator(quorvane::test::TestPhotosDir())) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".jpg" && ext != ".JPG")
            continue;
        const QImage photo = LoadImageFile(Q(entry.path()));
        EXPECT_GE(photo.width(), 2) << entry.path();
        EXPECT_GE(photo.height(), 2) << entry.path();
        if (++loadedCount == 3)
            break;
    }
}

TEST(Bitmap, ScaledCopyHasExactlyTheAskedSize) {
    QImage source = CreateBitmap(300, 200);
    Clear(source, 0xff00ff00u);
    for (QSize size : {QSize(150, 100), QSize(641, 3), QSize(1, 1), QSize(900, 50)}) {
        const QImage scaled = ScaledCopy(source, size.width(), size.height());
        ASSERT_EQ(scaled.size(), size);
        EXPECT_EQ(scaled.format(), QImage::Format_ARGB32);
        EXPECT_TRUE(Near(scaled.pixel(size.width() / 2, size.height() / 2), 0xff00ff00u, 1));
    }
    EXPECT_TRUE(ScaledCopy(source, 0, 10).isNull());
    EXPECT_TRUE(ScaledCopy(source, 10, 32768).isNull());
    EXPECT_TRUE(ScaledCopy(QImage(), 10, 10).isNull());
    // The whole source is in the copy: its left and right halves stay left and right.
    QImage halves = CreateBitmap(100, 10);
    Clear(halves, 0xffff0000u);
    for (int y = 0; y < 10; ++y)
        for (int x = 50; x < 100; ++x)
            halves.setPixel(x, y, 0xff0000ffu);
    const QImage small = ScaledCopy(halves, 10, 2);
    EXPECT_TRUE(Near(small.pixel(0, 0), 0xffff0000u, 10));
    EXPECT_TRUE(Near(small.pixel(9, 1), 0xff0000ffu, 10));
}

TEST(Bitmap, CopyRectPutsTheRectangleAtTheTargetsCorner) {
    const QImage source = Coordinates(50, 40);
    QImage target = CreateBitmap(20, 10);
    ASSERT_TRUE(CopyRect(source, QRect(12, 7, 20, 10), target));
    EXPECT_EQ(target.pixel(0, 0), qRgba(12, 7, 0, 255));
    EXPECT_EQ(target.pixel(19, 9), qRgba(31, 16, 0, 255));

    // Only what lies inside both the source and the target is copied.
    QImage small = CreateBitmap(5, 5);
    ASSERT_TRUE(CopyRect(source, QRect(47, 38, 10, 10), small));
    EXPECT_EQ(small.pixel(2, 1), qRgba(49, 39, 0, 255));
    EXPECT_EQ(small.pixel(3, 0), 0u);
    EXPECT_EQ(small.pixel(0, 2), 0u);
    QImage corner = CreateBitmap(5, 5);
    ASSERT_TRUE(CopyRect(source, QRect(-2, -3, 5, 5), corner));
    EXPECT_EQ(corner.pixel(1, 2), 0u);
    EXPECT_EQ(corner.pixel(2, 3), qRgba(0, 0, 0, 255));
    EXPECT_EQ(corner.pixel(4, 4), qRgba(2, 1, 0, 255));
    EXPECT_FALSE(CopyRect(source, QRect(60, 60, 5, 5), small));
    EXPECT_FALSE(CopyRect(source, QRect(0, 0, 0, 5), small));

    const QImage cut = CutOut(source, QRect(40, 30, 20, 20));
    ASSERT_EQ(cut.size(), QSize(20, 20));
    EXPECT_EQ(cut.pixel(9, 9), qRgba(49, 39, 0, 255));
    EXPECT_EQ(cut.pixel(10, 10), 0u);
    EXPECT_TRUE(CutOut(source, QRect(0, 0, 0, 0)).isNull());
}

TEST(Bitmap, RotationIsClockwiseAboutTheCentreAndGrowsTheBitmap) {
    // A 60 x 20 bitmap, red at its left end, blue elsewhere.
    QImage source = CreateBitmap(60, 20);
    Clear(source, 0xff0000ffu);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 10; ++x)
            source.setPixel(x, y, 0xffff0000u);
    const QImage quarter = Rotated(source, 90);
    ASSERT_EQ(quarter.size(), QSize(20, 60));
    EXPECT_EQ(quarter.format(), QImage::Format_ARGB32);
    EXPECT_TRUE(Near(quarter.pixel(10, 3), 0xffff0000u, 2)); // the left end is now on top
    EXPECT_TRUE(Near(quarter.pixel(10, 56), 0xff0000ffu, 2));

    const QImage back = Rotated(source, -90);
    ASSERT_EQ(back.size(), QSize(20, 60));
    EXPECT_TRUE(Near(back.pixel(10, 56), 0xffff0000u, 2)); // anticlockwise: the left end below

    EXPECT_EQ(Rotated(source, 0).size(), QSize(60, 20));
    // 30°: the bounds of the turned rectangle, 60 cos 30 + 20 sin 30 by 60 sin 30 + 20 cos 30.
    const QImage tilted = Rotated(source, 30);
    EXPECT_NEAR(tilted.width(), 61.96, 1.5);
    EXPECT_NEAR(tilted.height(), 47.32, 1.5);
    EXPECT_EQ(qAlpha(tilted.pixel(0, 0)), 0); // uncovered corners are transparent
    EXPECT_TRUE(Near(tilted.pixel(tilted.width() / 2, tilted.height() / 2), 0xff0000ffu, 2));
    EXPECT_TRUE(Rotated(QImage(), 10).isNull());
}

TEST(Bitmap, PixelAccessReadsAndWritesArgb) {
    QImage bitmap(4, 3, QImage::Format_RGB32);
    bitmap.fill(0xff000000u);
    {
        ArgbPixels pixels(bitmap);
        ASSERT_EQ(pixels.width(), 4);
        ASSERT_EQ(pixels.height(), 3);
        pixels.at(3, 2) = 0x7f102030u;
        pixels.row(0)[1] = 0xffabcdefu;
        EXPECT_EQ(pixels.at(0, 0), 0xff000000u);
    }
    EXPECT_EQ(bitmap.format(), QImage::Format_ARGB32);
    EXPECT_EQ(bitmap.pixel(3, 2), 0x7f102030u);
    EXPECT_EQ(bitmap.pixel(1, 0), 0xffabcdefu);
    // The pixels belong to this bitmap alone: a copy made before does not change.
    QImage before = bitmap;
    ArgbPixels(bitmap).at(0, 0) = 0xff112233u;
    EXPECT_EQ(before.pixel(0, 0), 0xff000000u);
    EXPECT_EQ(bitmap.pixel(0, 0), 0xff112233u);
}
