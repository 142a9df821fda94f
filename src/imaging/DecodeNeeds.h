// What decoding one photo takes, told from its header before any pixel is decoded: the memory of
// the decoder's buffers, of the decoded bitmap and of the copies made of it, and, for a JPEG, its
// scans. A photo that needs more than one decode may take is refused before it is decoded.
#pragma once

#include "imaging/CodecPhoto.h"
#include "imaging/JpegMarkers.h"

#include <QImageReader>
#include <QSize>
#include <cstdint>

namespace quorvane {

// Bytes one photo's decode may take: room for the largest bitmap a photo is decoded into
// (kPhotoAllocationLimitMb, 1024 MB, 268 million pixels) and the decoder's rows beside it, while
// a run decodes a few photos at once beside its page. A four-colour progressive JPEG needs 8
// bytes of coefficients a pixel on top, so one of 6.9 KB may claim gigabytes: such a photo is
// refused, however small its file.
inline constexpr int64_t kPhotoDecodeLimit = 1'200'000'000;

struct DecodeNeeds {
    bool known = false;     // the header was read
    JpegStructure jpeg;     // jpeg.frame for a JPEG photo
    QSize size;             // the stored pixel size
    int bytesPerPixel = 4;  // of the bitmap the decoder makes (not JPEG)
    bool converted = false; // that bitmap is copied into 32-bit pixels afterwards (not JPEG)
    bool turned = false;    // the EXIF orientation turns it a quarter: the bitmap is copied turned
    // A photo read through CodecPhoto.h: the decoder's own bytes, whatever the reduction, and
    // whether it reduces by the factor (else every factor decodes at full size).
    bool codec = false;
    int64_t decoderBytes = 0;
    bool reducible = false;

    // Bytes the decode takes at its peak, all parts counted together, reduced by the factor (1, 2,
    // 4 or 8; only a JPEG is reduced). A JPEG holds while it is decoded: in a progressive (or
    // otherwise multi-scan) photo every component's coefficients, 2 bytes each for the whole
    // photo whatever the reduction; in a single-scan photo a few rows of blocks only; then the
    // reduced bitmap (1 byte a pixel grey, else 4) with its 32-bit and turned copies. A codec
    // photo: its decoder's bytes and the 32-bit bitmap at the reduction (WebP) with its copies.
    // Other photos: the decoded bitmap at full size and its copies.
    int64_t bytes(int factor) const;
    // Whether the decode may go ahead: the header was read, a JPEG holds at most kMaxJpegScans
    // scans, and bytes(factor) is within kPhotoDecodeLimit.
    bool allowed(int factor) const;
};

// The needs of the photo the reader is set on; `jpeg` is the walk over its markers (jpeg.jpeg is
// false for other kinds). Reads the header only.
DecodeNeeds ReadDecodeNeeds(const JpegStructure& jpeg, QImageReader& reader);

// The needs of a photo read through CodecPhoto.h, from its header.
DecodeNeeds CodecDecodeNeeds(const CodecHeader& header);

} // namespace quorvane
