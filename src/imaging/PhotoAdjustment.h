// The adjustment of one photo of a one-photo layout, as the operator sets it in the adjustment
// dialog and the renderer applies it: the part of the photo kept, a small rotation and an RGB
// colour correction. It is used for that photo and forgotten.
#pragma once

#include <QRectF>
#include <QSize>

namespace quorvane {

struct PhotoAdjustment {
    bool accepted = false; // "決定" with the selection inside the photo
    float sx = 0;          // selected part, in pixels of the unrotated photo
    float sy = 0;
    float w = 0;
    float h = 0;
    float angle = 0; // degrees, positive clockwise on screen: the dial's value / 10
    bool colour_correction = true;
    float red = 0; // percent, -25 to 25
    float green = 0;
    float blue = 0;

    // Whether the renderer uses it in place of its own trimming: a selection or a rotation.
    bool inUse() const { return sx > 0 || sy > 0 || w > 0 || h > 0 || angle != 0; }
};

// The largest enlargement in percent for a photo of the given size in a cell: the integer part
// of min(photo width / cell width, photo height / cell height) x 100 in single precision. At 100
// or below the photo cannot be enlarged.
int ZoomLimit(QSize photo, QSize cell);
// The same ratio g before it is turned into percent (the dialog shows it).
float ZoomRatio(QSize photo, QSize cell);

// The selected part: the crop frame shrunk by zoom / 100 about the photo's centre and moved by
// the shifts (percent of the photo's width and height, positive right and down).
QRectF ComputeSelection(const QRectF& cropFrame, QSize photo, double zoomPercent, double shiftX,
                        double shiftY);

// Whether a selection lies inside the photo (compared as real numbers).
bool SelectionInsidePhoto(const QRectF& selection, QSize photo);

// The whole-percent shifts, between -kMaxShift and kMaxShift, that keep the selection of
// ComputeSelection inside the photo at this zoom. The left/right shift moves only sx and the
// up/down shift only sy, so every pair taken from the two ranges is inside. A range holds 0
// alone when the frame has no room to move on that axis.
constexpr int kMaxShift = 50;
struct ShiftRange {
    int low = 0;
    int high = 0;
    bool operator==(const ShiftRange&) const = default;
};
struct ShiftRanges {
    ShiftRange x; // left/right
    ShiftRange y; // up/down
};
ShiftRanges ShiftsInsidePhoto(const QRectF& cropFrame, QSize photo, double zoomPercent);

// "sx:1000 sy:750 w:2000 h:1500": the integer parts of the selection.
QString SelectionStatus(const QRectF& selection);

} // namespace quorvane
