#include "layout/LayoutWriter.h"

#include "text/Numbers.h"

namespace quorvane::layout {

namespace {

class LineWriter {
  public:
    explicit LineWriter(std::vector<std::string>& lines) : lines_(lines) {}

    void section(const char* name) { lines_.push_back(std::string("[") + name + "]"); }
    void text(const char* key, const std::string& value) {
        std::string line = std::string(key) + "=";
        for (char c : value)
            line += (c == '\n' || c == '\r') ? ' ' : c;
        lines_.push_back(std::move(line));
    }
    void number(const char* key, int value) { text(key, std::to_string(value)); }
    void flag(const char* key, bool value) { text(key, value ? "1" : "0"); }
    void typed(const char* key, const std::optional<std::string>& typedText, int value) {
        if (typedText)
            text(key, *typedText);
        else
            number(key, value);
    }

  private:
    std::vector<std::string>& lines_;
};

} // namespace

std::vector<std::string> LayoutTextLines(const LayoutFileContent& c) {
    const SheetLayout& l = c.layout;
    std::vector<std::string> lines;
    LineWriter w(lines);

    w.section("PAPER");
    w.typed("dpi", c.dpiText, l.dpi);
    w.number("width", l.width);
    w.number("height", l.height);
    w.number("left_margin", l.left_margin);
    w.number("right_margin", l.right_margin);
    w.number("top_margin", l.top_margin);
    w.number("bottom_margin", l.bottom_margin);
    w.text("name", l.name);
    w.text("bg_color", l.bg_color);

    w.section("PHOTO");
    w.typed("photo_ct", c.photoCtText, l.photo_ct);
    w.typed("photo_col", c.photoColText, l.photo_col);
    w.typed("photo_row", c.photoRowText, l.photo_row);
    w.number("photo_width", l.photo_width);
    w.number("photo_height", l.photo_height);
    w.number("round_trim", l.round_trim);
    w.text("aspect_ratio",
           c.aspectRatioText ? *c.aspectRatioText : text::ShortestText(l.aspect_ratio));
    w.typed("web_thumb_width", c.webThumbWidthText, l.web_thumb_width);

    w.section("NUMBER");
    w.text("font_name", kNumberFontName);
    w.text("font_color", l.font_color);
    w.number("font_size", l.font_size);
    w.number("font_padding", l.font_padding);
    w.number("font_margin", l.font_margin);
    w.flag("number_rdown", l.number_rdown);

    w.section("TITLE");
    w.text("title", l.title);
    w.text("title_font_name", l.title_font_name);
    w.text("title_font_color", l.title_font_color);
    w.number("title_font_size", l.title_font_size);
    w.number("title_v_adjust", l.title_v_adjust);
    w.number("title_align", l.title_align);
    w.flag("title_in_photo", l.title_in_photo);

    w.section("PAGENUMBER");
    w.text("page_text", l.page_text);
    w.text("page_font_name", l.page_font_name);
    w.text("page_font_color", l.page_font_color);
    w.number("page_font_size", l.page_font_size);
    w.number("page_v_adjust", l.page_v_adjust);
    w.number("page_start_no", l.page_start_no);
    w.number("page_align", l.page_align);
    w.flag("page_in_photo", c.pageInPhoto);

    w.section("FILEANDDATE");
    w.text("background_image", l.background_image);
    w.text("filedate_font_name", l.filedate_font_name);
    w.text("filedate_font_color", l.filedate_font_color);
    w.number("filedate_font_size", l.filedate_font_size);
    w.number("filedate_v_adjust", l.filedate_v_adjust);
    w.number("filedate_align", l.filedate_align);
    w.flag("disp_filename", l.disp_filename);
    w.flag("disp_date", l.disp_date);
    w.flag("disp_date_multiline", l.disp_date_multiline);
    w.flag("disp_exif_info", l.disp_exif_info);

    w.section("OPTIONS");
    w.flag("horizontal_first", l.horizontal_first);
    w.flag("disp_numer", l.disp_numer);
    w.flag("l_size_trim", l.l_size_trim);
    w.flag("outerRect", l.outerRect);
    w.flag("trim2mm", l.trim2mm);
    w.flag("for_web", l.for_web);
    w.flag("list_active", c.listActive);
    w.flag("disp_page_number", l.disp_page_number);

    w.section("INPUT");
    for (int n = 1; n <= LayoutInput::kEditCount; ++n)
        w.text(("EDIT" + std::to_string(n)).c_str(), c.input.edit(n));
    for (int n = 1; n <= LayoutInput::kCheckCount; ++n)
        w.flag(("CHECKBOX" + std::to_string(n)).c_str(), c.input.check(n));
    for (int n = 1; n <= LayoutInput::kRadioCount; ++n)
        w.flag(("RADIOBUTTON" + std::to_string(n)).c_str(), c.input.radio(n));
    return lines;
}

std::string LayoutText(const LayoutFileContent& content) {
    std::string out;
    for (const auto& line : LayoutTextLines(content)) {
        out += line;
        out += '\n';
    }
    return out;
}

} // namespace quorvane::layout
