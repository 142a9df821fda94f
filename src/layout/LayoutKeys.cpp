#include "layout/LayoutKeys.h"

#include "layout/LayoutWriter.h"

namespace quorvane::layout {

namespace {

using F = EditorField;
using K = KeyKind;
using L = SheetLayout;
using C = LayoutFileContent;

constexpr ValueRange kAnyLength{-kMaxLayoutLength, kMaxLayoutLength};
constexpr ValueRange kPhotoLength{1, kMaxLayoutLength};
constexpr ValueRange kBitmapEdge{1, kMaxBitmapEdge};
constexpr ByLanguage kDefaultFont{kNumberFontName, "MS Gothic"};
constexpr std::monostate kNotRead;

// name, kind, member, default, range, editor field, typed text, fixed text
constexpr LayoutKey kPaper[] = {
    {"dpi", K::TypedInteger, &L::dpi, 300, kAnyLength, F::Resolution, &C::dpiText},
    {"width", K::Length, &L::width, 4961, kBitmapEdge, F::PaperWidth},
    {"height", K::Length, &L::height, 3508, kBitmapEdge, F::PaperHeight},
    {"left_margin", K::Length, &L::left_margin, 50, kAnyLength, F::LeftMargin},
    {"right_margin", K::Length, &L::right_margin, 50, kAnyLength, F::RightMargin},
    {"top_margin", K::Length, &L::top_margin, 50, kAnyLength, F::TopMargin},
    {"bottom_margin", K::Length, &L::bottom_margin, 50, kAnyLength, F::BottomMargin},
    {"name", K::Text, &L::name, ByLanguage{"(無題)", "(No Title)"}, kAnyValue, F::SettingName},
    {"bg_color", K::Colour, &L::bg_color, "ffffffff", kAnyValue, F::BackgroundColour},
};

// photo_ct (at most a page's cells) and web_thumb_width (for web layouts) have rules of their
// own in the layout check.
constexpr LayoutKey kPhoto[] = {
    {"photo_ct", K::TypedInteger, &L::photo_ct, 4, kAnyValue, F::PhotoCount, &C::photoCtText},
    {"photo_col", K::TypedInteger, &L::photo_col, 2, kBitmapEdge, F::PhotosAcross,
     &C::photoColText},
    {"photo_row", K::TypedInteger, &L::photo_row, 2, kBitmapEdge, F::PhotosDown, &C::photoRowText},
    {"photo_width", K::Length, &L::photo_width, 1181, kPhotoLength, F::PhotoWidth},
    {"photo_height", K::Length, &L::photo_height, 827, kPhotoLength, F::PhotoHeight},
    {"round_trim", K::Length, &L::round_trim, 0, kAnyValue, F::Cutoff},
    {"aspect_ratio", K::Single, &L::aspect_ratio, 142.85f, kAnyValue, F::TrimRatio,
     &C::aspectRatioText},
    {"web_thumb_width", K::TypedInteger, &L::web_thumb_width, 200, kAnyValue, F::WebThumbWidth,
     &C::webThumbWidthText},
};

// The editor has no field for the number label font: every file names the same one.
constexpr LayoutKey kNumber[] = {
    {"font_name", K::Text, &L::font_name, kDefaultFont, kAnyValue, std::nullopt, nullptr,
     kNumberFontName},
    {"font_color", K::Colour, &L::font_color, "ff000000", kAnyValue, F::NumberColour},
    {"font_size", K::Length, &L::font_size, 12, kAnyLength, F::NumberFontSize},
    {"font_padding", K::Length, &L::font_padding, 24, kAnyLength, F::NumberDistance},
    {"font_margin", K::Length, &L::font_margin, 12, kAnyLength, F::NumberMargin},
    {"number_rdown", K::Flag, &L::number_rdown, false, kAnyValue, F::NumberLowerRight},
};

constexpr LayoutKey kTitle[] = {
    {"title", K::Text, &L::title, "", kAnyValue, F::Title},
    {"title_font_name", K::Text, &L::title_font_name, kDefaultFont, kAnyValue, F::TitleFont},
    {"title_font_color", K::Colour, &L::title_font_color, "ff000000", kAnyValue, F::TitleColour},
    {"title_font_size", K::Length, &L::title_font_size, 12, kAnyLength, F::TitleFontSize},
    {"title_v_adjust", K::Length, &L::title_v_adjust, 0, kAnyLength, F::TitleAdjust},
    {"title_align", K::Position, &L::title_align, 1, kAnyValue, F::TitleUpperLeft},
    {"title_in_photo", K::Flag, &L::title_in_photo, false, kAnyValue, F::TitleInPhoto},
};

constexpr LayoutKey kPageNumber[] = {
    {"page_text", K::Text, &L::page_text, "", kAnyValue, F::PageText},
    {"page_font_name", K::Text, &L::page_font_name, kDefaultFont, kAnyValue, F::PageFont},
    {"page_font_color", K::Colour, &L::page_font_color, "ff000000", kAnyValue, F::PageColour},
    {"page_font_size", K::Length, &L::page_font_size, 12, kAnyLength, F::PageFontSize},
    {"page_v_adjust", K::Length, &L::page_v_adjust, 0, kAnyLength, F::PageAdjust},
    {"page_start_no", K::Integer, &L::page_start_no, 1, kAnyValue, F::PageStartNumber},
    {"page_align", K::Position, &L::page_align, 2, kAnyValue, F::PageUpperLeft},
    {"page_in_photo", K::Flag, &C::pageInPhoto, kNotRead, kAnyValue, F::PageInPhoto},
};

constexpr LayoutKey kFileAndDate[] = {
    {"background_image", K::Text, &L::background_image, "", kAnyValue, F::BackgroundImage},
    {"filedate_font_name", K::Text, &L::filedate_font_name, kDefaultFont, kAnyValue,
     F::FileDateFont},
    {"filedate_font_color", K::Colour, &L::filedate_font_color, "ff000000", kAnyValue,
     F::FileDateColour},
    {"filedate_font_size", K::Length, &L::filedate_font_size, 12, kAnyLength, F::FileDateFontSize},
    {"filedate_v_adjust", K::Length, &L::filedate_v_adjust, 0, kAnyLength, F::FileDateAdjust},
    {"filedate_align", K::Position, &L::filedate_align, 1, kAnyValue, F::FileDateLeft},
    {"disp_filename", K::Flag, &L::disp_filename, false, kAnyValue, F::ShowFileName},
    {"disp_date", K::Flag, &L::disp_date, false, kAnyValue, F::ShowDate},
    {"disp_date_multiline", K::Flag, &L::disp_date_multiline, false, kAnyValue,
     F::DateOnSecondLine},
    {"disp_exif_info", K::Flag, &L::disp_exif_info, false, kAnyValue, F::ShowExif},
};

constexpr LayoutKey kOptions[] = {
    {"horizontal_first", K::Flag, &L::horizontal_first, true, kAnyValue, F::HorizontalFirst},
    {"disp_numer", K::Flag, &L::disp_numer, true, kAnyValue, F::ShowNumbers},
    {"l_size_trim", K::Flag, &L::l_size_trim, false, kAnyValue, F::TrimToRatio},
    {"outerRect", K::Flag, &L::outerRect, true, kAnyValue, F::PhotoFrame},
    {"trim2mm", K::Flag, &L::trim2mm, false, kAnyValue, F::CutPeriphery},
    {"for_web", K::Flag, &L::for_web, false, kAnyValue, F::WebImages},
    {"list_active", K::Flag, &C::listActive, kNotRead, kAnyValue, F::Enabled},
    {"disp_page_number", K::Flag, &L::disp_page_number, false, kAnyValue, F::ShowPageNumber},
};

constexpr LayoutSection kSections[] = {
    {"PAPER", kPaper},     {"PHOTO", kPhoto},           {"NUMBER", kNumber},
    {"TITLE", kTitle},     {"PAGENUMBER", kPageNumber}, {"FILEANDDATE", kFileAndDate},
    {"OPTIONS", kOptions},
};

} // namespace

std::span<const LayoutSection> LayoutSections() {
    return kSections;
}

} // namespace quorvane::layout
