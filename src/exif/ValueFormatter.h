// Turns the value bytes of one TIFF entry into report text, type by type, with the dump limits of
// Quorvane.ini (values per line, most bytes shown).
#pragma once

#include "exif/ExifBuffer.h"
#include "exif/ReadPacer.h"

#include <cstdint>
#include <string>

namespace quorvane::exif {

struct DumpLimits {
    int valuesPerLine = 16; // maxTagLineCol: a line break before every multiple of it
    int maxBytes = 32;      // maxDumpBinCt: bytes beyond it become ".. ( size Bytes )"
};

class ValueFormatter {
  public:
    ValueFormatter(const ExifBuffer& buffer, DumpLimits limits, ReadPacer& pacer)
        : buffer_(buffer), limits_(limits), pacer_(pacer) {}

    // The text of `size` value bytes of TIFF `type` at `position`, read in `order`. Empty when
    // the value does not lie wholly inside the buffer; "-1" for a type outside 1 to 13.
    std::string FormatValue(int type, ByteOrder order, int64_t size, int64_t position) const;

    const ExifBuffer& buffer() const { return buffer_; }
    ReadPacer& pacer() const { return pacer_; }

  private:
    const ExifBuffer& buffer_;
    DumpLimits limits_;
    ReadPacer& pacer_;
};

// Position as at least 8 upper-case hexadecimal digits (error texts).
std::string Hex8(int64_t value);

} // namespace quorvane::exif
