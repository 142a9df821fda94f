// Finding the IFD inside a maker note of a maker without a rule: skips a text prefix, looks for a
// TIFF-like mark, and takes the first offset where a plausible IFD begins.
#pragma once

#include "exif/ExifBuffer.h"
#include "exif/MakerNoteLayout.h"

#include <cstdint>
#include <optional>

namespace quorvane::exif {

struct IfdPlausibility {
    bool plausible = false;
    // The value offset of the last entry whose value lies outside the entry (below 7FFFFFF).
    std::optional<int64_t> dataOffset;
};

// An IFD at buffer position `p` is plausible when p is 0 to 65536, its count is 1 to 255 and
// every entry has a type of 1 to 16.
IfdPlausibility TestIfd(const ExifBuffer& buffer, int64_t p, ByteOrder order);

struct IfdSearchHit {
    int64_t countOffset = 0;           // of the entry count, from the note's start
    std::optional<int64_t> offsetBase; // when the IFD's data offsets tell where they count from
};

// Looks for an IFD in the note at `makerNote` read in `order`.
std::optional<IfdSearchHit> SearchIfd(const ExifBuffer& buffer, int64_t makerNote, ByteOrder order);

// The layout the search gives for a note of a maker without a rule, or none.
std::optional<MakerNoteLayout> SearchLayout(const ExifBuffer& buffer, int64_t makerNote,
                                            int64_t app1Shift, ByteOrder fileOrder);

} // namespace quorvane::exif
