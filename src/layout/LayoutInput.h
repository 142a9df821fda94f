// The raw state of the settings editor's controls (TForm8): the texts of its fields and the
// states of its check boxes and radio buttons, as a layout file's [INPUT] section echoes them.
// The size calculation reads its fields from here.
#pragma once

#include "layout/EditorField.h"
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

    // A text field's text; empty for a box.
    const std::string& text(EditorField field) const;
    void setText(EditorField field, std::string text);
    // Whether a check box or radio button is checked; false for a text field.
    bool isOn(EditorField field) const;
    // Checking a radio button unchecks the others of its group, as the editor's buttons do.
    void setOn(EditorField field, bool on);

    // The three radio groups: design number of the first button and count.
    struct RadioGroup {
        int first;
        int count;
    };
    static constexpr RadioGroup kTitlePosition{1, 7};  // TitleUpperLeft..TitleCentre
    static constexpr RadioGroup kPagePosition{8, 7};   // PageUpperLeft..PageCentre
    static constexpr RadioGroup kFileNameAlign{15, 3}; // FileDateLeft..FileDateRight
    // The group of a radio button.
    static RadioGroup GroupOf(EditorField radio);
    // Index within the group of its checked button, or `none` when none is checked.
    int checkedIndex(RadioGroup group, int none) const;

    // The controls by their design numbers (edit(22) is Edit22), as the echo counts them.
    // Numbers out of range read as empty / unchecked and are ignored when set.
    static int maxLength(int n); // of Edit`n`, see MaxLength
    const std::string& edit(int n) const;
    void setEdit(int n, std::string text);
    bool check(int n) const;
    void setCheck(int n, bool checked);
    bool radio(int n) const;
    void setRadio(int n, bool checked);

    // Controls by their [INPUT] key ("EDIT1", "CHECKBOX7", "RADIOBUTTON1"; any case). A check or
    // radio reads as "1" or "0"; setting one takes an integer (non-zero checks it). False or
    // nullopt for an unknown name or, when setting a box, a value that is not an integer.
    std::optional<std::string> value(std::string_view control) const;
    bool setValue(std::string_view control, std::string_view value);
    // The same for a field known by name.
    std::string value(EditorField field) const;
    bool setValue(EditorField field, std::string_view value);

  private:
    std::array<std::string, kEditorFieldCount> texts_;
    std::array<bool, kEditorFieldCount> on_{};
};

// What the editor's "編集" puts into its controls from a layout file: every control of the
// [INPUT] section in the order of the echo (EDIT1..EDIT37, CHECKBOX1..CHECKBOX15,
// RADIOBUTTON1..RADIOBUTTON17), with the editor's defaults (LoadDefault) for keys that are missing
// or boxes whose value is not an integer. A text longer than its field holds is cut to the
// field's length, as the field cuts it.
LayoutInput ReadLayoutInput(const text::IniDocument& doc);

} // namespace quorvane::layout
