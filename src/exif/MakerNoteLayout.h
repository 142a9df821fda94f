// Where a maker note's IFD lies inside the buffer, where its value offsets count from, which byte
// order it uses and which built-in name table applies.
#pragma once

#include "exif/ExifBuffer.h"

#include <cstdint>

namespace quorvane::exif {

struct MakerNoteLayout {
    int64_t countPosition = 0; // the 16-bit entry count
    int64_t entryStart = 0;    // the first 12-byte entry
    int64_t offsetBase = 0;    // value offsets of the note count from here
    ByteOrder order = ByteOrder::kBig;
    int nameSet = -1;
};

} // namespace quorvane::exif
