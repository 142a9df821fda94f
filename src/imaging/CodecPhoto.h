// Photos of the kinds Qt's own readers do not take, read through their libraries: HEIF and AVIF
// (libheif), WebP (libwebp), TIFF (libtiff). The header first (sizes, orientation, colour
// profile, the decoder's memory), then the pixels, upright, as 32-bit pixels, into memory counted
// before anything is decoded; a stop ends the reading of the file and with it the decode.
#pragma once

#include "imaging/CancellableDevice.h"

#include <QByteArray>
#include <QColorSpace>
#include <QIODevice>
#include <QImage>
#include <QImageIOHandler>
#include <QSize>
#include <cstdint>
#include <vector>

namespace quorvane {

enum class CodecKind { None, Heif, Webp, Tiff };

// The kind the file's first bytes show, from the device's position (put back afterwards).
CodecKind CodecKindOf(QIODevice& device);

struct CodecHeader {
    CodecKind kind = CodecKind::None;
    QSize stored; // as the decoder gives it (HEIF: with its container's turns already made)
    // The EXIF or TIFF orientation still to be made after decoding (never for HEIF: libheif
    // makes the container's, and the EXIF copy of it must not be made again).
    QImageIOHandler::Transformations transformation = QImageIOHandler::TransformationNone;
    bool alpha = false;
    bool reducible = false;   // the decoder reduces by 2, 4 or 8 while decoding (WebP)
    int64_t decoderBytes = 0; // the decoder's own memory beside the 32-bit bitmap, any reduction
    bool converted = false;   // the decoder's pixels are copied into the 32-bit bitmap
    QByteArray iccProfile;    // embedded ICC profile, empty when none
    QColorSpace colourSpace;  // HEIF colour given as numbers (nclx) instead of a profile
    // Sizes of smaller images of the whole photo (HEIF thumbnails with its proportions, within
    // a pixel), as decoded, smallest first.
    std::vector<QSize> smaller;

    bool valid() const { return kind != CodecKind::None && stored.isValid(); }
};

// The header of the photo on the device (read from its position); invalid when it is not one of
// these kinds or cannot be read.
CodecHeader ReadCodecHeader(QIODevice& device);

// The photo decoded, reduced by `factor` when the header says the decoder can (1 otherwise: full
// size), or its smaller image of the size `smaller` (one of header.smaller), turned upright:
// Format_ARGB32 with alpha, else Format_RGB32. Null when it cannot be decoded, its size is not
// the header's, or `cancelled` said stop.
QImage DecodeCodecPhoto(QIODevice& device, const CodecHeader& header, int factor,
                        const CancelCheck& cancelled = {}, const QSize& smaller = {});

// The EXIF orientation (1-8) as the transformation that makes the photo upright.
QImageIOHandler::Transformations OrientationTransformation(int orientation);

// The image turned by the transformation: mirrored and flipped first, then turned a quarter
// clockwise. Null when the memory runs out.
QImage Transformed(QImage image, QImageIOHandler::Transformations transformation);

} // namespace quorvane
