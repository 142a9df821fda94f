// Composing the text of a layout file: the sections and keys in the order of the key tables
// (LayoutKeys.h), followed by the [INPUT] echo of the editor's controls.
#pragma once

#include "layout/LayoutInput.h"
#include "layout/SheetLayout.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvane::layout {

// Everything a layout file holds. The record gives the values; the optional texts, when set, are
// written instead of the record's numbers, so that values typed in the editor keep their form.
struct LayoutFileContent {
    SheetLayout layout;
    std::optional<std::string> dpiText;
    std::optional<std::string> photoCtText;
    std::optional<std::string> photoColText;
    std::optional<std::string> photoRowText;
    std::optional<std::string> aspectRatioText; // otherwise the shortest text of the single
    std::optional<std::string> webThumbWidthText;
    bool pageInPhoto = false; // written, not read into the record
    bool listActive = true;   // "設定を有効にする"; mirrors CHECKBOX7 of the echo
    LayoutInput input;        // the [INPUT] echo
};

// The lines of the file, without line ends. The number label font is always "ＭＳ ゴシック".
// Line breaks inside a value would start lines of their own, so they are written as blanks.
std::vector<std::string> LayoutTextLines(const LayoutFileContent& content);

// The lines joined, each followed by "\n".
std::string LayoutText(const LayoutFileContent& content);

} // namespace quorvane::layout
