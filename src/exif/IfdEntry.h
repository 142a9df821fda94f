// One 12-byte IFD entry (tag, type, count, value or offset) and the lookups on one IFD: find
// value, find entry and find size by tag number.
#pragma once

#include "exif/ExifBuffer.h"
#include "exif/ReadPacer.h"

#include <cstdint>

namespace quorvane::exif {

constexpr int64_t kEntrySize = 12;
// Entry counts the lookups accept; anything else is answered with kBadIfd.
constexpr int64_t kMaxLookupEntries = 64;
constexpr int64_t kBadIfd = -5;

// Tags the reader acts on.
enum KnownTag : int {
    kTagMake = 271,
    kTagModel = 272,
    kTagExifIfd = 34665,
    kTagGpsIfd = 34853,
    kTagDateTimeOriginal = 36867,
    kTagMakerNote = 37500,
};

// Bytes per element of a TIFF type, -1 for an unknown type.
int TypeSize(int type);
// Element size times count (negative for an unknown type).
int64_t ByteSize(int type, int64_t count);

struct IfdEntry {
    int64_t position = 0; // buffer position of the entry
    int tag = 0;
    int type = 0;
    int64_t count = 0;
    int64_t byteSize = 0;
    int64_t valueField = 0;    // the 32-bit value-or-offset field as a number
    int64_t valuePosition = 0; // where the value bytes lie
};

// Position of entry `index` of the IFD at `ifd`.
inline int64_t EntryPosition(int64_t ifd, int64_t index) {
    return ifd + 2 + kEntrySize * index;
}

// Reads the entry at `position`; a value wider than 4 bytes lies at `offsetBase` + its offset.
IfdEntry ReadEntry(const ExifBuffer& buffer, ByteOrder order, int64_t offsetBase, int64_t position);

// The lookups on one IFD of the main TIFF structure. Each lets the pacer run before every entry
// and answers as if the tag were absent once a stop is requested.
class IfdLookup {
  public:
    IfdLookup(const ExifBuffer& buffer, int64_t base, ReadPacer& pacer)
        : buffer_(buffer), base_(base), pacer_(pacer) {}

    // `base` + the value-or-offset field of the first entry with the tag; -1 when none.
    int64_t FindValue(int64_t ifd, ByteOrder order, int tag) const;
    // Position of the first entry with the tag; -1 when none.
    int64_t FindEntry(int64_t ifd, ByteOrder order, int tag) const;
    // Byte size of the last entry with the tag; 0 when none.
    int64_t FindSize(int64_t ifd, ByteOrder order, int tag) const;

  private:
    const ExifBuffer& buffer_;
    int64_t base_;
    ReadPacer& pacer_;
};

} // namespace quorvane::exif
