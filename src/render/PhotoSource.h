// Reading one photo for a page: its header first (sizes and orientation, nothing decoded), then
// its pixels, at full size or reduced by the JPEG (or WebP) decoder, with the frame that ties
// decoded pixels to the full-size upright photo so that crops keep their place, converted into
// sRGB when it embeds another colour profile (see ColourProfile.h). JPEG, PNG and GIF are read by
// Qt; HEIF, AVIF, WebP and TIFF through CodecPhoto.h. Every read opens the photo by its exact
// bytes, so names that are not UTF-8 are read too (see LocalPath.h).
#pragma once

#include "files/LocalPath.h"

#include "imaging/CancellableDevice.h"
#include "imaging/DecodeNeeds.h"

#include <QImage>
#include <QImageIOHandler>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <QString>
#include <vector>

namespace quorvane {

// What the file header tells about a photo.
struct PhotoHeader {
    QSize stored;  // pixel size as stored in the file; invalid when the file is not an image
    QSize upright; // the size once turned upright by the EXIF orientation
    QImageIOHandler::Transformations transformation = QImageIOHandler::TransformationNone;
    bool jpeg = false;      // a JPEG: the decoder can reduce it by 2, 4 or 8 while decoding
    bool reducible = false; // another kind whose decoder reduces so (WebP)
    // Smaller images of the whole photo the file holds, upright, smallest first (HEIF
    // thumbnails of the photo's proportions): decoded instead of it where they are enough.
    std::vector<QSize> smaller;
    DecodeNeeds needs; // what a decode takes, at each reduction
};

// The header, nothing decoded. Invalid (stored and upright invalid) when the file is not an image,
// is larger than WithinPhotoLimit allows, or may not be decoded even at the strongest reduction
// (DecodeNeeds::allowed): such a photo gets the loading message before anything is decoded.
PhotoHeader ReadPhotoHeader(const LocalPath& path);

// The size the photo has when turned upright by its EXIF orientation; an invalid size when the
// file cannot be read as an image.
QSize UprightPhotoSize(const LocalPath& path);

// How decoded pixels relate to the full-size upright photo: decoded pixel (i, j) covers the
// full-size pixels from (covered.x() + i × factor, covered.y() + j × factor), factor wide and
// high. A full-size decode has factor 1 and covers the whole photo. A reduced JPEG leaves out the
// last partial block of factor pixels along the edges its size does not divide, so `covered` may
// be a little smaller than the photo.
struct DecodeFrame {
    int factor = 1;
    QRect covered;
    // A smaller image of the covered part (factor 1): its size. Its pixels cover the photo's
    // scaled by covered.size() / scaled in each direction. Empty for the photo's own pixels.
    QSize scaled;

    QSize decodedSize() const { return scaled.isEmpty() ? covered.size() / factor : scaled; }
    // A rectangle of full-size photo coordinates in decoded pixel coordinates, exactly.
    QRectF toDecoded(const QRectF& rect) const;
    // A crop of the full-size photo in whole decoded pixels: each edge moves to the nearest
    // decoded pixel edge and the result is kept within the decoded pixels. At factor 1 the crop
    // itself, kept within the photo.
    QRect toDecoded(const QRect& crop) const;
    // A rectangle of decoded pixel coordinates back in full-size photo coordinates.
    QRectF toPhoto(const QRectF& rect) const;
};

// The frame a decode of the photo reduced by the factor (1, 2, 4 or 8) has. For a photo with
// smaller images: the smallest of them at least 1/factor of the photo in both directions, else
// the photo's own pixels.
DecodeFrame FrameFor(const PhotoHeader& header, int factor);

// The strongest reduction (8, 4, 2, else 1) at which the crop still measures at least `needed`
// decoded pixels in both directions: the smallest decode that keeps every pixel the cell needs.
// Only JPEG and WebP photos are reduced, and photos with smaller images (HEIF thumbnails).
int ReductionFor(const PhotoHeader& header, const QRect& crop, const QSize& needed);

struct DecodedPhoto {
    QImage image; // upright; 32 bits per pixel (RGB32 when the photo has no alpha channel)
    DecodeFrame frame;
    bool cancelled = false; // `cancelled` said stop: the decode ended early, nothing to place
};

// The photo decoded upright, reduced by the factor in the JPEG or WebP decoder (factor 1: full
// size), in sRGB.
// A null image when the file cannot be decoded, its pixels are not what the header promised, or
// the file as it is now may not be decoded at this factor (DecodeNeeds::allowed, checked again
// on the bytes being decoded). The decode ends within a scan of `cancelled` saying stop.
// Safe to call from several threads at once.
DecodedPhoto DecodePhoto(const LocalPath& path, const PhotoHeader& header, int factor,
                         const CancelCheck& cancelled = {});

// The photo (or a background image) decoded upright at full size (see LoadImageFile), opened as
// OpenLocalFile does: a name that is not a regular file (a named pipe) is refused at once. Null
// when it cannot be opened, read or decoded, or when `cancelled` said stop.
QImage LoadPhoto(const LocalPath& path, const CancelCheck& cancelled = {});

} // namespace quorvane
