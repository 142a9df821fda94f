#include "layout/LayoutCalc.h"

#include "layout/LayoutKeys.h"
#include "layout/LayoutWriter.h"
#include "text/Numbers.h"

#include <QString>

#include <climits>
#include <cmath>
#include <cstdint>
#include <variant>

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

// The record and the rest of the file from the editor's controls, key by key as the key tables
// say: the fixed texts, the texts as typed, millimetres converted at the resolution, whole
// numbers, the checked button of each position group and the boxes.
LayoutFileContent ContentOf(const LayoutInput& in, const MmScale& scale) {
    LayoutFileContent c;
    c.input = in;
    SheetLayout& l = c.layout;
    for (const LayoutSection& section : LayoutSections()) {
        for (const LayoutKey& key : section.keys) {
            if (key.fixedText)
                l.*std::get<std::string SheetLayout::*>(key.member) = key.fixedText;
            if (!key.field)
                continue;
            const EditorField field = *key.field;
            const std::string& typed = in.text(field);
            auto number = [&]() -> int& { return l.*std::get<int SheetLayout::*>(key.member); };
            switch (key.kind) {
            case KeyKind::Text:
            case KeyKind::Colour:
                l.*std::get<std::string SheetLayout::*>(key.member) = typed;
                break;
            case KeyKind::Length:
                number() = MmToPx(NumberValue(typed), scale);
                break;
            case KeyKind::Integer:
                number() = IntOrZero(typed);
                break;
            case KeyKind::TypedInteger:
                number() = text::ParseIntOr(typed, number());
                c.*key.typedText = typed;
                break;
            case KeyKind::Single: {
                const double value = NumberValue(typed);
                l.*std::get<float SheetLayout::*>(key.member) = static_cast<float>(value);
                c.*key.typedText = text::ShortestText(value);
                break;
            }
            case KeyKind::Position:
                number() = in.checkedIndex(LayoutInput::GroupOf(field), 1);
                break;
            case KeyKind::Flag:
                if (const auto* m = std::get_if<bool SheetLayout::*>(&key.member))
                    l.*(*m) = in.isOn(field);
                else
                    c.*std::get<bool LayoutFileContent::*>(key.member) = in.isOn(field);
                break;
            }
        }
    }
    return c;
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
    const LayoutFileContent content = ContentOf(in, scale);
    const SheetLayout& l = result.layout = content.layout;
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
