#include "exif/MakerNoteRules.h"

#include "exif/MakerNoteNames.h"
#include "exif/TiffHeader.h"

namespace quorvane::exif {

namespace {

// The first `n` bytes of the note as upper-case ASCII, up to the first 00 byte.
std::string Prefix(const ExifBuffer& buffer, int64_t at, int n) {
    std::string prefix;
    for (int i = 0; i < n; ++i) {
        uint8_t byte = buffer.Byte(at + i);
        if (byte == 0)
            break;
        prefix += static_cast<char>(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte);
    }
    return prefix;
}

MakerNoteLayout Layout(int64_t countPosition, int64_t entryStart, int64_t offsetBase,
                       ByteOrder order, int nameSet) {
    return {countPosition, entryStart, offsetBase, order, nameSet};
}

} // namespace

BuiltInRule BuiltInLayout(const ExifBuffer& buffer, const std::string& make, int64_t m,
                          int64_t app1Shift, ByteOrder fileOrder) {
    const int64_t tiffBase = app1Shift + kDefaultTiffBase;
    BuiltInRule rule;
    rule.makeMatched = true;
    if (IsNikonMake(make)) {
        // "Nikon" 00 02 ...: a TIFF header of its own at M + 10, offsets counting from it.
        if (Prefix(buffer, m, 5) == "NIKON" && buffer.Byte(m + 6) == 2)
            rule.layout = Layout(m + 18, m + 20, m + 10, fileOrder, kNikonNameSet);
    } else if (IsCanonMake(make)) {
        // The IFD begins the note; offsets count from the TIFF header, wherever APP1 lies.
        rule.layout = Layout(m, m + 2, tiffBase, fileOrder, kCanonNameSet);
    } else if (IsFujifilmMake(make)) {
        // "FUJIFILM" + the IFD offset 12, little-endian whatever the file's order.
        if (Prefix(buffer, m, 8) == "FUJIFILM" && buffer.Byte(m + 8) == 0x0C &&
            buffer.Byte(m + 9) == 0)
            rule.layout = Layout(m + 12, m + 14, m, ByteOrder::kLittle, kCanonNameSet);
    } else if (IsSanyoMake(make)) {
        if (Prefix(buffer, m, 5) == "SANYO")
            rule.layout = Layout(m + 8, m + 10, tiffBase, fileOrder, kCanonNameSet);
    } else if (IsOlympusMake(make)) {
        // "OLYMP" 00 notes put their IFD at M + 8; the longer header puts it at M + 12.
        if (Prefix(buffer, m, 5) == "OLYMP") {
            int64_t count = buffer.Byte(m + 5) == 0 ? m + 8 : m + 12;
            rule.layout = Layout(count, count + 2, tiffBase, fileOrder, kCanonNameSet);
        }
    } else if (IsRicohMake(make)) {
        if (Prefix(buffer, m, 5) == "RICOH")
            rule.layout = Layout(m + 8, m + 10, m + 10, fileOrder, kCanonNameSet);
    } else {
        rule.makeMatched = false;
    }
    return rule;
}

} // namespace quorvane::exif
