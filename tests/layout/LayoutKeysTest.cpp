// The key tables: every key once with a member, default and editor field that fit its kind, a
// record that starts at the defaults, and each editor control feeding the key the design gives it.
#include "layout/LayoutKeys.h"
#include "layout/LayoutCalc.h"
#include "layout/LayoutInput.h"
#include "layout/LayoutWriter.h"
#include "text/IniDocument.h"
#include "text/TextDecode.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <variant>

using namespace quorvane::layout;
using quorvane::text::IniDocument;
using F = EditorField;

namespace {

// A valid A4 layout of 2 × 2 photos with the editor's reset values.
LayoutInput A4Input() {
    LayoutInput in;
    const std::pair<F, const char*> texts[] = {{F::Resolution, "300"},
                                               {F::PaperWidth, "297"},
                                               {F::PaperHeight, "210"},
                                               {F::LeftMargin, "5"},
                                               {F::RightMargin, "5"},
                                               {F::TopMargin, "5"},
                                               {F::BottomMargin, "5"},
                                               {F::SettingName, "A4"},
                                               {F::BackgroundColour, "ffffffff"},
                                               {F::PhotoCount, "4"},
                                               {F::PhotosAcross, "2"},
                                               {F::PhotosDown, "2"},
                                               {F::PhotoWidth, "127"},
                                               {F::PhotoHeight, "89"},
                                               {F::NumberFontSize, "4"},
                                               {F::NumberDistance, "2"},
                                               {F::NumberMargin, "1"},
                                               {F::NumberColour, "ff000000"},
                                               {F::TitleColour, "ff000000"},
                                               {F::TitleFont, "IPAGothic"},
                                               {F::TitleFontSize, "5"},
                                               {F::TitleAdjust, "0.0"}};
    for (const auto& [field, text] : texts)
        in.setText(field, text);
    in.setOn(F::TitleUpperCentre, true);
    in.setOn(F::PageUpperRight, true);
    in.setOn(F::FileDateCentre, true);
    return in;
}

IniDocument Calculated(const LayoutInput& in) {
    const LayoutCalcResult r = CalculateLayout(in);
    EXPECT_TRUE(r.ok);
    return IniDocument::Parse(r.layoutText);
}

bool HoldsText(const LayoutKey& k) {
    return std::holds_alternative<std::string SheetLayout::*>(k.member);
}
bool HoldsInt(const LayoutKey& k) {
    return std::holds_alternative<int SheetLayout::*>(k.member);
}
bool HoldsFlag(const LayoutKey& k) {
    return std::holds_alternative<bool SheetLayout::*>(k.member) ||
           std::holds_alternative<bool LayoutFileContent::*>(k.member);
}

} // namespace

TEST(LayoutKeys, EveryKeyOnceWithAMemberDefaultAndFieldOfItsKind) {
    std::set<std::string> names;
    std::set<int> fields;
    int recordMembers = 0;
    for (const LayoutSection& section : LayoutSections()) {
        for (const LayoutKey& k : section.keys) {
            SCOPED_TRACE(k.name);
            // Keys are found in any case: two that differ in case only would be one.
            EXPECT_TRUE(names.insert(quorvane::text::AsciiUpper(k.name)).second);
            const bool read = !std::holds_alternative<bool LayoutFileContent::*>(k.member);
            recordMembers += read ? 1 : 0;
            EXPECT_EQ(std::holds_alternative<std::monostate>(k.fallback), !read);
            switch (k.kind) {
            case KeyKind::Text:
            case KeyKind::Colour:
                EXPECT_TRUE(HoldsText(k));
                EXPECT_TRUE(std::holds_alternative<const char*>(k.fallback) ||
                            std::holds_alternative<ByLanguage>(k.fallback));
                break;
            case KeyKind::Length:
            case KeyKind::Integer:
            case KeyKind::TypedInteger:
            case KeyKind::Position:
                EXPECT_TRUE(HoldsInt(k));
                EXPECT_TRUE(std::holds_alternative<int>(k.fallback));
                break;
            case KeyKind::Single:
                EXPECT_TRUE(std::holds_alternative<float SheetLayout::*>(k.member));
                EXPECT_TRUE(std::holds_alternative<float>(k.fallback));
                break;
            case KeyKind::Flag:
                EXPECT_TRUE(HoldsFlag(k));
                if (read) {
                    EXPECT_TRUE(std::holds_alternative<bool>(k.fallback));
                }
                break;
            }
            EXPECT_EQ(k.typedText != nullptr,
                      k.kind == KeyKind::TypedInteger || k.kind == KeyKind::Single);
            EXPECT_NE(k.field.has_value(), k.fixedText != nullptr);
            if (!k.field)
                continue;
            EXPECT_TRUE(fields.insert(IndexOf(*k.field)).second) << "fed twice";
            const FieldKind expected = k.kind == KeyKind::Flag       ? FieldKind::Check
                                       : k.kind == KeyKind::Position ? FieldKind::Radio
                                                                     : FieldKind::Text;
            EXPECT_EQ(KindOf(*k.field), expected);
            if (k.kind == KeyKind::Position) {
                EXPECT_EQ(DesignNumber(*k.field), LayoutInput::GroupOf(*k.field).first);
            }
        }
    }
    EXPECT_EQ(recordMembers, 54); // every member of SheetLayout but ini_file_name
}

TEST(LayoutKeys, ARecordStartsAtTheDefaultsAndTheLanguageNamesItAndItsFonts) {
    const SheetLayout plain;
    const SheetLayout ja = DefaultSheetLayout(true);
    const SheetLayout en = DefaultSheetLayout(false);
    const struct {
        const char* what;
        std::string actual;
        std::string expected;
    } cases[] = {
        {"dpi", std::to_string(plain.dpi), "300"},
        {"photo_ct", std::to_string(plain.photo_ct), "4"},
        {"page_align", std::to_string(plain.page_align), "2"},
        {"aspect_ratio", std::to_string(plain.aspect_ratio), std::to_string(142.85f)},
        {"outerRect", std::to_string(plain.outerRect), "1"},
        {"bg_color", plain.bg_color, "ffffffff"},
        {"name without a language", plain.name, ""},
        {"font without a language", plain.title_font_name, ""},
        {"name in Japanese", ja.name, "(無題)"},
        {"font in Japanese", ja.filedate_font_name, "ＭＳ ゴシック"},
        {"name in English", en.name, "(No Title)"},
        {"font in English", en.page_font_name, "MS Gothic"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.actual, c.expected) << c.what;
}

// Each check box of the editor turns exactly its own key over.
TEST(LayoutKeys, EachCheckBoxFeedsItsKey) {
    const struct {
        F box;
        const char* section;
        const char* key;
    } cases[] = {
        {F::HorizontalFirst, "OPTIONS", "horizontal_first"},
        {F::ShowNumbers, "OPTIONS", "disp_numer"},
        {F::TrimToRatio, "OPTIONS", "l_size_trim"},
        {F::PhotoFrame, "OPTIONS", "outerRect"},
        {F::CutPeriphery, "OPTIONS", "trim2mm"},
        {F::WebImages, "OPTIONS", "for_web"},
        {F::Enabled, "OPTIONS", "list_active"},
        {F::TitleInPhoto, "TITLE", "title_in_photo"},
        {F::PageInPhoto, "PAGENUMBER", "page_in_photo"},
        {F::NumberLowerRight, "NUMBER", "number_rdown"},
        {F::ShowPageNumber, "OPTIONS", "disp_page_number"},
        {F::ShowFileName, "FILEANDDATE", "disp_filename"},
        {F::ShowDate, "FILEANDDATE", "disp_date"},
        {F::DateOnSecondLine, "FILEANDDATE", "disp_date_multiline"},
        {F::ShowExif, "FILEANDDATE", "disp_exif_info"},
    };
    const IniDocument off = Calculated(A4Input());
    for (const auto& c : cases) {
        LayoutInput in = A4Input();
        in.setOn(c.box, true);
        const IniDocument on = Calculated(in);
        for (const auto& other : cases) {
            const bool turned =
                off.value(other.section, other.key) != on.value(other.section, other.key);
            EXPECT_EQ(turned, other.key == c.key) << DesignName(c.box) << " " << other.key;
        }
        EXPECT_EQ(on.value(c.section, c.key), "1") << DesignName(c.box);
    }
}

// Each text field of the editor gives its own key its value.
TEST(LayoutKeys, EachTextFieldFeedsItsKey) {
    const struct {
        F field;
        const char* typed;
        const char* section;
        const char* key;
        const char* written;
    } cases[] = {
        {F::SettingName, "展示", "PAPER", "name", "展示"},
        {F::BackgroundColour, "ff0000a9", "PAPER", "bg_color", "ff0000a9"},
        {F::NumberColour, "ff0000a5", "NUMBER", "font_color", "ff0000a5"},
        {F::Title, "T", "TITLE", "title", "T"},
        {F::TitleColour, "ff0000b3", "TITLE", "title_font_color", "ff0000b3"},
        {F::TitleFont, "FontT", "TITLE", "title_font_name", "FontT"},
        {F::PageText, "P[$PAGE]", "PAGENUMBER", "page_text", "P[$PAGE]"},
        {F::PageColour, "ff0000b7", "PAGENUMBER", "page_font_color", "ff0000b7"},
        {F::PageFont, "FontP", "PAGENUMBER", "page_font_name", "FontP"},
        {F::PageStartNumber, "7", "PAGENUMBER", "page_start_no", "7"},
        {F::BackgroundImage, "/bg.png", "FILEANDDATE", "background_image", "/bg.png"},
        {F::FileDateColour, "ff0000c3", "FILEANDDATE", "filedate_font_color", "ff0000c3"},
        {F::FileDateFont, "FontF", "FILEANDDATE", "filedate_font_name", "FontF"},
        // Millimetres at 300 dpi, rounded: 10 mm is 118 pixels.
        {F::TitleFontSize, "10", "TITLE", "title_font_size", "118"},
        {F::TitleAdjust, "-10", "TITLE", "title_v_adjust", "-119"}, // -118.11 less 0.5, floored
        {F::PageFontSize, "10", "PAGENUMBER", "page_font_size", "118"},
        {F::PageAdjust, "10", "PAGENUMBER", "page_v_adjust", "118"},
        {F::FileDateFontSize, "10", "FILEANDDATE", "filedate_font_size", "118"},
        {F::FileDateAdjust, "10", "FILEANDDATE", "filedate_v_adjust", "118"},
        {F::NumberFontSize, "10", "NUMBER", "font_size", "118"},
        {F::NumberDistance, "10", "NUMBER", "font_padding", "118"},
        {F::NumberMargin, "10", "NUMBER", "font_margin", "118"},
        {F::Cutoff, "10", "PHOTO", "round_trim", "118"},
        // Whole numbers as typed.
        {F::Resolution, "0300", "PAPER", "dpi", "0300"},
        {F::WebThumbWidth, "0320", "PHOTO", "web_thumb_width", "0320"},
    };
    LayoutInput base = A4Input();
    base.setOn(F::HorizontalFirst, true);
    const IniDocument before = Calculated(base);
    for (const auto& c : cases) {
        LayoutInput in = base;
        in.setText(c.field, c.typed);
        const IniDocument after = Calculated(in);
        EXPECT_EQ(after.value(c.section, c.key), c.written) << DesignName(c.field);
        EXPECT_NE(before.value(c.section, c.key), c.written) << DesignName(c.field);
    }
}
