// The raw state of the settings editor's controls (TForm8): the texts of Edit1..Edit37 and the
// states of CheckBox1..CheckBox15 and RadioButton1..RadioButton17, as a layout file's [INPUT]
// section echoes them. The size calculation reads its fields from here.
#pragma once

#include "text/IniDocument.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane::layout {

class LayoutInput {
  public:
    static constexpr int kEditCount = 37;
    static constexpr int kCheckCount = 15;
    static constexpr int kRadioCount = 17;

    // The most characters (UTF-16 units, as a text field counts them) field `n` holds: 4 for the
    // resolution, 8 for the colours, 60 for the name, 64 for the title; 0 when unlimited.
    static int maxLength(int n);

    // Controls by number, from 1. Numbers out of range read as empty / unchecked and are ignored
    // when set.
    const std::string& edit(int n) const;
    void setEdit(int n, std::string text);
    bool check(int n) const;
    void setCheck(int n, bool checked);
    bool radio(int n) const;
    // Checking a radio button unchecks the others of its group, as the editor's buttons do:
    // 1-7 title position, 8-14 page number position, 15-17 file-name alignment.
    void setRadio(int n, bool checked);

    // Controls by their [INPUT] key ("EDIT1", "CHECKBOX7", "RADIOBUTTON1"; any case). A check or
    // radio reads as "1" or "0"; setting one takes an integer (non-zero checks it). False or
    // nullopt for an unknown name or, when setting a box, a value that is not an integer.
    std::optional<std::string> value(std::string_view control) const;
    bool setValue(std::string_view control, std::string_view value);

    // The three radio groups: number of the first button and count.
    struct RadioGroup {
        int first;
        int count;
    };
    static constexpr RadioGroup kTitlePosition{1, 7};
    static constexpr RadioGroup kPagePosition{8, 7};
    static constexpr RadioGroup kFileNameAlign{15, 3};
    // Index within the group of its checked button, or `none` when none is checked.
    int checkedIndex(RadioGroup group, int none) const;

  private:
    std::array<std::string, kEditCount> edits_;
    std::array<bool, kCheckCount> checks_{};
    std::array<bool, kRadioCount> radios_{};
};

// What the editor's "編集" puts into its controls from a layout file: every control of the
// [INPUT] section in the order EDIT1..EDIT37, CHECKBOX1..CHECKBOX15, RADIOBUTTON1..RADIOBUTTON17,
// with the editor's defaults for keys that are missing (or boxes whose value is not an integer).
// A text longer than its field holds is cut to the field's length, as the field cuts it.
LayoutInput ReadLayoutInput(const text::IniDocument& doc);

} // namespace quorvane::layout
