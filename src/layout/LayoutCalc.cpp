#include "layout/LayoutCalc.h"

#include "layout/LayoutWriter.h"
#include "text/Numbers.h"

#include <QString>

#include <climits>
#include <cmath>
#include <cstdint>

namespace quorvane::layout {

namespace {

using F = EditorField;

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
    scale.dpi = text::ParseDouble(input.text(F::Resolution)).value_or(300);
    scale.round = input.isOn(F::HorizontalFirst);
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
    auto edit = [&](EditorField f) -> const std::string& { return in.text(f); };
    const bool titled = !edit(F::Title).empty();
    std::string messages;
    auto fail = [&](int stage) {
        result.failedStage = stage;
        result.messages = messages;
        return result;
    };

    // Stage 1: presence and form of every field.
    if (edit(F::SettingName).empty())
        messages += "サイズ名称が未入力です。";
    if (IntOrZero(edit(F::Resolution)) < 1)
        messages += "\n解像度が未定義です。";
    if (edit(F::BackgroundColour).empty())
        messages += "\n背景色が未入力です。";
    if (!edit(F::BackgroundColour).empty() && FieldLength(edit(F::BackgroundColour)) != 8)
        messages += "\n背景色はＡＲＧＢ形式で８文字になります。";
    static const std::pair<EditorField, const char*> kLengths[] = {
        {F::PaperWidth, "\n用紙幅が未定義です。"}, {F::PaperHeight, "\n用紙高さが未定義です。"},
        {F::LeftMargin, "\n左余白が未定義です。"}, {F::RightMargin, "\n右余白が未定義です。"},
        {F::TopMargin, "\n上余白が未定義です。"},  {F::BottomMargin, "\n下余白が未定義です。"}};
    for (const auto& [field, message] : kLengths)
        if (!IsNumberText(edit(field)))
            messages += message;
    if (IntOrZero(edit(F::PhotoCount)) < 1)
        messages += "\n表示枚数が未定義です。";
    if (IntOrZero(edit(F::PhotosAcross)) < 1)
        messages += "\n横列の枚数が未定義です。";
    if (IntOrZero(edit(F::PhotosDown)) < 1)
        messages += "\n縦列の枚数が未定義です。";
    if (!IsNumberText(edit(F::PhotoWidth)))
        messages += "\n写真サイズ幅が未定義です。";
    if (!IsNumberText(edit(F::PhotoHeight)))
        messages += "\n写真サイズ高さが未定義です。";
    if (!edit(F::Cutoff).empty() && !IsNumberText(edit(F::Cutoff)))
        messages += "\n周囲の切り捨てサイズが未定義です。";
    if (!edit(F::TrimRatio).empty() && !IsNumberText(edit(F::TrimRatio)))
        messages += "\nトリミング比が未定義です。";
    if (!edit(F::WebThumbWidth).empty() && IntOrZero(edit(F::WebThumbWidth)) < 1)
        messages += "\nサムネイルサイズが未定義です。";
    if (titled && edit(F::TitleColour).empty())
        messages += "\nタイトルの文字色が未入力です。";
    if (titled && edit(F::TitleFont).empty())
        messages += "\nタイトルのフォント名が未設定です。";
    if (titled && !IsNumberText(edit(F::TitleFontSize)))
        messages += "\nタイトルのフォントサイズが未定義です。";
    if (titled && edit(F::TitleAdjust).empty())
        messages += "\nタイトルの垂直位置調整が未入力です。";
    if (!IsNumberText(edit(F::NumberFontSize)))
        messages += "\n写真番号のフォントサイズが未定義です。";
    if (!IsNumberText(edit(F::NumberDistance)))
        messages += "\n写真枠からの距離が未定義です。";
    if (!IsNumberText(edit(F::NumberMargin)))
        messages += "\n文字の周囲余白が未定義です。";
    if (edit(F::NumberColour).empty())
        messages += "\n写真番号の文字色が未入力です。";
    // Fields that no check above covers are converted below; one that is typed but does not
    // convert (two dots, a lone "-") would have no value, so it is reported here.
    auto unchecked = [&](EditorField field, const char* message) {
        if (!edit(field).empty() && !Converts(edit(field)))
            messages += message;
    };
    if (!titled)
        unchecked(F::TitleFontSize, "\nタイトルのフォントサイズが数値ではありません。");
    unchecked(F::TitleAdjust, "\nタイトルの垂直位置調整が数値ではありません。");
    unchecked(F::PageFontSize, "\nページ番号のフォントサイズが数値ではありません。");
    unchecked(F::PageAdjust, "\nページ番号の垂直位置調整が数値ではありません。");
    unchecked(F::FileDateFontSize, "\nファイル名等のフォントサイズが数値ではありません。");
    unchecked(F::FileDateAdjust, "\nファイル名等の垂直位置調整が数値ではありません。");
    if (!messages.empty())
        return fail(1);

    // Stage 2: consistency of the layout.
    const MmScale scale = ScaleOf(in);
    const double paperW = NumberValue(edit(F::PaperWidth)),
                 paperH = NumberValue(edit(F::PaperHeight));
    const double left = NumberValue(edit(F::LeftMargin)), right = NumberValue(edit(F::RightMargin));
    const double top = NumberValue(edit(F::TopMargin)), bottom = NumberValue(edit(F::BottomMargin));
    const double photoW = NumberValue(edit(F::PhotoWidth)),
                 photoH = NumberValue(edit(F::PhotoHeight));
    const int total = IntOrZero(edit(F::PhotoCount)), cols = IntOrZero(edit(F::PhotosAcross)),
              rows = IntOrZero(edit(F::PhotosDown));
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
    if (IntOrZero(edit(F::Resolution)) < 72)
        messages += "\n解像度が低すぎます。";
    if (MmToPx(photoW, scale) < 10 || MmToPx(photoH, scale) < 10)
        messages += "\n写真サイズが小さすぎます。";
    if (!edit(F::Cutoff).empty() && MmToPx(photoW - 2 * NumberValue(edit(F::Cutoff)), scale) < 10)
        messages += "\n写真の周囲を削り過ぎです。";
    if (MmToPx(TruncateMm(NumberValue(edit(F::NumberFontSize))), scale) < 7)
        messages += "\n番号のフォントサイズが小さすぎます。";
    if (titled && FieldLength(edit(F::TitleColour)) != 8)
        messages += "\n文字色はＡＲＧＢ形式で８文字になります。";
    if (titled && MmToPx(TruncateMm(NumberValue(edit(F::TitleFontSize))), scale) < 7)
        messages += "\nタイトルのフォントサイズが小さすぎます。";
    if (!messages.empty())
        return fail(2);

    // Stage 3: pixel values, checked against the canvas, and the layout text.
    SheetLayout& l = result.layout;
    auto px = [&](EditorField field) { return MmToPx(NumberValue(edit(field)), scale); };
    l.dpi = IntOrZero(edit(F::Resolution));
    l.width = MmToPx(paperW, scale);
    l.height = MmToPx(paperH, scale);
    l.left_margin = MmToPx(left, scale);
    l.right_margin = MmToPx(right, scale);
    l.top_margin = MmToPx(top, scale);
    l.bottom_margin = MmToPx(bottom, scale);
    l.name = edit(F::SettingName);
    l.bg_color = edit(F::BackgroundColour);
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

    const double ratio = NumberValue(edit(F::TrimRatio));
    l.round_trim = px(F::Cutoff);
    l.aspect_ratio = static_cast<float>(ratio);
    l.web_thumb_width = text::ParseIntOr(edit(F::WebThumbWidth), l.web_thumb_width);
    l.font_name = kNumberFontName;
    l.font_color = edit(F::NumberColour);
    l.font_size = px(F::NumberFontSize);
    l.font_padding = px(F::NumberDistance);
    l.font_margin = px(F::NumberMargin);
    l.number_rdown = in.isOn(F::NumberLowerRight);
    l.title = edit(F::Title);
    l.title_font_name = edit(F::TitleFont);
    l.title_font_color = edit(F::TitleColour);
    l.title_font_size = px(F::TitleFontSize);
    l.title_v_adjust = px(F::TitleAdjust);
    l.title_align = in.checkedIndex(LayoutInput::kTitlePosition, 1);
    l.title_in_photo = in.isOn(F::TitleInPhoto);
    l.page_text = edit(F::PageText);
    l.page_font_name = edit(F::PageFont);
    l.page_font_color = edit(F::PageColour);
    l.page_font_size = px(F::PageFontSize);
    l.page_v_adjust = px(F::PageAdjust);
    l.page_start_no = IntOrZero(edit(F::PageStartNumber));
    l.page_align = in.checkedIndex(LayoutInput::kPagePosition, 1);
    l.background_image = edit(F::BackgroundImage);
    l.filedate_font_name = edit(F::FileDateFont);
    l.filedate_font_color = edit(F::FileDateColour);
    l.filedate_font_size = px(F::FileDateFontSize);
    l.filedate_v_adjust = px(F::FileDateAdjust);
    l.filedate_align = in.checkedIndex(LayoutInput::kFileNameAlign, 1);
    l.disp_filename = in.isOn(F::ShowFileName);
    l.disp_date = in.isOn(F::ShowDate);
    l.disp_date_multiline = in.isOn(F::DateOnSecondLine);
    l.disp_exif_info = in.isOn(F::ShowExif);
    l.horizontal_first = in.isOn(F::HorizontalFirst);
    l.disp_numer = in.isOn(F::ShowNumbers);
    l.l_size_trim = in.isOn(F::TrimToRatio);
    l.outerRect = in.isOn(F::PhotoFrame);
    l.trim2mm = in.isOn(F::CutPeriphery);
    l.for_web = in.isOn(F::WebImages);
    l.disp_page_number = in.isOn(F::ShowPageNumber);

    LayoutFileContent content;
    content.layout = l;
    content.dpiText = edit(F::Resolution);
    content.photoCtText = edit(F::PhotoCount);
    content.photoColText = edit(F::PhotosAcross);
    content.photoRowText = edit(F::PhotosDown);
    content.aspectRatioText = text::ShortestText(ratio);
    content.webThumbWidthText = edit(F::WebThumbWidth);
    content.pageInPhoto = in.isOn(F::PageInPhoto);
    content.listActive = in.isOn(F::Enabled);
    content.input = in;
    result.layoutText = LayoutText(content);
    result.ok = true;
    return result;
}

TrimRatioResult CalculateTrimRatio(const LayoutInput& input) {
    TrimRatioResult result;
    if (!IsNumberText(input.text(F::PhotoWidth)))
        result.messages += "\n写真サイズ幅が未定義です。";
    if (!IsNumberText(input.text(F::PhotoHeight)))
        result.messages += "\n写真サイズ高さが未定義です。";
    if (!result.messages.empty())
        return result;
    const double width = NumberValue(input.text(F::PhotoWidth));
    const double height = NumberValue(input.text(F::PhotoHeight));
    if (height == 0) {
        result.messages = "高さが０です。";
        return result;
    }
    result.ratioText = text::ShortestText(width / height).substr(0, 7);
    result.ok = true;
    return result;
}

} // namespace quorvane::layout
