// Trim and fit arithmetic of one photo, from its size alone.
#include "render/PhotoPlan.h"

#include <gtest/gtest.h>
#include <limits>

using namespace quorvane;

namespace {

PhotoPlanInput Input(QSize photo, QSize cell, bool trim = false, float ratio = 1.4285f) {
    PhotoPlanInput in;
    in.photo = photo;
    in.cell = cell;
    in.trimToRatio = trim;
    in.ratio = ratio;
    return in;
}

TEST(PhotoPlan, TrimsToTheRatioCentred) {
    // A square photo trimmed to 1.4285: its height becomes W x 10000 / 14285.
    PhotoPlan p = PlanPhoto(Input({1000, 1000}, {1181, 827}, true, 1.4285f));
    EXPECT_EQ(p.trimmed, QRect(0, 150, 1000, 700));
    // A wide photo is cut at the sides: width H x L / 10000.
    p = PlanPhoto(Input({3000, 1000}, {1181, 827}, true, 1.4285f));
    EXPECT_EQ(p.trimmed, QRect(786, 0, 1428, 1000));
    // A portrait photo with a landscape ratio keeps its width and loses height.
    p = PlanPhoto(Input({1000, 2000}, {1181, 827}, true, 1.4285f));
    EXPECT_EQ(p.trimmed, QRect(0, 650, 1000, 700));
    // A portrait photo with a portrait ratio wider than the photo keeps its height.
    p = PlanPhoto(Input({1000, 3000}, {827, 1181}, true, 0.7f));
    EXPECT_EQ(p.trimmed, QRect(0, 786, 1000, 1428));
    // The layout's 1.4 and 0.7 give L = 14000 and 7000 as single-precision products (not 13999
    // and 6999): photos already at those ratios keep every pixel.
    p = PlanPhoto(Input({1400, 1000}, {1400, 1000}, true, 1.4f));
    EXPECT_EQ(p.trimmed, QRect(0, 0, 1400, 1000));
    EXPECT_EQ(p.fitted, QSize(1400, 1000));
    p = PlanPhoto(Input({700, 1000}, {700, 1000}, true, 0.7f));
    EXPECT_EQ(p.trimmed, QRect(0, 0, 700, 1000));
    // Already at the ratio (Q within L ± 1): no trim.
    p = PlanPhoto(Input({14285, 10000}, {1181, 827}, true, 1.4285f));
    EXPECT_EQ(p.trimmed, QRect(0, 0, 14285, 10000));
    // Off, or a ratio of 0 or less: no trim, and no division by zero.
    EXPECT_EQ(PlanPhoto(Input({1000, 1000}, {100, 100}, false)).trimmed, QRect(0, 0, 1000, 1000));
    EXPECT_EQ(PlanPhoto(Input({1000, 1000}, {100, 100}, true, 0)).trimmed, QRect(0, 0, 1000, 1000));
    // Hand-edited ratios far beyond the integer's range, in either sign, or not a number.
    for (float ratio :
         {-2.0f, -2.02e31f, -3.4e38f, 3.4e38f, std::numeric_limits<float>::quiet_NaN()})
        EXPECT_EQ(PlanPhoto(Input({1000, 1000}, {100, 100}, true, ratio)).trimmed,
                  QRect(0, 0, 1000, 1000))
            << ratio;
}

TEST(PhotoPlan, FitsIntoTheCellAndScalesThenCuts) {
    PhotoPlan p = PlanPhoto(Input({4000, 3000}, {1181, 827}));
    EXPECT_EQ(p.fitted, QSize(1102, 827)); // CH x W / H = 827 x 4000 / 3000
    EXPECT_EQ(p.scaledSize, QSize(1104, 827 + 827 * 2 / 1102));
    p = PlanPhoto(Input({3000, 1000}, {1181, 827}));
    EXPECT_EQ(p.fitted, QSize(1181, 393)); // CW x (H x CW / W)
    EXPECT_EQ(p.scaledSize, QSize(1183, 393));
    // Extreme shapes never give a size below one pixel.
    p = PlanPhoto(Input({2, 3000}, {1181, 827}));
    EXPECT_EQ(p.fitted, QSize(1, 827));
    p = PlanPhoto(Input({30000, 2}, {100, 100}));
    EXPECT_EQ(p.fitted, QSize(100, 1));
}

TEST(PhotoPlan, PeripheryCutAtTheResolution) {
    EXPECT_FLOAT_EQ(PeripheryCut(300), 300 * 1.5f * 10 / 254);
    PhotoPlanInput in = Input({1000, 800}, {500, 400});
    in.cutPeriphery = true;
    in.dpi = 300; // cut 17.71..: left 17, width trunc(1000 - 35.43) = 964
    PhotoPlan p = PlanPhoto(in);
    EXPECT_EQ(p.cut, QRect(17, 17, 964, 764));
    EXPECT_EQ(p.trimmed, p.cut);
    // Too small for the cut (32 px at 300 dpi leaves -3): used whole.
    in.photo = QSize(32, 500);
    EXPECT_EQ(PlanPhoto(in).cut, QRect(0, 0, 32, 500));
    // The ratio trim works inside the cut part.
    in.photo = QSize(1035, 1035);
    in.trimToRatio = true;
    in.ratio = 2.0;
    p = PlanPhoto(in);
    EXPECT_EQ(p.cut, QRect(17, 17, 999, 999));
    EXPECT_EQ(p.trimmed, QRect(17, 17 + 250, 999, 499));
}

TEST(PhotoPlan, WebCellsTurnWithThePhoto) {
    PhotoPlanInput in = Input({1000, 2000}, {1181, 827}, true, 1.5);
    TurnCellToPhoto(in);
    EXPECT_EQ(in.cell, QSize(827, 1181));
    EXPECT_FLOAT_EQ(in.ratio, 1 / 1.5f);
    PhotoPlanInput same = Input({2000, 1000}, {1181, 827}, true, 1.5);
    TurnCellToPhoto(same);
    EXPECT_EQ(same.cell, QSize(1181, 827));
}

} // namespace
