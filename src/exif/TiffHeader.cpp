#include "exif/TiffHeader.h"

namespace quorvane::exif {

namespace {

constexpr int kMaxSegments = 100;
constexpr int64_t kSegmentHeaderSize = 4; // marker and big-endian length

} // namespace

bool IsJpeg(const ExifBuffer& buffer) {
    return buffer.Byte(0) == 0xFF && buffer.Byte(1) == 0xD8;
}

int64_t FindTiffBase(const ExifBuffer& buffer) {
    if (buffer.Byte(2) != 0xFF || buffer.Byte(3) != 0xE0)
        return kDefaultTiffBase;
    int64_t pos = 2;
    for (int segment = 0; segment < kMaxSegments; ++segment) {
        if (pos + kSegmentHeaderSize - 1 > ExifBuffer::kLastPosition)
            break;
        if (buffer.Byte(pos) != 0xFF)
            break;
        uint8_t marker = buffer.Byte(pos + 1);
        if (marker == 0xD9)
            break;
        if (marker == 0xE1)
            return pos + 10;
        pos += 2 + buffer.ReadUnsigned(2, ByteOrder::kBig, pos + 2);
    }
    return kDefaultTiffBase;
}

TiffHeader ReadTiffHeader(const ExifBuffer& buffer) {
    TiffHeader header;
    header.base = FindTiffBase(buffer);
    bool intel = buffer.Byte(header.base) == 'I' && buffer.Byte(header.base + 1) == 'I';
    header.order = intel ? ByteOrder::kLittle : ByteOrder::kBig;
    header.magicOk = buffer.ReadUnsigned(2, header.order, header.base + 2) == 42;
    header.ifd0 = header.base + buffer.ReadUnsigned(4, header.order, header.base + 4);
    header.ifd0Count = buffer.ReadUnsigned(2, header.order, header.ifd0);
    return header;
}

} // namespace quorvane::exif
