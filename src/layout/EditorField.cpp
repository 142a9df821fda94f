#include "layout/EditorField.h"

#include "text/Numbers.h"
#include "text/TextDecode.h"

#include <array>

namespace quorvane::layout {

namespace {

using F = EditorField;

constexpr int kFirstCheck = IndexOf(F::HorizontalFirst);
constexpr int kFirstRadio = IndexOf(F::TitleUpperLeft);

// The [INPUT] section: every control of the echo in its order, what "編集" assumes for a missing
// key and how many characters a text field holds (0: unlimited).
struct InputKey {
    EditorField field;
    const char* ifMissing;
    int maxLength;
};

constexpr InputKey kInputKeys[] = {
    {F::Resolution, "300", 4},
    {F::PaperWidth, "", 0},
    {F::PaperHeight, "", 0},
    {F::LeftMargin, "", 0},
    {F::RightMargin, "", 0},
    {F::TopMargin, "", 0},
    {F::BottomMargin, "", 0},
    {F::SettingName, "", 60},
    {F::BackgroundColour, "ffffffff", 8},
    {F::PhotoCount, "", 0},
    {F::PhotosAcross, "", 0},
    {F::PhotosDown, "", 0},
    {F::PhotoWidth, "4", 0},
    {F::PhotoHeight, "", 0},
    {F::Cutoff, "5", 0},
    {F::TrimRatio, "", 0},
    {F::WebThumbWidth, "", 0},
    {F::TitleFontSize, "5", 0},
    {F::NumberFontSize, "4", 0},
    {F::NumberDistance, "3", 0},
    {F::NumberMargin, "1", 0},
    {F::Title, "", 64},
    {F::TitleColour, "ff000000", 8},
    {F::TitleFont, "ＭＳ ゴシック", 0},
    {F::NumberColour, "ff000000", 8},
    {F::TitleAdjust, "0.0", 0},
    {F::PageColour, "ff000000", 8},
    {F::PageText, "ページ[$PAGE]", 0},
    {F::PageFontSize, "4", 0},
    {F::PageFont, "ＭＳ ゴシック", 0},
    {F::PageAdjust, "0.0", 0},
    {F::PageStartNumber, "1", 0},
    {F::FileDateColour, "", 8},
    {F::BackgroundImage, "", 0},
    {F::FileDateFontSize, "", 0},
    {F::FileDateFont, "", 0},
    {F::FileDateAdjust, "", 0},
    {F::HorizontalFirst, "1", 0},
    {F::ShowNumbers, "1", 0},
    {F::TrimToRatio, "1", 0},
    {F::PhotoFrame, "0", 0},
    {F::CutPeriphery, "0", 0},
    {F::WebImages, "0", 0},
    {F::Enabled, "0", 0},
    {F::TitleInPhoto, "0", 0},
    {F::PageInPhoto, "0", 0},
    {F::NumberLowerRight, "0", 0},
    {F::ShowPageNumber, "0", 0},
    {F::ShowFileName, "0", 0},
    {F::ShowDate, "0", 0},
    {F::DateOnSecondLine, "0", 0},
    {F::ShowExif, "0", 0},
    {F::TitleUpperLeft, "0", 0},
    {F::TitleUpperCentre, "1", 0},
    {F::TitleUpperRight, "0", 0},
    {F::TitleLowerLeft, "0", 0},
    {F::TitleLowerCentre, "0", 0},
    {F::TitleLowerRight, "0", 0},
    {F::TitleCentre, "0", 0},
    {F::PageUpperLeft, "0", 0},
    {F::PageUpperCentre, "0", 0},
    {F::PageUpperRight, "1", 0},
    {F::PageLowerLeft, "0", 0},
    {F::PageLowerCentre, "0", 0},
    {F::PageLowerRight, "0", 0},
    {F::PageCentre, "0", 0},
    {F::FileDateLeft, "0", 0},
    {F::FileDateCentre, "0", 0},
    {F::FileDateRight, "0", 0},
};
static_assert(std::size(kInputKeys) == kEditorFieldCount);

constexpr bool InEchoOrder() {
    for (int i = 0; i < kEditorFieldCount; ++i)
        if (kInputKeys[i].field != FieldAt(i))
            return false;
    return true;
}
static_assert(InEchoOrder(), "kInputKeys lists every field once, in the order of the echo");

struct KindRange {
    FieldKind kind;
    const char* name;
    int first; // index of the kind's first field
    int count;
};
constexpr KindRange kKinds[] = {
    {FieldKind::Text, "Edit", 0, kFirstCheck},
    {FieldKind::Check, "CheckBox", kFirstCheck, kFirstRadio - kFirstCheck},
    {FieldKind::Radio, "RadioButton", kFirstRadio, kEditorFieldCount - kFirstRadio},
};

const KindRange& RangeOf(EditorField field) {
    const int i = IndexOf(field);
    return i < kFirstCheck ? kKinds[0] : i < kFirstRadio ? kKinds[1] : kKinds[2];
}

} // namespace

FieldKind KindOf(EditorField field) {
    return RangeOf(field).kind;
}

int DesignNumber(EditorField field) {
    return IndexOf(field) - RangeOf(field).first + 1;
}

std::optional<EditorField> FieldOf(FieldKind kind, int number) {
    for (const KindRange& k : kKinds)
        if (k.kind == kind && number >= 1 && number <= k.count)
            return FieldAt(k.first + number - 1);
    return std::nullopt;
}

std::string DesignName(EditorField field) {
    return RangeOf(field).name + std::to_string(DesignNumber(field));
}

std::string EchoKey(EditorField field) {
    return text::AsciiUpper(DesignName(field));
}

std::optional<EditorField> FieldNamed(std::string_view name) {
    const std::string upper = text::AsciiUpper(name);
    for (const KindRange& k : kKinds) {
        const std::string prefix = text::AsciiUpper(k.name);
        if (upper.size() <= prefix.size() || upper.compare(0, prefix.size(), prefix) != 0)
            continue;
        const std::string_view digits = std::string_view(upper).substr(prefix.size());
        if (digits.front() < '1' || digits.front() > '9')
            return std::nullopt;
        const auto number = text::ParseInt(digits);
        return number ? FieldOf(k.kind, *number) : std::nullopt;
    }
    return std::nullopt;
}

const char* LoadDefault(EditorField field) {
    return kInputKeys[IndexOf(field)].ifMissing;
}

int MaxLength(EditorField field) {
    return kInputKeys[IndexOf(field)].maxLength;
}

} // namespace quorvane::layout
