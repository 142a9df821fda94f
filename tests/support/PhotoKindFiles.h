// Photos of the kinds read through their libraries, made by the tests from pictures they draw:
// HEIF and AVIF with libheif's encoder, WebP with libwebp's, TIFF written byte by byte. Each can
// carry an EXIF block, an ICC profile and an orientation where its kind has them.
#pragma once

#include <QByteArray>
#include <QImage>
#include <string>

namespace quorvane::test {

// A TIFF structure as cameras put into EXIF blocks: IFD0 with Make, Model and (when not 0)
// Orientation, and an Exif IFD with DateTimeOriginal (when not empty). Little-endian.
std::string ExifBlock(const std::string& date, int orientation = 0,
                      const std::string& make = "Quorvane", const std::string& model = "Q1");

struct KindOptions {
    std::string exif;             // TIFF structure of the EXIF block; empty: none
    QByteArray icc;               // embedded profile; empty: none
    int containerOrientation = 1; // HEIF: the turn its container carries (EXIF numbering)
    bool lossless = false;        // WebP
    bool pixelsFirst = false;     // TIFF: the directories after the pixels (libtiff's order)
    int quality = 90;
    // HEIF: a thumbnail item of the photo, made from this picture at half its size.
    QImage thumbnail;
};

QByteArray HeifFile(const QImage& picture, const KindOptions& options = {}, bool av1 = false);
QByteArray WebpFile(const QImage& picture, const KindOptions& options = {});
// Uncompressed 8-bit RGB, one strip, little-endian; IFD0 with Make, Model, the Orientation (when
// not 0), the profile (options.icc) and an Exif IFD with DateTimeOriginal (when not empty).
QByteArray TiffFile(const QImage& picture, const std::string& date = {}, int orientation = 0,
                    const KindOptions& options = {});

} // namespace quorvane::test
