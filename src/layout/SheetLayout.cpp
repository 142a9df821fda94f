#include "layout/SheetLayout.h"

#include "text/Numbers.h"

namespace quorvane::layout {

namespace {

// Reads the fields of one section into a record, keeping the default when a value is unusable.
class FieldReader {
  public:
    FieldReader(const text::IniDocument& doc) : doc_(doc) {}

    void text(const char* section, const char* key, std::string& field) const {
        if (auto v = doc_.value(section, key))
            field = *v;
    }
    void integer(const char* section, const char* key, int& field) const {
        field = doc_.intValue(section, key, field);
    }
    void boolean(const char* section, const char* key, bool& field) const {
        field = doc_.intValue(section, key, field ? 1 : 0) != 0;
    }
    void single(const char* section, const char* key, float& field) const {
        auto v = doc_.value(section, key);
        if (!v)
            return;
        auto d = text::ParseDouble(*v);
        // Values beyond the range of a single read as unusable rather than as infinity.
        if (d && *d <= 3.4028234663852886e38 && *d >= -3.4028234663852886e38)
            field = static_cast<float>(*d);
    }

  private:
    const text::IniDocument& doc_;
};

} // namespace

SheetLayout DefaultSheetLayout(bool japanese) {
    SheetLayout l;
    l.name = japanese ? "(無題)" : "(No Title)";
    l.font_name = japanese ? kNumberFontName : "MS Gothic";
    l.title_font_name = l.font_name;
    l.page_font_name = l.font_name;
    l.filedate_font_name = l.font_name;
    return l;
}

SheetLayout ReadSheetLayout(const text::IniDocument& doc, bool japanese) {
    SheetLayout l = DefaultSheetLayout(japanese);
    FieldReader r(doc);
    r.text("PAPER", "name", l.name);
    r.integer("PAPER", "dpi", l.dpi);
    r.integer("PAPER", "width", l.width);
    r.integer("PAPER", "height", l.height);
    r.integer("PHOTO", "photo_ct", l.photo_ct);
    r.integer("PHOTO", "photo_row", l.photo_row);
    r.integer("PHOTO", "photo_col", l.photo_col);
    r.integer("PAPER", "left_margin", l.left_margin);
    r.integer("PAPER", "right_margin", l.right_margin);
    r.integer("PAPER", "top_margin", l.top_margin);
    r.integer("PAPER", "bottom_margin", l.bottom_margin);
    r.text("PAPER", "bg_color", l.bg_color);
    r.integer("PHOTO", "photo_width", l.photo_width);
    r.integer("PHOTO", "photo_height", l.photo_height);
    r.integer("PHOTO", "round_trim", l.round_trim);
    r.integer("PHOTO", "web_thumb_width", l.web_thumb_width);
    r.single("PHOTO", "aspect_ratio", l.aspect_ratio);
    r.integer("NUMBER", "font_size", l.font_size);
    r.integer("NUMBER", "font_padding", l.font_padding);
    r.integer("NUMBER", "font_margin", l.font_margin);
    r.text("NUMBER", "font_name", l.font_name);
    r.text("NUMBER", "font_color", l.font_color);
    r.text("TITLE", "title", l.title);
    r.text("TITLE", "title_font_name", l.title_font_name);
    r.integer("TITLE", "title_align", l.title_align);
    r.integer("TITLE", "title_font_size", l.title_font_size);
    r.integer("TITLE", "title_v_adjust", l.title_v_adjust);
    r.text("TITLE", "title_font_color", l.title_font_color);
    r.boolean("TITLE", "title_in_photo", l.title_in_photo);
    r.text("PAGENUMBER", "page_text", l.page_text);
    r.text("PAGENUMBER", "page_font_name", l.page_font_name);
    r.integer("PAGENUMBER", "page_align", l.page_align);
    r.integer("PAGENUMBER", "page_font_size", l.page_font_size);
    r.integer("PAGENUMBER", "page_v_adjust", l.page_v_adjust);
    r.integer("PAGENUMBER", "page_start_no", l.page_start_no);
    r.text("PAGENUMBER", "page_font_color", l.page_font_color);
    r.boolean("OPTIONS", "l_size_trim", l.l_size_trim);
    r.boolean("OPTIONS", "horizontal_first", l.horizontal_first);
    r.boolean("OPTIONS", "outerRect", l.outerRect);
    r.boolean("OPTIONS", "trim2mm", l.trim2mm);
    r.boolean("OPTIONS", "disp_numer", l.disp_numer);
    r.boolean("OPTIONS", "disp_page_number", l.disp_page_number);
    r.boolean("OPTIONS", "for_web", l.for_web);
    r.boolean("NUMBER", "number_rdown", l.number_rdown);
    r.text("FILEANDDATE", "background_image", l.background_image);
    r.text("FILEANDDATE", "filedate_font_name", l.filedate_font_name);
    r.text("FILEANDDATE", "filedate_font_color", l.filedate_font_color);
    r.integer("FILEANDDATE", "filedate_font_size", l.filedate_font_size);
    r.integer("FILEANDDATE", "filedate_v_adjust", l.filedate_v_adjust);
    r.integer("FILEANDDATE", "filedate_align", l.filedate_align);
    r.boolean("FILEANDDATE", "disp_filename", l.disp_filename);
    r.boolean("FILEANDDATE", "disp_date", l.disp_date);
    r.boolean("FILEANDDATE", "disp_date_multiline", l.disp_date_multiline);
    r.boolean("FILEANDDATE", "disp_exif_info", l.disp_exif_info);
    return l;
}

} // namespace quorvane::layout
