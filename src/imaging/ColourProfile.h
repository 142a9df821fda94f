// Colours that print true: a photo whose embedded ICC profile (or HEIF colour numbers) is not
// sRGB is converted into sRGB when it is loaded, with relative colorimetric intent (colours sRGB
// can show stay exactly as meant; the others are clipped to its gamut). QColorSpace applies the
// profiles it takes (matrix and curves); Little CMS the rest (tables, grey). A photo without a
// profile, or with one that maps every colour onto sRGB's own, is left as it was decoded.
#pragma once

#include <QByteArray>
#include <QColorSpace>
#include <QImage>
#include <memory>

namespace quorvane {

// Whether the profile maps colours as sRGB does (every 8-bit level within one of sRGB's own).
bool IsSrgbProfile(const QByteArray& iccProfile);

// Converts a 32-bit photo (Format_RGB32 or Format_ARGB32; alpha kept) from its profile into
// sRGB; with no profile, from `numbers` when that is valid. False, the photo unchanged, when
// there is nothing to convert or the profile cannot be applied.
bool ConvertToSrgb(QImage& image, const QByteArray& iccProfile, const QColorSpace& numbers = {});

// The sRGB profile written into pages and web images (a few hundred bytes, matrix and curves).
const QByteArray& SrgbProfile();

// Whether the profile is one of CMYK inks (Little CMS applies it; Qt cannot).
bool IsCmykProfile(const QByteArray& iccProfile);

// Rows of 8-bit CMYK samples into opaque sRGB 32-bit pixels through a CMYK profile, with the
// same intent; `inverted` for Adobe's CMYK JPEGs, which store 255 for no ink.
class CmykToSrgb {
  public:
    CmykToSrgb(const QByteArray& iccProfile, bool inverted);
    bool valid() const { return transform_ != nullptr; }
    // `count` pixels of 4 bytes each (C, M, Y, K) into `out`.
    void convert(const uchar* cmyk, QRgb* out, int count) const;

  private:
    std::shared_ptr<void> transform_;
};

} // namespace quorvane
