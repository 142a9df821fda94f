// An accepted photo adjustment applied to the photo at full size, in place of the renderer's own
// periphery cut and trimming: the kept part starts at the selection's corner, the photo turns
// about its centre first, and the copy is colour-corrected.
#pragma once

#include "imaging/PhotoAdjustment.h"
#include "render/PhotoPlan.h"

#include <QImage>

namespace quorvane {

struct AdjustedPhoto {
    QImage photo;   // the copied-out part; null when memory ran out
    PhotoPlan plan; // fitted and scaled sizes for the cell, from the trimmed selection
};

// The selection (integer parts) is trimmed to the layout's ratio (cell, trimToRatio and ratio of
// `cell`; its photo size and periphery cut are ignored) and the kept size counted from the
// selection's corner. A rotation turns the photo about its centre, growing the bitmap, and moves
// the part by half the growth; corners the turn uncovers are white. The part (right and bottom
// edges included) is copied onto an opaque white bitmap, then colour-corrected when asked.
AdjustedPhoto ApplyAdjustment(const QImage& photo, const PhotoAdjustment& adjustment,
                              const PhotoPlanInput& cell);

} // namespace quorvane
