#include "layout/SheetLayout.h"

#include "layout/LayoutKeys.h"
#include "text/Numbers.h"

#include <optional>

namespace quorvane::layout {

namespace {

// Puts every key's default into the record; a default by language only when the language is
// known.
void ApplyDefaults(SheetLayout& l, std::optional<bool> japanese) {
    for (const LayoutSection& section : LayoutSections()) {
        for (const LayoutKey& key : section.keys) {
            std::visit(Overloaded{
                           [&](std::string SheetLayout::*m) {
                               if (const auto* text = std::get_if<const char*>(&key.fallback))
                                   l.*m = *text;
                               else if (const auto* pair = std::get_if<ByLanguage>(&key.fallback);
                                        pair && japanese)
                                   l.*m = *japanese ? pair->ja : pair->en;
                           },
                           [&](int SheetLayout::*m) { l.*m = std::get<int>(key.fallback); },
                           [&](bool SheetLayout::*m) { l.*m = std::get<bool>(key.fallback); },
                           [&](float SheetLayout::*m) { l.*m = std::get<float>(key.fallback); },
                           [](bool LayoutFileContent::*) {},
                       },
                       key.member);
        }
    }
}

// A single from a file's text; values beyond the range of a single read as unusable rather
// than as infinity.
std::optional<float> ParseSingle(const std::string& text) {
    const auto d = text::ParseDouble(text);
    if (d && *d <= 3.4028234663852886e38 && *d >= -3.4028234663852886e38)
        return static_cast<float>(*d);
    return std::nullopt;
}

} // namespace

SheetLayout::SheetLayout() {
    ApplyDefaults(*this, std::nullopt);
}

SheetLayout DefaultSheetLayout(bool japanese) {
    SheetLayout l;
    ApplyDefaults(l, japanese);
    return l;
}

SheetLayout ReadSheetLayout(const text::IniDocument& doc, bool japanese) {
    SheetLayout l = DefaultSheetLayout(japanese);
    for (const LayoutSection& section : LayoutSections()) {
        for (const LayoutKey& key : section.keys) {
            const auto value = doc.value(section.name, key.name);
            if (!value)
                continue;
            std::visit(Overloaded{
                           [&](std::string SheetLayout::*m) { l.*m = *value; },
                           [&](int SheetLayout::*m) { l.*m = text::ParseIntOr(*value, l.*m); },
                           [&](bool SheetLayout::*m) {
                               if (const auto n = text::ParseInt(*value))
                                   l.*m = *n != 0;
                           },
                           [&](float SheetLayout::*m) {
                               if (const auto single = ParseSingle(*value))
                                   l.*m = *single;
                           },
                           [](bool LayoutFileContent::*) {}, // written, never read
                       },
                       key.member);
        }
    }
    return l;
}

} // namespace quorvane::layout
