#include "exif/MakerNoteBlock.h"

namespace quorvane::exif {

std::string MakerNoteBlock(const MakerNoteContext&, const std::string&, const std::string&, bool,
                           int64_t, int64_t, ByteOrder) {
    return {};
}

} // namespace quorvane::exif
