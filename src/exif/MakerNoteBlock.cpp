#include "exif/MakerNoteBlock.h"

#include "exif/IfdEntry.h"
#include "exif/MakerNoteDescription.h"
#include "exif/MakerNoteLayout.h"
#include "exif/MakerNoteNames.h"
#include "exif/MakerNoteRules.h"
#include "exif/MakerNoteSearch.h"

#include <optional>

namespace quorvane::exif {

namespace {

constexpr int64_t kMaxNoteEntries = 255;
constexpr int kTypeUndefined = 7;
constexpr int64_t kErrorDumpBytes = 32;

MakerNoteLayout FromDescription(const DescriptionLayout& d, int64_t m, int64_t app1Shift,
                                ByteOrder fileOrder) {
    int64_t base = d.relative ? m + d.tifHeader : app1Shift + d.tifHeader;
    return {m + d.tagCt, m + d.rdad, base, fileOrder, d.makerNoteVer};
}

// Description file by Model, then by Make, then the maker rules, then the search.
std::optional<MakerNoteLayout> FindLayout(const MakerNoteContext& context,
                                          MakerNoteDescriptions& descriptions,
                                          const std::string& make, const std::string& model,
                                          int64_t m, ByteOrder fileOrder) {
    for (const std::string* camera : {&model, &make})
        if (auto d = descriptions.Read(context.settingsFolder, *camera))
            return FromDescription(*d, m, context.app1Shift, fileOrder);
    const ExifBuffer& buffer = context.formatter.buffer();
    BuiltInRule rule = BuiltInLayout(buffer, make, m, context.app1Shift, fileOrder);
    if (rule.makeMatched)
        return rule.layout;
    return SearchLayout(buffer, m, context.app1Shift, fileOrder);
}

} // namespace

std::string MakerNoteBlock(const MakerNoteContext& context, const std::string& make,
                           const std::string& model, bool japanese, int64_t /*exifIfd*/,
                           int64_t makerNote, ByteOrder order) {
    const ValueFormatter& formatter = context.formatter;
    const ExifBuffer& buffer = formatter.buffer();
    MakerNoteDescriptions descriptions;
    std::optional<MakerNoteLayout> layout =
        FindLayout(context, descriptions, make, model, makerNote, order);

    int64_t count = layout ? buffer.ReadUnsigned(2, layout->order, layout->countPosition) : 0;
    if (count < 1 || count > kMaxNoteEntries)
        return "MakerNote ptr: " + Hex8(makerNote) + "    " +
               formatter.FormatValue(kTypeUndefined, order, kErrorDumpBytes, makerNote);

    std::string block;
    if (layout->order != order)
        block += "MakerNote byteOrder( 0=II / 1=MM ): " +
                 std::to_string(static_cast<int>(layout->order)) + "\n";
    for (int64_t i = 0; i < count; ++i) {
        if (!formatter.pacer().Step())
            break;
        IfdEntry e = ReadEntry(buffer, layout->order, layout->offsetBase,
                               layout->entryStart + kEntrySize * i);
        // In a maker note every value of at most 4 bytes, an unknown type's negative size
        // included, is read from the entry itself: its value field is never followed.
        if (e.byteSize <= 4)
            e.valuePosition = e.position + 8;
        std::string name;
        if (const MakerTagRow* row = descriptions.Find(e.tag))
            name = japanese ? row->japanese : row->english;
        else
            name = BuiltInMakerTagName(make, layout->nameSet, e.tag, japanese);
        if (name.empty())
            name = "TagID_" + std::to_string(e.tag);
        block += name + " :    " + "    " +
                 formatter.FormatValue(e.type, layout->order, e.byteSize, e.valuePosition) + "\n";
    }
    return block;
}

} // namespace quorvane::exif
