// The adjustment model: zoom limit, selection, colour correction and the histograms.
#include "imaging/Histogram.h"
#include "imaging/PhotoAdjustment.h"

#include <gtest/gtest.h>

using namespace quorvane;

TEST(Adjustment, ZoomLimitAndSelection) {
    EXPECT_EQ(ZoomLimit({6000, 4500}, {1181, 827}), 508);
    EXPECT_EQ(ZoomLimit({1000, 700}, {1181, 827}), 84);
    EXPECT_EQ(ZoomLimit({1181, 827}, {1181, 827}), 100);
    const struct {
        const char* what;
        QRectF frame;
        QSize photo;
        double zoom, shiftX, shiftY;
        QRectF selection;
        bool inside;
    } cases[] = {
        {"zoom 100 gives the frame",
         {100, 50, 3800, 2900},
         {4000, 3000},
         100,
         0,
         0,
         {100, 50, 3800, 2900},
         true},
        {"zoom 200 on the whole photo",
         {0, 0, 4000, 3000},
         {4000, 3000},
         200,
         0,
         0,
         {1000, 750, 2000, 1500},
         true},
        {"a +50 shift runs off the right",
         {0, 0, 4000, 3000},
         {4000, 3000},
         100,
         50,
         0,
         {2000, 0, 4000, 3000},
         false},
        {"zoomed and shifted up",
         {0, 0, 4000, 3000},
         {4000, 3000},
         200,
         0,
         -25,
         {1000, 0, 2000, 1500},
         true},
        {"zoomed and shifted past the top",
         {0, 0, 4000, 3000},
         {4000, 3000},
         200,
         0,
         -26,
         {1000, -30, 2000, 1500},
         false},
    };
    for (const auto& c : cases) {
        const QRectF s = ComputeSelection(c.frame, c.photo, c.zoom, c.shiftX, c.shiftY);
        EXPECT_EQ(s, c.selection) << c.what;
        EXPECT_EQ(SelectionInsidePhoto(s, c.photo), c.inside) << c.what;
    }
    EXPECT_EQ(SelectionStatus(QRectF(1000.7, -0.5, 2000, 1500.99)), "sx:1000 sy:0 w:2000 h:1500");
}

// The shift ranges are exactly the whole shifts whose selection stays inside the photo: every
// shift within a range is inside, the next one out is not (or the range stops at the bound).
TEST(Adjustment, ShiftsInsidePhoto) {
    const struct {
        const char* what;
        QRectF frame;
        QSize photo;
        double zoom;
        ShiftRange x, y;
    } cases[] = {
        {"the whole photo unzoomed cannot move", {0, 0, 2400, 1800}, {2400, 1800}, 100, {}, {}},
        {"zoom 200 moves a quarter each way",
         {0, 0, 2400, 1800},
         {2400, 1800},
         200,
         {-25, 25},
         {-25, 25}},
        {"zoom 150 stops short of a whole step",
         {0, 0, 2400, 1800},
         {2400, 1800},
         150,
         {-16, 16},
         {-16, 16}},
        {"the zoom limit of a large photo",
         {0, 0, 6000, 4500},
         {6000, 4500},
         508,
         {-40, 40},
         {-40, 40}},
        {"a trimmed frame moves sideways only",
         {200, 0, 3600, 3000},
         {4000, 3000},
         100,
         {-5, 5},
         {}},
        {"a frame at the left edge runs right to the bound",
         {0, 0, 2000, 3000},
         {4000, 3000},
         100,
         {0, 50},
         {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const ShiftRanges r = ShiftsInsidePhoto(c.frame, c.photo, c.zoom);
        EXPECT_EQ(r.x, c.x);
        EXPECT_EQ(r.y, c.y);
        const auto inside = [&](int x, int y) {
            return SelectionInsidePhoto(ComputeSelection(c.frame, c.photo, c.zoom, x, y), c.photo);
        };
        for (int x = r.x.low; x <= r.x.high; ++x)
            for (int y = r.y.low; y <= r.y.high; ++y)
                ASSERT_TRUE(inside(x, y)) << x << " " << y;
        // One step past a range leaves the photo, unless the range stopped at the bound.
        EXPECT_TRUE(r.x.high == kMaxShift || !inside(r.x.high + 1, 0));
        EXPECT_TRUE(r.x.low == -kMaxShift || !inside(r.x.low - 1, 0));
        EXPECT_TRUE(r.y.high == kMaxShift || !inside(0, r.y.high + 1));
        EXPECT_TRUE(r.y.low == -kMaxShift || !inside(0, r.y.low - 1));
    }
}

TEST(Adjustment, ColourCorrectionAndHistograms) {
    // One pixel per case: channel, percent, corrected value.
    const struct {
        int channel;
        float percent;
        int corrected;
    } cases[] = {{200, 25, 250}, {220, 25, 255},  {10, -25, 7}, {128, 0, 128},
                 {0, 25, 0},     {255, -25, 191}, {50, 10, 55}, {99, -10.5f, 88}};
    QImage bitmap(std::size(cases), 1, QImage::Format_ARGB32);
    for (int i = 0; i < bitmap.width(); ++i)
        bitmap.setPixel(i, 0, qRgba(cases[i].channel, cases[i].channel, cases[i].channel, 0));
    Histogram histogram;
    for (size_t i = 0; i < std::size(cases); ++i) {
        QImage copy = bitmap.copy();
        ASSERT_EQ(histogram.ApplyColourCorrection(copy, 0, 0, bitmap.width() - 1, 0,
                                                  cases[i].percent, cases[i].percent, 0),
                  0);
        const QRgb p = copy.pixel(static_cast<int>(i), 0);
        EXPECT_EQ(qRed(p), cases[i].corrected) << cases[i].channel << " " << cases[i].percent;
        EXPECT_EQ(qGreen(p), cases[i].corrected);
        EXPECT_EQ(qBlue(p), cases[i].channel); // 0 % leaves the channel, but the pixel is opaque
        EXPECT_EQ(qAlpha(p), 255);
    }
    // A region leaves the other pixels alone; the corrected table counts the region only.
    QImage region = bitmap.copy();
    histogram.ApplyColourCorrection(region, 1, 0, 2, 0, 25, 25, 25);
    EXPECT_EQ(region.pixel(0, 0), bitmap.pixel(0, 0));
    EXPECT_EQ(histogram.bin(Histogram::Corrected, 255)[1], 1u); // 220 → 255
    EXPECT_EQ(histogram.bin(Histogram::Corrected, 12)[0], 1u);  // 10 → 12 (10 + 2.5)

    // 12001 pixels wide: neither corrected nor counted.
    QImage wide(kMaxHistogramWidth, 1, QImage::Format_ARGB32);
    wide.fill(0xff102030u);
    EXPECT_EQ(histogram.ApplyColourCorrection(wide, 0, 0, 10, 0, 25, 25, 25), -1);
    EXPECT_EQ(wide.pixel(0, 0), 0xff102030u);
    EXPECT_EQ(histogram.CountHistogram(wide), -1);
    EXPECT_EQ(histogram.bin(Histogram::Corrected, 255)[1], 1u);

    // Only bins 0 and 255 filled: no scale, nothing drawn, the picture stays.
    QImage blackWhite(2, 1, QImage::Format_ARGB32);
    blackWhite.setPixel(0, 0, 0xff000000u);
    blackWhite.setPixel(1, 0, 0xffffffffu);
    QImage picture(Histogram::kWidth, Histogram::kHeight, QImage::Format_ARGB32);
    picture.fill(0xff123456u);
    ASSERT_EQ(histogram.CountHistogram(blackWhite), 0);
    histogram.DrawHistogram(Histogram::Uncorrected, picture);
    EXPECT_EQ(picture.pixel(10, 129), 0xff123456u);

    // Four pixels of grey 100 and two of 50: the largest counter of bins 1-254 is 4, so bin 100
    // is 128 high and bin 50 64 high; the corrected picture keeps that scale.
    QImage greys(6, 1, QImage::Format_ARGB32);
    greys.fill(qRgb(100, 100, 100));
    greys.setPixel(4, 0, qRgb(50, 50, 50));
    greys.setPixel(5, 0, qRgb(50, 50, 50));
    ASSERT_EQ(histogram.CountHistogram(greys), 0);
    histogram.DrawHistogram(Histogram::Uncorrected, picture);
    EXPECT_EQ(histogram.scaleMaximum(), 4);
    const auto column = [&](int x) {
        int h = 0;
        for (int y = 0; y < Histogram::kHeight; ++y)
            h += picture.pixel(x, y) != 0xffffffffu;
        return h;
    };
    EXPECT_EQ(column(101), 129); // y = 1 to 129
    EXPECT_EQ(column(51), 65);
    EXPECT_EQ(column(100), 0);
    // The three half-transparent passes over white: red, then green, then blue on top.
    EXPECT_EQ(picture.pixel(101, 100), qRgb(63, 95, 159));
    histogram.ApplyColourCorrection(greys, 0, 0, 5, 0, -50, -50, -50); // 100 → 50, 50 → 25
    histogram.DrawHistogram(Histogram::Corrected, picture);
    EXPECT_EQ(column(51), 129);
    EXPECT_EQ(column(26), 65);
}
