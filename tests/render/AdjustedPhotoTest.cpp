// An accepted adjustment applied to a full-size photo: corner, trim, rotation, copy, colour.
#include "render/AdjustedPhoto.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

// 400 x 300 in four quadrants: red, green (top), blue, grey 200 (bottom).
QImage Quadrants() {
    QImage photo(400, 300, QImage::Format_ARGB32);
    QPainter p(&photo);
    p.fillRect(0, 0, 200, 150, QColor(255, 0, 0));
    p.fillRect(200, 0, 200, 150, QColor(0, 255, 0));
    p.fillRect(0, 150, 200, 150, QColor(0, 0, 255));
    p.fillRect(200, 150, 200, 150, QColor(200, 200, 200));
    return photo;
}

} // namespace

TEST(AdjustedPhoto, KeepsTheSelectionFromItsCornerTurnedAndCorrected) {
    const QImage photo = Quadrants();
    const struct {
        const char* what;
        PhotoAdjustment adjustment;
        bool square; // trim to 1:1
        QSize size;  // of the copied part
        QRgb topLeft, bottomRight;
    } cases[] = {
        {"the top-right quadrant, its right edge beyond the photo stays white",
         {true, 200, 0, 200, 150, 0, false, 0, 0, 0},
         false,
         {201, 151},
         qRgb(0, 255, 0),
         qRgb(255, 255, 255)},
        {"trimmed square from the selection's corner, not centred",
         {true, 100.9f, 0, 200, 150, 0, false, 0, 0, 0},
         true,
         {151, 151},
         qRgb(255, 0, 0),
         qRgb(200, 200, 200)},
        {"half a turn moves the bottom-right quadrant to the top left",
         {true, 0, 0, 100, 100, 180, false, 0, 0, 0},
         false,
         {101, 101},
         qRgb(200, 200, 200),
         qRgb(200, 200, 200)},
        // 300 x 400 after the turn: the part moves by (-50, 50), half of it outside on the left.
        {"a quarter turn grows the bitmap and shifts the part by half the growth",
         {true, 0, 0, 60, 60, 90, false, 0, 0, 0},
         false,
         {61, 61},
         qRgb(255, 255, 255),
         qRgb(0, 0, 255)},
        {"colour corrected by +25 %",
         {true, 250, 200, 100, 50, 0, true, 25, 25, 25},
         false,
         {101, 51},
         qRgb(250, 250, 250),
         qRgb(250, 250, 250)},
    };
    for (const auto& c : cases) {
        PhotoPlanInput cell;
        cell.cell = QSize(100, 100);
        cell.trimToRatio = c.square;
        cell.ratio = 1.0f;
        const AdjustedPhoto out = ApplyAdjustment(photo, c.adjustment, cell);
        ASSERT_FALSE(out.photo.isNull()) << c.what;
        EXPECT_EQ(out.photo.size(), c.size) << c.what;
        EXPECT_EQ(out.photo.pixel(0, 0), c.topLeft) << c.what;
        EXPECT_EQ(out.photo.pixel(out.photo.width() - 1, out.photo.height() - 1), c.bottomRight)
            << c.what;
        // The cell's sizes come from the trimmed selection, not from the copy.
        EXPECT_EQ(out.plan.trimmed.size(), QSize(c.size.width() - 1, c.size.height() - 1))
            << c.what;
    }
}
