// JPEG encoding: the header the resolution stamp relies on, the quality reaching the encoder, and
// files written whole or not at all.
#include "imaging/JpegEncode.h"
#include "imaging/Raster.h"

#include "TestSupport.h"

#include <QFile>
#include <QImageReader>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

QString Q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// Noise compresses badly, so the quality shows in the size.
QImage Noise(int w, int h) {
    QImage image = CreateBitmap(w, h);
    QRandomGenerator random(42);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, 0xff000000u | (random.generate() & 0xffffffu));
    return image;
}

} // namespace

TEST(JpegEncode, StartsWithSoiAndAJfifApp0Segment) {
    const auto jpeg = EncodeJpeg(Noise(64, 40), 90);
    ASSERT_TRUE(jpeg.has_value());
    ASSERT_GE(jpeg->size(), 200);
    const QByteArray head = jpeg->left(200);
    EXPECT_TRUE(head.startsWith(QByteArray("\xFF\xD8", 2)));
    const qsizetype app0 = head.indexOf(QByteArray("\xFF\xE0", 2));
    ASSERT_GE(app0, 2);
    ASSERT_LE(app0, 193);
    // The first APP0 is the JFIF one, where the resolution stamp writes.
    EXPECT_EQ(head.mid(app0 + 4, 5), QByteArray("JFIF\0", 5));
    EXPECT_EQ(head.indexOf(QByteArray("\xFF\xE0", 2)), app0);
}

TEST(JpegEncode, QualityReachesTheEncoder) {
    const QImage noise = Noise(128, 128);
    const auto low = EncodeJpeg(noise, 10);
    const auto mid = EncodeJpeg(noise, 50);
    const auto high = EncodeJpeg(noise, 95);
    ASSERT_TRUE(low && mid && high);
    EXPECT_LT(low->size(), mid->size());
    EXPECT_LT(mid->size(), high->size());
    // Out-of-range qualities are held at the ends, not replaced by the encoder's default.
    EXPECT_EQ(*EncodeJpeg(noise, -20), *EncodeJpeg(noise, 0));
    EXPECT_NE(*EncodeJpeg(noise, -1), *EncodeJpeg(noise, 75));
    EXPECT_EQ(*EncodeJpeg(noise, 250), *EncodeJpeg(noise, 100));
    EXPECT_FALSE(EncodeJpeg(QImage(), 90).has_value());
}

TEST(JpegEncode, DecodesBackToThePicture) {
    QImage page = CreateBitmap(80, 60);
    Clear(page, 0xffc04020u);
    const auto jpeg = EncodeJpeg(page, 90);
    ASSERT_TRUE(jpeg);
    QImage decoded = QImage::fromData(*jpeg, "JPEG");
    ASSERT_EQ(decoded.size(), QSize(80, 60));
    const QRgb centre = decoded.pixel(40, 30);
    EXPECT_NEAR(qRed(centre), 0xc0, 4);
    EXPECT_NEAR(qGreen(centre), 0x40, 4);
    EXPECT_NEAR(qBlue(centre), 0x20, 4);
}

TEST(JpegEncode, SaveWritesTheWholeFileOrNothing) {
    TempDir dir;
    const QImage page = Noise(50, 50);
    const auto path = dir / "page0001.jpg";
    ASSERT_TRUE(SaveJpeg(page, Q(path), 80));
    EXPECT_EQ(QByteArray::fromStdString(quorvane::test::ReadFile(path)), *EncodeJpeg(page, 80));

    // A folder that does not exist: failure reported, nothing written.
    QString error;
    EXPECT_FALSE(SaveJpeg(page, Q(dir / "absent" / "page0001.jpg"), 80, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(std::filesystem::exists(dir / "absent"));

    // A failed encode leaves the old file as it was.
    EXPECT_FALSE(SaveJpeg(QImage(), Q(path), 80));
    EXPECT_EQ(QByteArray::fromStdString(quorvane::test::ReadFile(path)), *EncodeJpeg(page, 80));
}
