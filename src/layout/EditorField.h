// The settings editor's controls (TForm8) that a layout file's [INPUT] section echoes, named by
// what they hold. The design numbers them (Edit22 is the title); code names them here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvane::layout {

// In the order of the echo: the text fields Edit1..Edit37, the check boxes CheckBox1..CheckBox15,
// the radio buttons RadioButton1..RadioButton17. doc/glossary.md has the captions.
enum class EditorField : int {
    // Edit1..Edit37
    Resolution,
    PaperWidth,
    PaperHeight,
    LeftMargin,
    RightMargin,
    TopMargin,
    BottomMargin,
    SettingName,
    BackgroundColour,
    PhotoCount,
    PhotosAcross,
    PhotosDown,
    PhotoWidth,
    PhotoHeight,
    Cutoff,
    TrimRatio,
    WebThumbWidth,
    TitleFontSize,
    NumberFontSize,
    NumberDistance,
    NumberMargin,
    Title,
    TitleColour,
    TitleFont,
    NumberColour,
    TitleAdjust,
    PageColour,
    PageText,
    PageFontSize,
    PageFont,
    PageAdjust,
    PageStartNumber,
    FileDateColour,
    BackgroundImage,
    FileDateFontSize,
    FileDateFont,
    FileDateAdjust,
    // CheckBox1..CheckBox15
    HorizontalFirst,
    ShowNumbers,
    TrimToRatio,
    PhotoFrame,
    CutPeriphery,
    WebImages,
    Enabled,
    TitleInPhoto,
    PageInPhoto,
    NumberLowerRight,
    ShowPageNumber,
    ShowFileName,
    ShowDate,
    DateOnSecondLine,
    ShowExif,
    // RadioButton1..RadioButton7: the title's position
    TitleUpperLeft,
    TitleUpperCentre,
    TitleUpperRight,
    TitleLowerLeft,
    TitleLowerCentre,
    TitleLowerRight,
    TitleCentre,
    // RadioButton8..RadioButton14: the page number's position
    PageUpperLeft,
    PageUpperCentre,
    PageUpperRight,
    PageLowerLeft,
    PageLowerCentre,
    PageLowerRight,
    PageCentre,
    // RadioButton15..RadioButton17: the alignment of the file names and dates
    FileDateLeft,
    FileDateCentre,
    FileDateRight,
};

inline constexpr int kEditorFieldCount = static_cast<int>(EditorField::FileDateRight) + 1;

enum class FieldKind { Text, Check, Radio };

// The field at a place of the echo's order, from 0.
constexpr EditorField FieldAt(int index) {
    return static_cast<EditorField>(index);
}
constexpr int IndexOf(EditorField field) {
    return static_cast<int>(field);
}

FieldKind KindOf(EditorField field);
// The design's number within its kind: 22 for Edit22, 7 for CheckBox7.
int DesignNumber(EditorField field);
// The field of a kind by its design number; nullopt beyond the kind's range.
std::optional<EditorField> FieldOf(FieldKind kind, int number);
// "Edit22", "CheckBox7", "RadioButton1": the control's Qt objectName.
std::string DesignName(EditorField field);
// "EDIT22", "CHECKBOX7", "RADIOBUTTON1": the field's key in the [INPUT] section.
std::string EchoKey(EditorField field);
// The field an echo key or design name names, in any case ("Edit22", "checkbox7"); nullopt for
// anything else ("EDIT0", "EDIT01", "BUTTON1").
std::optional<EditorField> FieldNamed(std::string_view name);

// What "編集" puts into a field whose key the file lacks: a text, or "1" / "0" for a box.
const char* LoadDefault(EditorField field);
// The most characters (UTF-16 units, as a text field counts them) a text field holds: 4 for the
// resolution, 8 for the colours, 60 for the setting name, 64 for the title; 0 when unlimited.
int MaxLength(EditorField field);

} // namespace quorvane::layout
