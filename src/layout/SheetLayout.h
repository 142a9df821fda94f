// One sheet layout as the sheet creation window uses it: every length in pixels of the output page.
// The member names are the keys of the layout file ("CustomSize%04d.ini"); the key tables
// (LayoutKeys.cpp) give each its section, kind and default.
#pragma once

#include "text/IniDocument.h"

#include <string>

namespace quorvane::layout {

// The number label font that every layout file names (the editor has no field for it).
inline constexpr const char* kNumberFontName = "ＭＳ ゴシック";

struct SheetLayout {
    // Every member at its key's default, except the name and the font names, whose defaults
    // depend on the interface language: they are empty (see DefaultSheetLayout). The zeros below
    // only keep a member that no table names from being indeterminate.
    SheetLayout();

    // [PAPER]
    std::string name; // default by interface language, see DefaultSheetLayout
    int dpi{};
    int width{};
    int height{};
    int left_margin{};
    int right_margin{};
    int top_margin{};
    int bottom_margin{};
    std::string bg_color; // AARRGGBB as written

    // [PHOTO]
    int photo_ct{};
    int photo_row{};
    int photo_col{};
    int photo_width{};
    int photo_height{};
    int round_trim{};
    int web_thumb_width{};
    float aspect_ratio{};

    // [NUMBER]
    int font_size{};
    int font_padding{};
    int font_margin{};
    std::string font_name; // default by interface language
    std::string font_color;
    bool number_rdown{};

    // [TITLE]
    std::string title;
    std::string title_font_name;
    int title_align{};
    int title_font_size{};
    int title_v_adjust{};
    std::string title_font_color;
    bool title_in_photo{};

    // [PAGENUMBER]
    std::string page_text;
    std::string page_font_name;
    int page_align{};
    int page_font_size{};
    int page_v_adjust{};
    int page_start_no{};
    std::string page_font_color;

    // [OPTIONS]
    bool l_size_trim{};
    bool horizontal_first{};
    bool outerRect{};
    bool trim2mm{};
    bool disp_numer{};
    bool disp_page_number{};
    bool for_web{};

    // [FILEANDDATE]
    std::string background_image;
    std::string filedate_font_name;
    std::string filedate_font_color;
    int filedate_font_size{};
    int filedate_v_adjust{};
    int filedate_align{};
    bool disp_filename{};
    bool disp_date{};
    bool disp_date_multiline{};
    bool disp_exif_info{};

    // The file the record was read from, for example "CustomSize0007.ini".
    std::string ini_file_name;
};

// A record of defaults: "(無題)" and "ＭＳ ゴシック" for the Japanese interface, "(No Title)" and
// "MS Gothic" for the English one.
SheetLayout DefaultSheetLayout(bool japanese);

// Reads every field from a layout file. A key that is missing, or whose value does not convert to
// the field's type, leaves the field at its default; booleans are true for any integer but 0.
SheetLayout ReadSheetLayout(const text::IniDocument& doc, bool japanese);

} // namespace quorvane::layout
