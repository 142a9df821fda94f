// The built-in maker-note layouts of six camera makers, chosen by the Make text and checked
// against the first bytes of the note.
#pragma once

#include "exif/ExifBuffer.h"
#include "exif/MakerNoteLayout.h"

#include <optional>
#include <string>

namespace quorvane::exif {

struct BuiltInRule {
    bool makeMatched = false;              // one of the six makers (the search is not run then)
    std::optional<MakerNoteLayout> layout; // empty when the note's first bytes do not fit
};

// Tries the makers in order (Nikon, Canon, Fujifilm, Sanyo, Olympus, Ricoh); the first whose
// Make test matches decides. `makerNote` is the note's buffer position, `fileOrder` the order of
// the file's TIFF data, `app1Shift` the TIFF header position - 12.
BuiltInRule BuiltInLayout(const ExifBuffer& buffer, const std::string& make, int64_t makerNote,
                          int64_t app1Shift, ByteOrder fileOrder);

} // namespace quorvane::exif
