// JPEG encoding: the JFIF header the resolution stamp relies on, the quality reaching the
// encoder, and files written whole or not at all.
#include "imaging/JpegEncode.h"
#include "imaging/Raster.h"

#include "TestSupport.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

QImage Noise(int w, int h) { // compresses badly, so the quality shows in the size
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
    const QByteArray head = jpeg->left(200);
    EXPECT_TRUE(head.startsWith(QByteArray("\xFF\xD8", 2)));
    const qsizetype app0 = head.indexOf(QByteArray("\xFF\xE0", 2));
    ASSERT_GE(app0, 2);
    ASSERT_LE(app0, 193);
    EXPECT_EQ(head.mid(app0 + 4, 5), QByteArray("JFIF\0", 5));
    EXPECT_EQ(QImage::fromData(*jpeg, "JPEG").size(), QSize(64, 40));
}

TEST(JpegEncode, QualityReachesTheEncoder) {
    const QImage noise = Noise(128, 128);
    EXPECT_LT(EncodeJpeg(noise, 10)->size(), EncodeJpeg(noise, 50)->size());
    EXPECT_LT(EncodeJpeg(noise, 50)->size(), EncodeJpeg(noise, 95)->size());
    // Out-of-range qualities are held at the ends, not replaced by the encoder's default 75.
    EXPECT_EQ(*EncodeJpeg(noise, -20), *EncodeJpeg(noise, 0));
    EXPECT_NE(*EncodeJpeg(noise, -1), *EncodeJpeg(noise, 75));
    EXPECT_EQ(*EncodeJpeg(noise, 250), *EncodeJpeg(noise, 100));
    EXPECT_FALSE(EncodeJpeg(QImage(), 90).has_value());
}

TEST(JpegEncode, SaveWritesTheWholeFileOrNothing) {
    quorvane::test::TempDir dir;
    const QImage page = Noise(50, 50);
    const QString path = QString::fromStdString((dir / "page0001.jpg").string());
    ASSERT_TRUE(SaveJpeg(page, path, 80));
    const std::string written = quorvane::test::ReadFile(dir / "page0001.jpg");
    EXPECT_EQ(QByteArray::fromStdString(written), *EncodeJpeg(page, 80));
    QString error;
    EXPECT_FALSE(
        SaveJpeg(page, QString::fromStdString((dir / "absent/p.jpg").string()), 80, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(SaveJpeg(QImage(), path, 80)); // the old file stays
    EXPECT_EQ(quorvane::test::ReadFile(dir / "page0001.jpg"), written);
}
