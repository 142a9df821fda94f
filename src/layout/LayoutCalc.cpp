#include "layout/LayoutCalc.h"

#include "layout/LayoutWriter.h"
#include "text/Numbers.h"

#include <QString>

#include <climits>
#include <cmath>
#include <cstdint>

namespace quorvane::layout {

namespace {

// Length as the editor's fields count it (UTF-16 code units).
int FieldLength(const std::string& text) {
    return static_cast<int>(QString::fromUtf8(text).size());
}

int IntOrZero(const std::string& text) {
    return text::ParseIntOr(text, 0);
}

int ClampToInt(double value) {
    if (value >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (value <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(value);
}

// Whether NumberValue has a value for the text: with "." a decimal number, otherwise an integer.
bool Converts(std::string_view text) {
    return text.find('.') != std::string_view::npos ? text::ParseDouble(text).has_value()
                                                    : text::ParseInt(text).has_value();
}

std::string LimitMessage(const char* what, int canvasMax) {
    return std::string("\n") + what + "サイズが大きすぎます。（最大" + std::to_string(canvasMax) +
           "pix）";
}

} // namespace

bool IsNumberText(std::string_view text) {
    if (text.empty())
        return false;
    if (text.find('.') != std::string_view::npos)
        return text::ParseDouble(text).has_value();
    return text::ParseIntOr(text, -9999999) != -9999999;
}

double NumberValue(std::string_view text, bool* converted) {
    if (converted)
        *converted = true;
    if (text.empty())
        return 0;
    if (text.find('.') != std::string_view::npos) {
        auto value = text::ParseDouble(text);
        if (!value && converted)
            *converted = false;
        return value.value_or(0);
    }
    return text::ParseIntOr(text, 0);
}

MmScale ScaleOf(const LayoutInput& input) {
    MmScale scale;
    scale.dpi = text::ParseDouble(input.edit(1)).value_or(300);
    scale.round = input.check(1);
    return scale;
}

int MmToPx(double mm, const MmScale& scale) {
    double px = mm * scale.dpi / 25.4;
    if (scale.round) {
        if (px > 0)
            px += 0.5;
        else if (px < 0)
            px -= 0.5;
    }
    return ClampToInt(std::floor(px));
}

int MmToPx(int mm, const MmScale& scale) {
    return MmToPx(static_cast<double>(mm), scale);
}

int TruncateMm(double mm) {
    return ClampToInt(std::trunc(mm));
}

LayoutCalcResult CalculateLayout(const LayoutInput& in, int canvasMax) {
    LayoutCalcResult result;
    auto edit = [&](int n) -> const std::string& { return in.edit(n); };
    const bool titled = !edit(22).empty();
    std::string messages;
    auto fail = [&](int stage) {
        result.failedStage = stage;
        result.messages = messages;
        return result;
    };

    // Stage 1: presence and form of every field.
    if (edit(8).empty())
        messages += "サイズ名称が未入力です。";
    if (IntOrZero(edit(1)) < 1)
        messages += "\n解像度が未定義です。";
    if (edit(9).empty())
        messages += "\n背景色が未入力です。";
    if (!edit(9).empty() && FieldLength(edit(9)) != 8)
        messages += "\n背景色はＡＲＧＢ形式で８文字になります。";
    static const std::pair<int, const char*> kLengths[] = {
        {2, "\n用紙幅が未定義です。"}, {3, "\n用紙高さが未定義です。"},
        {4, "\n左余白が未定義です。"}, {5, "\n右余白が未定義です。"},
        {6, "\n上余白が未定義です。"}, {7, "\n下余白が未定義です。"}};
    for (const auto& [n, message] : kLengths)
        if (!IsNumberText(edit(n)))
            messages += message;
    if (IntOrZero(edit(10)) < 1)
        messages += "\n表示枚数が未定義です。";
    if (IntOrZero(edit(11)) < 1)
        messages += "\n横列の枚数が未定義です。";
    if (IntOrZero(edit(12)) < 1)
        messages += "\n縦列の枚数が未定義です。";
    if (!IsNumberText(edit(13)))
        messages += "\n写真サイズ幅が未定義です。";
    if (!IsNumberText(edit(14)))
        messages += "\n写真サイズ高さが未定義です。";
    if (!edit(15).empty() && !IsNumberText(edit(15)))
        messages += "\n周囲の切り捨てサイズが未定義です。";
    if (!edit(16).empty() && !IsNumberText(edit(16)))
        messages += "\nトリミング比が未定義です。";
    if (!edit(17).empty() && IntOrZero(edit(17)) < 1)
        messages += "\nサムネイルサイズが未定義です。";
    if (titled && edit(23).empty())
        messages += "\nタイトルの文字色が未入力です。";
    if (titled && edit(24).empty())
        messages += "\nタイトルのフォント名が未設定です。";
    if (titled && !IsNumberText(edit(18)))
        messages += "\nタイトルのフォントサイズが未定義です。";
    if (titled && edit(26).empty())
        messages += "\nタイトルの垂直位置調整が未入力です。";
    if (!IsNumberText(edit(19)))
        messages += "\n写真番号のフォントサイズが未定義です。";
    if (!IsNumberText(edit(20)))
        messages += "\n写真枠からの距離が未定義です。";
    if (!IsNumberText(edit(21)))
        messages += "\n文字の周囲余白が未定義です。";
    if (edit(25).empty())
        messages += "\n写真番号の文字色が未入力です。";
    // Fields that no check above covers are converted below; one that is typed but does not
    // convert (two dots, a lone "-") would have no value, so it is reported here.
    auto unchecked = [&](int n, const char* message) {
        if (!edit(n).empty() && !Converts(edit(n)))
            messages += message;
    };
    if (!titled)
        unchecked(18, "\nタイトルのフォントサイズが数値ではありません。");
    unchecked(26, "\nタイトルの垂直位置調整が数値ではありません。");
    unchecked(29, "\nページ番号のフォントサイズが数値ではありません。");
    unchecked(31, "\nページ番号の垂直位置調整が数値ではありません。");
    unchecked(35, "\nファイル名等のフォントサイズが数値ではありません。");
    unchecked(37, "\nファイル名等の垂直位置調整が数値ではありません。");
    if (!messages.empty())
        return fail(1);

    // Stage 2: consistency of the layout.
    const MmScale scale = ScaleOf(in);
    const double paperW = NumberValue(edit(2)), paperH = NumberValue(edit(3));
    const double left = NumberValue(edit(4)), right = NumberValue(edit(5));
    const double top = NumberValue(edit(6)), bottom = NumberValue(edit(7));
    const double photoW = NumberValue(edit(13)), photoH = NumberValue(edit(14));
    const int total = IntOrZero(edit(10)), cols = IntOrZero(edit(11)), rows = IntOrZero(edit(12));
    result.gapXMm =
        cols < 2 ? paperW - photoW : (paperW - left - right - photoW * cols) / (cols - 1);
    result.gapYMm =
        rows < 2 ? paperH - photoH : (paperH - top - bottom - photoH * rows) / (rows - 1);

    if (static_cast<int64_t>(cols) * rows != total)
        messages += "\n写真の合計枚数と縦行数×横列数の計算が合いません。";
    // A single column or row gets the whole paper as its gap, so its margins are checked on
    // their own: photo and margins must fit the paper, or the photo would run off the page.
    const bool overflowX = cols < 2 && paperW - left - right - photoW < 0;
    const bool overflowY = rows < 2 && paperH - top - bottom - photoH < 0;
    if (result.gapXMm < 0 || overflowX)
        messages += "\n写真の横間隔がマイナスになります。";
    if (result.gapYMm < 0 || overflowY)
        messages += "\n写真の縦間隔がマイナスになります。";
    if (IntOrZero(edit(1)) < 72)
        messages += "\n解像度が低すぎます。";
    if (MmToPx(photoW, scale) < 10 || MmToPx(photoH, scale) < 10)
        messages += "\n写真サイズが小さすぎます。";
    if (!edit(15).empty() && MmToPx(photoW - 2 * NumberValue(edit(15)), scale) < 10)
        messages += "\n写真の周囲を削り過ぎです。";
    if (MmToPx(TruncateMm(NumberValue(edit(19))), scale) < 7)
        messages += "\n番号のフォントサイズが小さすぎます。";
    if (titled && FieldLength(edit(23)) != 8)
        messages += "\n文字色はＡＲＧＢ形式で８文字になります。";
    if (titled && MmToPx(TruncateMm(NumberValue(edit(18))), scale) < 7)
        messages += "\nタイトルのフォントサイズが小さすぎます。";
    if (!messages.empty())
        return fail(2);

    // Stage 3: pixel values, checked against the canvas, and the layout text.
    SheetLayout& l = result.layout;
    auto px = [&](int n) { return MmToPx(NumberValue(edit(n)), scale); };
    l.dpi = IntOrZero(edit(1));
    l.width = MmToPx(paperW, scale);
    l.height = MmToPx(paperH, scale);
    l.left_margin = MmToPx(left, scale);
    l.right_margin = MmToPx(right, scale);
    l.top_margin = MmToPx(top, scale);
    l.bottom_margin = MmToPx(bottom, scale);
    l.name = edit(8);
    l.bg_color = edit(9);
    l.photo_ct = total;
    l.photo_col = cols;
    l.photo_row = rows;
    l.photo_width = MmToPx(photoW, scale);
    l.photo_height = MmToPx(photoH, scale);
    if (l.width >= canvasMax)
        messages += LimitMessage("用紙幅", canvasMax);
    if (l.height >= canvasMax)
        messages += LimitMessage("用紙高さ", canvasMax);
    if (l.photo_width >= canvasMax)
        messages += LimitMessage("写真幅", canvasMax);
    if (l.photo_height >= canvasMax)
        messages += LimitMessage("写真高さ", canvasMax);
    if (!messages.empty())
        return fail(3);

    const double ratio = NumberValue(edit(16));
    l.round_trim = px(15);
    l.aspect_ratio = static_cast<float>(ratio);
    l.web_thumb_width = text::ParseIntOr(edit(17), l.web_thumb_width);
    l.font_name = kNumberFontName;
    l.font_color = edit(25);
    l.font_size = px(19);
    l.font_padding = px(20);
    l.font_margin = px(21);
    l.number_rdown = in.check(10);
    l.title = edit(22);
    l.title_font_name = edit(24);
    l.title_font_color = edit(23);
    l.title_font_size = px(18);
    l.title_v_adjust = px(26);
    l.title_align = in.checkedIndex(LayoutInput::kTitlePosition, 1);
    l.title_in_photo = in.check(8);
    l.page_text = edit(28);
    l.page_font_name = edit(30);
    l.page_font_color = edit(27);
    l.page_font_size = px(29);
    l.page_v_adjust = px(31);
    l.page_start_no = IntOrZero(edit(32));
    l.page_align = in.checkedIndex(LayoutInput::kPagePosition, 1);
    l.background_image = edit(34);
    l.filedate_font_name = edit(36);
    l.filedate_font_color = edit(33);
    l.filedate_font_size = px(35);
    l.filedate_v_adjust = px(37);
    l.filedate_align = in.checkedIndex(LayoutInput::kFileNameAlign, 1);
    l.disp_filename = in.check(12);
    l.disp_date = in.check(13);
    l.disp_date_multiline = in.check(14);
    l.disp_exif_info = in.check(15);
    l.horizontal_first = in.check(1);
    l.disp_numer = in.check(2);
    l.l_size_trim = in.check(3);
    l.outerRect = in.check(4);
    l.trim2mm = in.check(5);
    l.for_web = in.check(6);
    l.disp_page_number = in.check(11);

    LayoutFileContent content;
    content.layout = l;
    content.dpiText = edit(1);
    content.photoCtText = edit(10);
    content.photoColText = edit(11);
    content.photoRowText = edit(12);
    content.aspectRatioText = text::ShortestText(ratio);
    content.webThumbWidthText = edit(17);
    content.pageInPhoto = in.check(9);
    content.listActive = in.check(7);
    content.input = in;
    result.layoutText = LayoutText(content);
    result.ok = true;
    return result;
}

TrimRatioResult CalculateTrimRatio(const LayoutInput& input) {
    TrimRatioResult result;
    if (!IsNumberText(input.edit(13)))
        result.messages += "\n写真サイズ幅が未定義です。";
    if (!IsNumberText(input.edit(14)))
        result.messages += "\n写真サイズ高さが未定義です。";
    if (!result.messages.empty())
        return result;
    const double width = NumberValue(input.edit(13));
    const double height = NumberValue(input.edit(14));
    if (height == 0) {
        result.messages = "高さが０です。";
        return result;
    }
    result.ratioText = text::ShortestText(width / height).substr(0, 7);
    result.ok = true;
    return result;
}

} // namespace quorvane::layout
