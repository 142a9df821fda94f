// The size calculation: number texts, millimetres to pixels, the three stages with their
// messages, the layout text, and the trimming ratio.
#include "layout/LayoutCalc.h"
#include "catalogue/ProblemText.h"
#include "layout/LayoutInput.h"
#include "layout/SheetLayout.h"
#include "text/IniDocument.h"

#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <string>
#include <utility>

using namespace quorvane::layout;
using quorvane::text::IniDocument;

namespace {

// A valid A4 layout of 2 × 2 photos with the editor's reset values for the other fields.
LayoutInput A4Input() {
    LayoutInput in;
    const std::pair<int, const char*> texts[] = {{1, "300"},
                                                 {2, "297"},
                                                 {3, "210"},
                                                 {4, "5"},
                                                 {5, "5"},
                                                 {6, "5"},
                                                 {7, "5"},
                                                 {8, "A4 四面"},
                                                 {9, "ffffffff"},
                                                 {10, "4"},
                                                 {11, "2"},
                                                 {12, "2"},
                                                 {13, "127"},
                                                 {14, "89"},
                                                 {15, "1.5"},
                                                 {17, "200"},
                                                 {19, "4"},
                                                 {20, "2"},
                                                 {21, "1"},
                                                 {23, "ff000000"},
                                                 {24, "ＭＳ ゴシック"},
                                                 {25, "ff000000"},
                                                 {26, "0.0"},
                                                 {27, "ff000000"},
                                                 {28, "ページ[$PAGE]"},
                                                 {29, "4"},
                                                 {30, "ＭＳ ゴシック"},
                                                 {31, "0.0"},
                                                 {32, "1"}};
    for (const auto& [n, text] : texts)
        in.setEdit(n, text);
    for (int n : {1, 2, 4, 7, 14})
        in.setCheck(n, true);
    in.setRadio(2, true);
    in.setRadio(10, true);
    in.setRadio(16, true);
    return in;
}

LayoutInput With(LayoutInput in, std::initializer_list<std::pair<int, const char*>> edits) {
    for (const auto& [n, text] : edits)
        in.setEdit(n, text);
    return in;
}

// The messages of a result as the Japanese interface shows them.
template <class Result> std::string Japanese(const Result& r) {
    return quorvane::ProblemsText(r.problems, true).toStdString();
}

// The value of a key in the calculated layout text.
std::string Line(const LayoutCalcResult& r, const char* section, const char* key) {
    return IniDocument::Parse(r.layoutText).value(section, key, "<missing>");
}

} // namespace

TEST(LayoutCalc, NumberTexts) {
    struct Case {
        const char* text;
        bool number;
        double value;
    } cases[] = {
        {"", false, 0},
        {"12", true, 12},
        {"+4", true, 4},
        {"-3", true, -3},
        {"1.5", true, 1.5},
        {".5", true, 0.5},
        {"1.", true, 1},
        {"-0.25", true, -0.25},
        {"1.5e2", true, 150},
        {"-9999999", false, -9999999},
        {"-9999999.0", true, -9999999},
        {"1e5", false, 0},
        {"-", false, 0},
        {"abc", false, 0},
        {" 4", false, 0},
        {"99999999999", false, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsNumberText(c.text), c.number) << '"' << c.text << '"';
        bool converted = false;
        EXPECT_DOUBLE_EQ(NumberValue(c.text, &converted), c.value) << '"' << c.text << '"';
        EXPECT_TRUE(converted) << c.text;
    }
    for (const char* bad : {"..", "1.2.3", ".", "-.", "1.x"}) {
        bool converted = true;
        EXPECT_FALSE(IsNumberText(bad)) << bad;
        EXPECT_EQ(NumberValue(bad, &converted), 0) << bad;
        EXPECT_FALSE(converted) << bad;
    }
}

TEST(LayoutCalc, MillimetresToPixels) {
    const MmScale rounded{300, true}, floored{300, false};
    struct Case {
        double mm;
        int rounded;
        int floored;
    } cases[] = {
        {10, 118, 118},
        {1.5, 18, 17},
        {0.8, 9, 9},
        {0.9, 11, 10},
        {4, 47, 47},
        {297, 3508, 3507},
        {0, 0, 0},
        {-1, -13, -12},
        {-0.1, -2, -2},
        {1e300, INT_MAX, INT_MAX},
        {-1e300, INT_MIN, INT_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MmToPx(c.mm, rounded), c.rounded) << c.mm;
        EXPECT_EQ(MmToPx(c.mm, floored), c.floored) << c.mm;
    }
    EXPECT_EQ(MmToPx(2, MmScale{72, false}), 5);
    EXPECT_EQ(MmToPx(2, MmScale{72, true}), 6);
    EXPECT_EQ(MmToPx(3, MmScale{72, false}), 8);
    EXPECT_EQ(TruncateMm(4.9), 4);
    EXPECT_EQ(TruncateMm(-4.9), -4);
    EXPECT_EQ(TruncateMm(1e20), INT_MAX);

    LayoutInput in;
    in.setEdit(1, "abc");
    EXPECT_EQ(ScaleOf(in).dpi, 300);
    EXPECT_FALSE(ScaleOf(in).round);
    in.setEdit(1, "72");
    in.setCheck(1, true);
    EXPECT_EQ(ScaleOf(in).dpi, 72);
    EXPECT_TRUE(ScaleOf(in).round);
}

TEST(LayoutCalc, AllFieldsEmptyListsStageOneOnly) {
    LayoutCalcResult r = CalculateLayout(LayoutInput{});
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedStage, 1);
    EXPECT_EQ(Japanese(r), "サイズ名称が未入力です。"
                           "\n解像度が未定義です。"
                           "\n背景色が未入力です。"
                           "\n用紙幅が未定義です。"
                           "\n用紙高さが未定義です。"
                           "\n左余白が未定義です。"
                           "\n右余白が未定義です。"
                           "\n上余白が未定義です。"
                           "\n下余白が未定義です。"
                           "\n表示枚数が未定義です。"
                           "\n横列の枚数が未定義です。"
                           "\n縦列の枚数が未定義です。"
                           "\n写真サイズ幅が未定義です。"
                           "\n写真サイズ高さが未定義です。"
                           "\n写真番号のフォントサイズが未定義です。"
                           "\n写真枠からの距離が未定義です。"
                           "\n文字の周囲余白が未定義です。"
                           "\n写真番号の文字色が未入力です。");
    EXPECT_TRUE(r.layoutText.empty());
}

TEST(LayoutCalc, StageOneChecksOfOptionalAndTitleFields) {
    LayoutInput in = With(A4Input(), {{1, "0"},
                                      {9, "fffffff"},
                                      {15, ".."},
                                      {16, "1.4.2"},
                                      {17, "0"},
                                      {22, "展示"},
                                      {23, ""},
                                      {24, ""},
                                      {18, ""},
                                      {26, ""}});
    LayoutCalcResult r = CalculateLayout(in);
    EXPECT_EQ(r.failedStage, 1);
    EXPECT_EQ(Japanese(r), "\n解像度が未定義です。"
                           "\n背景色はＡＲＧＢ形式で８文字になります。"
                           "\n周囲の切り捨てサイズが未定義です。"
                           "\nトリミング比が未定義です。"
                           "\nサムネイルサイズが未定義です。"
                           "\nタイトルの文字色が未入力です。"
                           "\nタイトルのフォント名が未設定です。"
                           "\nタイトルのフォントサイズが未定義です。"
                           "\nタイトルの垂直位置調整が未入力です。");
}

TEST(LayoutCalc, UncheckedFieldsThatAreNoNumberEndTheCalculation) {
    LayoutCalcResult r = CalculateLayout(
        With(A4Input(), {{18, ".."}, {26, "-"}, {29, "1..5"}, {31, "-"}, {35, "."}, {37, "--1"}}));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedStage, 1);
    EXPECT_EQ(Japanese(r), "\nタイトルのフォントサイズが数値ではありません。"
                           "\nタイトルの垂直位置調整が数値ではありません。"
                           "\nページ番号のフォントサイズが数値ではありません。"
                           "\nページ番号の垂直位置調整が数値ではありません。"
                           "\nファイル名等のフォントサイズが数値ではありません。"
                           "\nファイル名等の垂直位置調整が数値ではありません。");
    EXPECT_TRUE(r.layoutText.empty());

    // With a title its font size has its own check; the adjustment must still be a number.
    r = CalculateLayout(With(A4Input(), {{22, "展示"}, {18, ".."}, {26, "1..0"}}));
    EXPECT_EQ(Japanese(r), "\nタイトルのフォントサイズが未定義です。"
                           "\nタイトルの垂直位置調整が数値ではありません。");

    // Empty unchecked fields count as 0; -9999999 is an integer there like any other.
    r = CalculateLayout(
        With(A4Input(), {{29, ""}, {31, ""}, {35, ""}, {37, "-9999999"}, {32, "x"}}));
    ASSERT_TRUE(r.ok) << Japanese(r);
    EXPECT_EQ(Line(r, "PAGENUMBER", "page_font_size"), "0");
    EXPECT_EQ(Line(r, "PAGENUMBER", "page_start_no"), "0");
    EXPECT_EQ(Line(r, "FILEANDDATE", "filedate_v_adjust"), "-118110225");
}

TEST(LayoutCalc, StageTwoGapsAndLimits) {
    struct Case {
        const char* what;
        LayoutInput input;
        const char* messages; // empty: accepted
    } cases[] = {
        // One row and column: the gaps are the paper less the photo, the margins only have to
        // fit beside the photo.
        {"one row and column with fitting margins",
         With(A4Input(), {{2, "100"},
                          {3, "100"},
                          {4, "5"},
                          {5, "5"},
                          {6, "0"},
                          {7, "0"},
                          {10, "1"},
                          {11, "1"},
                          {12, "1"},
                          {13, "90"},
                          {14, "100"}}),
         ""},
        {"one row and column with margins that push the photo off the page",
         With(A4Input(), {{2, "100"},
                          {3, "100"},
                          {4, "60"},
                          {5, "60"},
                          {6, "60"},
                          {7, "60"},
                          {10, "1"},
                          {11, "1"},
                          {12, "1"},
                          {13, "90"},
                          {14, "100"}}),
         "\n写真の横間隔がマイナスになります。\n写真の縦間隔がマイナスになります。"},
        {"one column of 121 mm between 40 mm margins on 127 mm paper",
         With(A4Input(), {{2, "127"}, {4, "40"}, {5, "40"}, {10, "2"}, {11, "1"}, {13, "121"}}),
         "\n写真の横間隔がマイナスになります。"},
        {"one row whose margins fit exactly",
         With(A4Input(), {{3, "99"}, {10, "2"}, {12, "1"}, {14, "89"}}), ""},
        {"one row one millimetre too low", With(A4Input(), {{3, "98"}, {10, "2"}, {12, "1"}}),
         "\n写真の縦間隔がマイナスになります。"},
        {"one column wider than the paper",
         With(A4Input(), {{2, "100"}, {10, "2"}, {11, "1"}, {13, "101"}}),
         "\n写真の横間隔がマイナスになります。"},
        {"gx = 0", With(A4Input(), {{2, "210"}, {13, "100"}}), ""},
        {"gx = -2", With(A4Input(), {{2, "210"}, {13, "100"}, {4, "6"}, {5, "6"}}),
         "\n写真の横間隔がマイナスになります。"},
        {"gy < 0", With(A4Input(), {{14, "101"}}), "\n写真の縦間隔がマイナスになります。"},
        {"count", With(A4Input(), {{10, "5"}}),
         "\n写真の合計枚数と縦行数×横列数の計算が合いません。"},
        {"resolution 71", With(A4Input(), {{1, "71"}}), "\n解像度が低すぎます。"},
        {"resolution 72", With(A4Input(), {{1, "72"}}), ""},
        {"number font 0.9 mm", With(A4Input(), {{19, "0.9"}}),
         "\n番号のフォントサイズが小さすぎます。"},
        {"number font 0.9 mm at 2400 dpi", With(A4Input(), {{1, "2400"}, {19, "0.9"}}),
         "\n番号のフォントサイズが小さすぎます。"},
        {"trimmed too far", With(A4Input(), {{15, "63.2"}}), "\n写真の周囲を削り過ぎです。"},
        {"title colour and size", With(A4Input(), {{22, "展示"}, {23, "ff00"}, {18, "0.5"}}),
         "\n文字色はＡＲＧＢ形式で８文字になります。\nタイトルのフォントサイズが小さすぎます。"},
    };
    for (auto& c : cases) {
        LayoutCalcResult r = CalculateLayout(c.input);
        EXPECT_EQ(Japanese(r), c.messages) << c.what;
        EXPECT_EQ(r.ok, std::string(c.messages).empty()) << c.what;
        if (!r.ok) {
            EXPECT_EQ(r.failedStage, 2) << c.what;
            EXPECT_TRUE(r.layoutText.empty()) << c.what;
        }
    }
    LayoutCalcResult single = CalculateLayout(cases[0].input);
    EXPECT_DOUBLE_EQ(single.gapXMm, 10);
    EXPECT_DOUBLE_EQ(single.gapYMm, 0);
}

TEST(LayoutCalc, SmallPhotosAtThreeHundredDpiWithoutRounding) {
    LayoutInput in = With(A4Input(), {{13, "0.8"}, {15, ""}});
    in.setCheck(1, false);
    EXPECT_EQ(Japanese(CalculateLayout(in)), "\n写真サイズが小さすぎます。");
    in.setEdit(13, "0.9");
    EXPECT_TRUE(CalculateLayout(in).ok);
    in.setEdit(14, "0.8");
    EXPECT_EQ(Japanese(CalculateLayout(in)), "\n写真サイズが小さすぎます。");
}

TEST(LayoutCalc, StageThreeRefusesSizesFromTheCanvasMaximumOn) {
    LayoutInput in = A4Input(); // 3508 × 2480 page, 1500 × 1051 photos
    LayoutCalcResult r = CalculateLayout(in, 3508);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.failedStage, 3);
    EXPECT_EQ(Japanese(r), "\n用紙幅サイズが大きすぎます。（最大3508pix）");
    EXPECT_TRUE(r.layoutText.empty());
    EXPECT_TRUE(CalculateLayout(in, 3509).ok);

    EXPECT_EQ(Japanese(CalculateLayout(in, 1051)),
              "\n用紙幅サイズが大きすぎます。（最大1051pix）"
              "\n用紙高さサイズが大きすぎます。（最大1051pix）"
              "\n写真幅サイズが大きすぎます。（最大1051pix）"
              "\n写真高さサイズが大きすぎます。（最大1051pix）");

    // At the default maximum: 2774.3 mm at 300 dpi is 32767 px (rounded).
    in = With(A4Input(), {{2, "2774.3"}});
    EXPECT_EQ(Japanese(CalculateLayout(in)), "\n用紙幅サイズが大きすぎます。（最大32767pix）");
    in.setEdit(2, "2774.2");
    EXPECT_TRUE(CalculateLayout(in).ok);
}

TEST(LayoutCalc, LayoutTextHoldsPixelsTypedTextsAndTheEcho) {
    LayoutInput in = With(A4Input(), {{1, "0300"},
                                      {10, "04"},
                                      {16, "1.428570"},
                                      {17, ""},
                                      {22, "[$DATE]"},
                                      {18, "5"},
                                      {26, "-1"},
                                      {29, "3.5"},
                                      {31, "1"},
                                      {32, "7"},
                                      {33, "ff0000ff"},
                                      {35, "2.5"},
                                      {37, "-0.5"}});
    in.setRadio(7, true);
    in.setRadio(12, false); // no page position checked: 1
    in.setRadio(10, false);
    in.setRadio(15, true);
    in.setCheck(7, true);
    in.setCheck(9, true);
    LayoutCalcResult r = CalculateLayout(in);
    ASSERT_TRUE(r.ok) << Japanese(r);
    const std::pair<const char*, const char*> expected[] = {
        {"dpi", "0300"},
        {"width", "3508"},
        {"height", "2480"},
        {"left_margin", "59"},
        {"name", "A4 四面"},
        {"photo_ct", "04"},
        {"photo_width", "1500"},
        {"photo_height", "1051"},
        {"round_trim", "18"},
        {"aspect_ratio", "1.42857"},
        {"web_thumb_width", ""},
        {"font_size", "47"},
        {"font_padding", "24"},
        {"font_margin", "12"},
        {"title_font_size", "59"},
        {"title_v_adjust", "-13"},
        {"title_align", "6"},
        {"page_font_size", "41"},
        {"page_v_adjust", "12"},
        {"page_start_no", "7"},
        {"page_align", "1"},
        {"page_in_photo", "1"},
        {"filedate_font_size", "30"},
        {"filedate_v_adjust", "-7"},
        {"filedate_align", "0"},
        {"filedate_font_color", "ff0000ff"},
        {"list_active", "1"},
        {"horizontal_first", "1"},
        {"disp_date_multiline", "1"},
    };
    auto doc = IniDocument::Parse(r.layoutText);
    for (const auto& [key, value] : expected) {
        std::string found;
        for (const char* section :
             {"PAPER", "PHOTO", "NUMBER", "TITLE", "PAGENUMBER", "FILEANDDATE", "OPTIONS"})
            if (auto v = doc.value(section, key))
                found = *v;
        EXPECT_EQ(found, value) << key;
    }
    EXPECT_EQ(r.layout.photo_width, 1500);
    EXPECT_EQ(r.layout.photo_col, 2);
    EXPECT_EQ(r.layout.title_v_adjust, -13);

    // The echo gives back the same controls, and calculating them again the same text.
    LayoutInput echoed = ReadLayoutInput(doc);
    for (int n = 1; n <= LayoutInput::kEditCount; ++n)
        EXPECT_EQ(echoed.edit(n), in.edit(n)) << "EDIT" << n;
    EXPECT_EQ(CalculateLayout(echoed).layoutText, r.layoutText);

    // The record read from the file is the record the preview gets.
    SheetLayout read = ReadSheetLayout(doc, true);
    EXPECT_EQ(read.width, r.layout.width);
    EXPECT_EQ(read.page_v_adjust, r.layout.page_v_adjust);
    EXPECT_EQ(read.web_thumb_width, r.layout.web_thumb_width);
    EXPECT_FLOAT_EQ(read.aspect_ratio, r.layout.aspect_ratio);
}

TEST(LayoutCalc, EmptyRatioIsWrittenAsZero) {
    LayoutCalcResult r = CalculateLayout(With(A4Input(), {{16, ""}}));
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(Line(r, "PHOTO", "aspect_ratio"), "0");
    r = CalculateLayout(With(A4Input(), {{16, "2"}}));
    EXPECT_EQ(Line(r, "PHOTO", "aspect_ratio"), "2");
}

TEST(LayoutCalc, TrimRatio) {
    struct Case {
        const char* width;
        const char* height;
        bool ok;
        const char* text;
    } cases[] = {
        {"297", "210", true, "1.41428"},
        {"100", "70", true, "1.42857"},
        {"2", "1", true, "2"},
        {"89", "127", true, "0.70078"},
        {"100", "0", false, "高さが０です。"},
        {"100", "0.0", false, "高さが０です。"},
        {"", "70", false, "\n写真サイズ幅が未定義です。"},
        {"1..0", "", false, "\n写真サイズ幅が未定義です。\n写真サイズ高さが未定義です。"},
    };
    for (const auto& c : cases) {
        LayoutInput in;
        in.setEdit(13, c.width);
        in.setEdit(14, c.height);
        TrimRatioResult r = CalculateTrimRatio(in);
        EXPECT_EQ(r.ok, c.ok) << c.width << "/" << c.height;
        EXPECT_EQ(c.ok ? r.ratioText : Japanese(r), c.text) << c.width << "/" << c.height;
    }
}
