// The layout file text: exact lines in their order, and reading it back.
#include "layout/LayoutWriter.h"
#include "layout/LayoutInput.h"
#include "layout/SheetLayout.h"
#include "text/IniDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quorvane::layout;
using quorvane::text::IniDocument;

namespace {

LayoutFileContent SampleContent() {
    LayoutFileContent c;
    SheetLayout& l = c.layout;
    l = DefaultSheetLayout(false);
    l.name = "A4 四面";
    l.dpi = 300;
    l.width = 3508;
    l.height = 2480;
    l.left_margin = 59;
    l.right_margin = 60;
    l.top_margin = 61;
    l.bottom_margin = 62;
    l.bg_color = "ffeeddcc";
    l.photo_width = 1653;
    l.photo_height = 1157;
    l.round_trim = 18;
    l.font_name = "IPAGothic"; // never written: the number font is fixed
    l.font_color = "ff112233";
    l.font_size = 47;
    l.font_padding = 24;
    l.font_margin = 12;
    l.number_rdown = true;
    l.title = "[$DATE] 展示";
    l.title_font_name = "IPAMincho";
    l.title_font_color = "ff445566";
    l.title_font_size = 59;
    l.title_v_adjust = -12;
    l.title_align = 6;
    l.title_in_photo = true;
    l.page_text = "ページ[$PAGE]";
    l.page_font_name = "ＭＳ ゴシック";
    l.page_font_color = "ff778899";
    l.page_font_size = 47;
    l.page_v_adjust = 3;
    l.page_start_no = 5;
    l.page_align = 4;
    l.background_image = "/srv/bg.png";
    l.filedate_font_name = "IPAGothic";
    l.filedate_font_color = "ffaabbcc";
    l.filedate_font_size = 35;
    l.filedate_v_adjust = -1;
    l.filedate_align = 2;
    l.disp_filename = true;
    l.disp_date = false;
    l.disp_date_multiline = true;
    l.disp_exif_info = false;
    l.horizontal_first = false;
    l.disp_numer = true;
    l.l_size_trim = true;
    l.outerRect = false;
    l.trim2mm = true;
    l.for_web = false;
    l.disp_page_number = true;
    c.dpiText = "0300";
    c.photoCtText = "4";
    c.photoColText = "2";
    c.photoRowText = "2";
    c.aspectRatioText = "1.42857";
    c.webThumbWidthText = "";
    c.pageInPhoto = true;
    c.listActive = false;
    for (int n = 1; n <= LayoutInput::kEditCount; ++n)
        c.input.setEdit(n, "e" + std::to_string(n));
    c.input.setCheck(1, true);
    c.input.setCheck(15, true);
    c.input.setRadio(7, true);
    c.input.setRadio(12, true);
    c.input.setRadio(17, true);
    return c;
}

std::vector<std::string> ExpectedLines() {
    std::vector<std::string> lines = {"[PAPER]",
                                      "dpi=0300",
                                      "width=3508",
                                      "height=2480",
                                      "left_margin=59",
                                      "right_margin=60",
                                      "top_margin=61",
                                      "bottom_margin=62",
                                      "name=A4 四面",
                                      "bg_color=ffeeddcc",
                                      "[PHOTO]",
                                      "photo_ct=4",
                                      "photo_col=2",
                                      "photo_row=2",
                                      "photo_width=1653",
                                      "photo_height=1157",
                                      "round_trim=18",
                                      "aspect_ratio=1.42857",
                                      "web_thumb_width=",
                                      "[NUMBER]",
                                      "font_name=ＭＳ ゴシック",
                                      "font_color=ff112233",
                                      "font_size=47",
                                      "font_padding=24",
                                      "font_margin=12",
                                      "number_rdown=1",
                                      "[TITLE]",
                                      "title=[$DATE] 展示",
                                      "title_font_name=IPAMincho",
                                      "title_font_color=ff445566",
                                      "title_font_size=59",
                                      "title_v_adjust=-12",
                                      "title_align=6",
                                      "title_in_photo=1",
                                      "[PAGENUMBER]",
                                      "page_text=ページ[$PAGE]",
                                      "page_font_name=ＭＳ ゴシック",
                                      "page_font_color=ff778899",
                                      "page_font_size=47",
                                      "page_v_adjust=3",
                                      "page_start_no=5",
                                      "page_align=4",
                                      "page_in_photo=1",
                                      "[FILEANDDATE]",
                                      "background_image=/srv/bg.png",
                                      "filedate_font_name=IPAGothic",
                                      "filedate_font_color=ffaabbcc",
                                      "filedate_font_size=35",
                                      "filedate_v_adjust=-1",
                                      "filedate_align=2",
                                      "disp_filename=1",
                                      "disp_date=0",
                                      "disp_date_multiline=1",
                                      "disp_exif_info=0",
                                      "[OPTIONS]",
                                      "horizontal_first=0",
                                      "disp_numer=1",
                                      "l_size_trim=1",
                                      "outerRect=0",
                                      "trim2mm=1",
                                      "for_web=0",
                                      "list_active=0",
                                      "disp_page_number=1",
                                      "[INPUT]"};
    for (int n = 1; n <= 37; ++n)
        lines.push_back("EDIT" + std::to_string(n) + "=e" + std::to_string(n));
    for (int n = 1; n <= 15; ++n)
        lines.push_back("CHECKBOX" + std::to_string(n) + "=" + (n == 1 || n == 15 ? "1" : "0"));
    for (int n = 1; n <= 17; ++n)
        lines.push_back("RADIOBUTTON" + std::to_string(n) + "=" +
                        (n == 7 || n == 12 || n == 17 ? "1" : "0"));
    return lines;
}

} // namespace

TEST(LayoutWriter, WritesEveryLineInOrder) {
    auto actual = LayoutTextLines(SampleContent());
    auto expected = ExpectedLines();
    ASSERT_EQ(actual.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
}

TEST(LayoutWriter, TextEndsEveryLineWithLineFeed) {
    std::string text = LayoutText(SampleContent());
    std::string expected;
    for (const auto& line : ExpectedLines())
        expected += line + "\n";
    EXPECT_EQ(text, expected);
}

TEST(LayoutWriter, RecordNumbersStandInForMissingTypedTexts) {
    LayoutFileContent c;
    c.layout = DefaultSheetLayout(true);
    c.layout.aspect_ratio = 1.42857f;
    auto lines = LayoutTextLines(c);
    EXPECT_EQ(lines[1], "dpi=300");
    EXPECT_EQ(lines[11], "photo_ct=4");
    EXPECT_EQ(lines[17], "aspect_ratio=1.42857");
    EXPECT_EQ(lines[18], "web_thumb_width=200");
}

TEST(LayoutWriter, LineBreaksInsideValuesCannotStartLines) {
    LayoutFileContent c = SampleContent();
    c.layout.title = "one\r\n[INPUT]";
    c.input.setEdit(22, "one\ntwo");
    auto lines = LayoutTextLines(c);
    EXPECT_EQ(lines.size(), ExpectedLines().size());
    EXPECT_EQ(lines[27], "title=one  [INPUT]");
    EXPECT_EQ(lines[64 + 21], "EDIT22=one two");
}

TEST(LayoutWriter, ReadsBackAsTheSameRecordAndControls) {
    LayoutFileContent c = SampleContent();
    auto doc = IniDocument::Parse(LayoutText(c));
    SheetLayout back = ReadSheetLayout(doc, true);
    const SheetLayout& l = c.layout;
    EXPECT_EQ(back.name, l.name);
    EXPECT_EQ(back.dpi, 300);
    EXPECT_EQ(back.width, l.width);
    EXPECT_EQ(back.bottom_margin, l.bottom_margin);
    EXPECT_EQ(back.photo_ct, 4);
    EXPECT_FLOAT_EQ(back.aspect_ratio, 1.42857f);
    EXPECT_EQ(back.web_thumb_width, 200); // written empty: the default
    EXPECT_EQ(back.font_name, "ＭＳ ゴシック");
    EXPECT_EQ(back.title, l.title);
    EXPECT_EQ(back.title_v_adjust, -12);
    EXPECT_EQ(back.title_in_photo, true);
    EXPECT_EQ(back.page_start_no, 5);
    EXPECT_EQ(back.filedate_align, 2);
    EXPECT_EQ(back.disp_date_multiline, true);
    EXPECT_EQ(back.horizontal_first, false);
    EXPECT_EQ(back.outerRect, false);
    EXPECT_EQ(back.disp_page_number, true);

    LayoutInput input = ReadLayoutInput(doc);
    for (int n = 1; n <= LayoutInput::kEditCount; ++n)
        EXPECT_EQ(input.edit(n), c.input.edit(n));
    for (int n = 1; n <= LayoutInput::kCheckCount; ++n)
        EXPECT_EQ(input.check(n), c.input.check(n)) << n;
    for (int n = 1; n <= LayoutInput::kRadioCount; ++n)
        EXPECT_EQ(input.radio(n), c.input.radio(n)) << n;
}
