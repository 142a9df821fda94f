// One sheet layout as the sheet creation window uses it: every length in pixels of the output page.
// The member names are the keys of the layout file ("CustomSize%04d.ini").
#pragma once

#include "text/IniDocument.h"

#include <string>

namespace quorvane::layout {

// The number label font that every layout file names (the editor has no field for it).
inline constexpr const char* kNumberFontName = "ＭＳ ゴシック";

struct SheetLayout {
    // [PAPER]
    std::string name; // default by interface language, see DefaultSheetLayout
    int dpi = 300;
    int width = 4961;
    int height = 3508;
    int left_margin = 50;
    int right_margin = 50;
    int top_margin = 50;
    int bottom_margin = 50;
    std::string bg_color = "ffffffff"; // AARRGGBB as written

    // [PHOTO]
    int photo_ct = 4;
    int photo_row = 2;
    int photo_col = 2;
    int photo_width = 1181;
    int photo_height = 827;
    int round_trim = 0;
    int web_thumb_width = 200;
    float aspect_ratio = 142.85f;

    // [NUMBER]
    int font_size = 12;
    int font_padding = 24;
    int font_margin = 12;
    std::string font_name; // default by interface language
    std::string font_color = "ff000000";
    bool number_rdown = false;

    // [TITLE]
    std::string title;
    std::string title_font_name;
    int title_align = 1;
    int title_font_size = 12;
    int title_v_adjust = 0;
    std::string title_font_color = "ff000000";
    bool title_in_photo = false;

    // [PAGENUMBER]
    std::string page_text;
    std::string page_font_name;
    int page_align = 2;
    int page_font_size = 12;
    int page_v_adjust = 0;
    int page_start_no = 1;
    std::string page_font_color = "ff000000";

    // [OPTIONS]
    bool l_size_trim = false;
    bool horizontal_first = true;
    bool outerRect = true;
    bool trim2mm = false;
    bool disp_numer = true;
    bool disp_page_number = false;
    bool for_web = false;

    // [FILEANDDATE]
    std::string background_image;
    std::string filedate_font_name;
    std::string filedate_font_color = "ff000000";
    int filedate_font_size = 12;
    int filedate_v_adjust = 0;
    int filedate_align = 1;
    bool disp_filename = false;
    bool disp_date = false;
    bool disp_date_multiline = false;
    bool disp_exif_info = false;

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
