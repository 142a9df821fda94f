// Where the adjustment dialog's preview puts a photo, its frame and its colour correction, and
// the value boxes' text.
#include "imaging/AdjustmentPreview.h"

#include <gtest/gtest.h>

using namespace quorvane;

TEST(AdjustmentPreview, PlacesThePhotoTheFrameAndTheCorrection) {
    const struct {
        QSize view, photo;
        QSize thumbnail;
        QPoint origin;
        QRect region;
    } cases[] = {
        // Fitted by height and centred across; the region reaches one pixel past the photo.
        {{1050, 560}, {6000, 4500}, {746, 560}, {152, 0}, {QPoint(152, 0), QPoint(898, 559)}},
        // Enlarged; single-precision products fill the view instead of leaving a gap of one.
        {{1000, 500}, {400, 300}, {666, 500}, {167, 0}, {QPoint(167, 0), QPoint(833, 499)}},
        {{800, 800}, {1000, 200}, {800, 160}, {0, 320}, {QPoint(0, 320), QPoint(799, 480)}},
    };
    for (const auto& c : cases) {
        const PreviewPlacement p = PlacePreview(c.view, c.photo);
        EXPECT_EQ(p.thumbnail, c.thumbnail) << c.photo.width();
        EXPECT_EQ(p.origin, c.origin) << c.photo.width();
        EXPECT_EQ(CorrectionRegion(c.view, p.thumbnail), c.region) << c.photo.width();
        // The whole photo as the frame covers the thumbnail exactly.
        EXPECT_EQ(FrameOnPreview(p, QRect(QPoint(0, 0), c.photo)), QRect(c.origin, c.thumbnail));
    }
    // Zoom 200 halves the frame about the view's centre; a shift of 10 moves it by a tenth of the
    // thumbnail.
    const QRect frame(152, 0, 746, 560);
    EXPECT_EQ(MovedFrame(frame, {1050, 560}, {746, 560}, 200, 0, 0), QRectF(338.5, 140, 373, 280));
    EXPECT_EQ(MovedFrame(frame, {1050, 560}, {746, 560}, 100, 10, -10),
              QRectF(152 + 74.6, -56, 746, 560));
}

TEST(AdjustmentPreview, ValueBoxesCutAfterTwoDecimals) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{25, "25"},     {-25, "-25"},        {0, "0"},     {12.345, "12.34"},
                 {0.29, "0.29"}, {-12.349, "-12.34"}, {0.5, "0.5"}, {-0.001, "0"},
                 {1e-5, "0"},    {7.999, "7.99"}};
    for (const auto& c : cases)
        EXPECT_EQ(HundredthsText(c.value), c.text) << c.value;
}
