// Finding the TIFF header of a JPEG's EXIF block: the segment scan after a JFIF APP0, the byte
// order, the magic number 42 and the position of IFD0.
#pragma once

#include "exif/ExifBuffer.h"

#include <cstdint>

namespace quorvane::exif {

// Where the TIFF header of a JPEG without APP0 lies: SOI, APP1 marker, length, "Exif" 00 00.
constexpr int64_t kDefaultTiffBase = 12;

struct TiffHeader {
    int64_t base = kDefaultTiffBase; // buffer position of the TIFF header
    ByteOrder order = ByteOrder::kBig;
    bool magicOk = false;  // the number 42 follows the byte-order mark
    int64_t ifd0 = 0;      // buffer position of IFD0
    int64_t ifd0Count = 0; // its 16-bit entry count

    // How far the EXIF block was moved by segments before it (0 for a camera file).
    int64_t app1Shift() const { return base - kDefaultTiffBase; }
};

// True when the buffer begins with the JPEG start-of-image mark FF D8.
bool IsJpeg(const ExifBuffer& buffer);

// The TIFF header position: 12, or the first APP1 position + 10 when the first segment is APP0.
int64_t FindTiffBase(const ExifBuffer& buffer);

// Base, byte order, magic check and IFD0 of the buffer (meaningful only for a JPEG).
TiffHeader ReadTiffHeader(const ExifBuffer& buffer);

} // namespace quorvane::exif
