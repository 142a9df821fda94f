// One photo made ready for its cell, in separate steps: plan the crop and the size from the
// header, decode (reduced by the JPEG decoder when the cell needs fewer pixels), crop and scale.
// Stamping and placing on the page follow in the page renderer. Every step is safe to run on a
// worker thread.
#pragma once

#include "files/LocalPath.h"

#include "imaging/PhotoAdjustment.h"
#include "render/PhotoPlan.h"
#include "render/PhotoSource.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>

namespace quorvane {

struct PreparedPhoto {
    enum Failure {
        None,
        Unreadable,   // no image, or one below 2 x 2 pixels
        OutOfMemory,  // the crop or the scaled copy could not be made
        LeftToCaller, // needs more memory than the caller's limit: nothing was decoded
        Cancelled,    // a stop was asked for while it was prepared: nothing to place or report
    } failure = None;
    QImage fitted;       // Format_ARGB32, the plan's fitted size
    bool opaque = false; // no pixel of the photo is transparent (it may be copied, not blended)
    QSize cell;          // the cell it is centred in (turned with the photo on web layouts)
};

// The crop-and-scale step: the planned part of the photo (plan.trimmed, in full-size photo
// coordinates) is taken from the decoded pixels through their frame, scaled to plan.scaledSize,
// and its top-left plan.fitted part kept. Null when memory runs out.
QImage CropAndScale(const DecodedPhoto& photo, const PhotoPlan& plan);

// The photo with an accepted adjustment in place of the periphery cut and the trimming: decoded
// at full size, so that the selection's whole pixels are the photo's own, then adjusted (see
// ApplyAdjustment) and scaled for the cell of `layout`.
PreparedPhoto PrepareAdjustedPhoto(const LocalPath& path, const PhotoAdjustment& adjustment,
                                   const PhotoPlanInput& layout);

// All steps for the photo at the path. `layout` holds the cell and the trim options (its photo
// size is filled in from the header); `turnForWeb` turns the cell with the photo; `reduce` lets
// the JPEG decoder reduce (off: every photo is decoded at full size). A photo whose decode needs
// more than `byteLimit` bytes (DecodeNeeds::bytes at its reduction; 0: no limit) is left to the
// caller undecoded. `cancelled` ends the decode early (see DecodePhoto).
PreparedPhoto PreparePhoto(const LocalPath& path, PhotoPlanInput layout, bool turnForWeb,
                           bool reduce = true, int64_t byteLimit = 0,
                           const CancelCheck& cancelled = {});

} // namespace quorvane
