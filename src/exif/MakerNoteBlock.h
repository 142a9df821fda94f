// The maker-note block of the EXIF report: the entries of a camera maker's private IFD inside the
// MakerNote tag, laid out by a description file, a built-in maker rule or a search.
#pragma once

#include "exif/ExifBuffer.h"
#include "exif/ValueFormatter.h"

#include <cstdint>
#include <string>

namespace quorvane::exif {

struct MakerNoteContext {
    const ValueFormatter& formatter; // buffer, dump limits and pacer of the current read
    int64_t app1Shift = 0;           // TIFF header position - 12
    std::string settingsFolder;      // where description files are looked up
};

// The block text (lines ended by "\n"), or the "MakerNote ptr: " error text. `make` and `model`
// are the IFD0 texts; `makerNote` is the buffer position of the MakerNote value; `order` is the
// file's byte order.
std::string MakerNoteBlock(const MakerNoteContext& context, const std::string& make,
                           const std::string& model, bool japanese, int64_t exifIfd,
                           int64_t makerNote, ByteOrder order);

} // namespace quorvane::exif
