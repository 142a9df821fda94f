// Where one photo goes: the periphery cut, the trim to the layout's ratio and the fitted size in
// its cell, all worked out from the photo's full size before any pixel is decoded.
#pragma once

#include <QRect>
#include <QSize>

namespace quorvane {

struct PhotoPlanInput {
    QSize photo; // upright size of the photo
    QSize cell;  // photo_width x photo_height (swapped for web cells, see below)
    int dpi = 300;
    bool cutPeriphery = false; // trim2mm: cut 1.5 mm off every side
    bool trimToRatio = false;  // l_size_trim
    float ratio = 0;           // aspect_ratio, target width / height
};

struct PhotoPlan {
    QRect cut;        // the part kept by the periphery cut (the whole photo without it)
    QRect trimmed;    // the part kept by the ratio trim, in photo coordinates
    QSize fitted;     // size in the cell, never below 1 x 1
    QSize scaledSize; // the trimmed part is scaled to this, then its top-left `fitted` part is used
};

// The periphery cut in pixels for a resolution: dpi x 1.5 x 10 / 254 in single precision.
float PeripheryCut(int dpi);

// The whole plan. The trim works with L = trunc(ratio x 10000) in single precision, like the
// ratio itself. A cut that would leave less than one pixel is not made; a ratio of 0 or less
// means no trimming.
PhotoPlan PlanPhoto(const PhotoPlanInput& input);

// Web exhibition cells turn with the photo: when the photo's orientation (landscape or square,
// portrait) differs from the cell's, width and height of the cell are swapped and the ratio is
// inverted.
void TurnCellToPhoto(PhotoPlanInput& input);

} // namespace quorvane
