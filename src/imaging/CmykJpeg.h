// CMYK JPEG photos with an embedded CMYK profile: Qt turns their inks into RGB without the
// profile, so they are decoded here by libjpeg as inks, reduced by the factor while decoding like
// any JPEG, and converted into sRGB through the profile (see ColourProfile.h).
#pragma once

#include "imaging/JpegMarkers.h"

#include <QIODevice>
#include <QImage>

namespace quorvane {

// Whether the JPEG holds four components and a CMYK profile.
bool IsCmykWithProfile(const JpegStructure& jpeg);

// The photo on the device (from its position) decoded reduced by `factor` (1, 2, 4 or 8) to its
// whole blocks (width / factor x height / factor), as stored (not yet turned upright), in sRGB,
// Format_RGB32. Null when it cannot be decoded or a read of the device fails (a stop).
QImage DecodeCmykJpeg(QIODevice& device, const JpegStructure& jpeg, int factor);

} // namespace quorvane
