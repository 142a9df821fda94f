// The readers behind CodecPhoto.h, one per library: each reads its header and decodes its pixels
// (full size or reduced by the factor it supports), before the orientation is made.
#pragma once

#include "imaging/CodecPhoto.h"

namespace quorvane {

CodecHeader ReadHeifHeader(QIODevice& device);
// The primary image, or its thumbnail of the size `smaller` when that is not empty.
QImage DecodeHeif(QIODevice& device, const CodecHeader& header, const QSize& smaller);

CodecHeader ReadWebpHeader(QIODevice& device);
QImage DecodeWebp(QIODevice& device, const CodecHeader& header, int factor,
                  const CancelCheck& cancelled);

CodecHeader ReadTiffHeader(QIODevice& device);
QImage DecodeTiff(QIODevice& device, const CodecHeader& header);

// Bytes of a 32-bit bitmap of the size, its rows whole.
inline int64_t Bitmap32Bytes(const QSize& size) {
    return int64_t{std::max(0, size.width())} * std::max(0, size.height()) * 4;
}

} // namespace quorvane
