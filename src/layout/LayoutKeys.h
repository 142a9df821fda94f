// The keys of a layout file, one table per section: each key once, with the record member that
// holds it, its kind, its default, the range the layout check allows and the editor field that
// feeds it. The reader, the writer, the check and the size calculation all follow these tables.
#pragma once

#include "layout/EditorField.h"
#include "layout/SheetLayout.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <variant>

namespace quorvane::layout {

struct LayoutFileContent;

// Lengths, offsets, font sizes and the resolution: at most this far from 0 (30 times the largest
// page), which keeps every sum the renderer forms far inside the int range.
inline constexpr int kMaxLayoutLength = 1'000'000;
// The canvas's largest bitmap edge: the most pixels a page, and a grid, may have along a side.
inline constexpr int kMaxBitmapEdge = 32767;

// How a key's value is held in the record, written to the file and fed from the editor.
enum class KeyKind {
    Text,         // a text as typed
    Colour,       // eight hexadecimal digits AARRGGBB, as typed
    Length,       // pixels; from the editor, its millimetres at its resolution (MmToPx)
    Integer,      // a whole number; from the editor, the field's integer value, else 0
    TypedInteger, // a whole number that the file keeps as the editor's field has it; a field
                  // that is no integer leaves the record at the default
    Single,       // a single-precision number; the file keeps the shortest text of the editor's
                  // number (of the record's value without the editor)
    Position,     // the index of the checked button of the editor's radio group, 1 when none is
    Flag,         // "1" or "0"; on reading, any integer but 0 is true
};

// Where the value lives: a member of the record, or, for keys written but never read, a flag of
// the file's content.
using KeyMember = std::variant<std::string SheetLayout::*, int SheetLayout::*, bool SheetLayout::*,
                               float SheetLayout::*, bool LayoutFileContent::*>;

// A default that depends on the interface language.
struct ByLanguage {
    const char* ja;
    const char* en;
};
// What the record holds when the key is missing or unusable; none for keys not read.
using KeyDefault = std::variant<std::monostate, const char*, ByLanguage, int, bool, float>;

// The values the layout check lets through (inclusive); every int passes kAnyValue.
struct ValueRange {
    int64_t low;
    int64_t high;
};
inline constexpr ValueRange kAnyValue{INT32_MIN, INT32_MAX};

struct LayoutKey {
    const char* name;
    KeyKind kind;
    KeyMember member;
    KeyDefault fallback;
    ValueRange range = kAnyValue;
    // The editor field the size calculation takes the value from; for Position the group's first
    // button.
    std::optional<EditorField> field = std::nullopt;
    // TypedInteger and Single: the content's text that is written instead of the number.
    std::optional<std::string> LayoutFileContent::*typedText = nullptr;
    // The text every file holds for the key, whatever the record says.
    const char* fixedText = nullptr;
};

struct LayoutSection {
    const char* name;
    std::span<const LayoutKey> keys;
};

// Visits a key's member with one lambda per kind of member.
template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

// The sections in the order of the file, each with its keys in the order of the file. The
// editor's echo, section INPUT, follows them (EditorField gives its keys).
std::span<const LayoutSection> LayoutSections();

} // namespace quorvane::layout
