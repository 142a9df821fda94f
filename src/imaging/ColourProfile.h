// Colours that print true: a photo whose embedded ICC profile (or HEIF colour numbers) is not
// sRGB is converted into sRGB when it is loaded, with relative colorimetric intent (colours sRGB
// can show stay exactly as meant; the others are clipped to its gamut). QColorSpace applies the
// profiles it takes (matrix and curves); Little CMS the rest (tables, grey). A photo without a
// profile, or with one that maps every colour onto sRGB's own, is left as it was decoded.
#pragma once

#include <QByteArray>
#include <QColorSpace>
#include <QImage>

namespace quorvane {

// Whether the profile maps colours as sRGB does (every 8-bit level within one of sRGB's own).
bool IsSrgbProfile(const QByteArray& iccProfile);

// Converts a 32-bit photo (Format_RGB32 or Format_ARGB32; alpha kept) from its profile into
// sRGB; with no profile, from `numbers` when that is valid. False, the photo unchanged, when
// there is nothing to convert or the profile cannot be applied.
bool ConvertToSrgb(QImage& image, const QByteArray& iccProfile, const QColorSpace& numbers = {});

// The sRGB profile written into pages and web images (a few hundred bytes, matrix and curves).
const QByteArray& SrgbProfile();

} // namespace quorvane
