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
using P = text::ProblemCode;

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
    std::vector<text::Problem>& problems = result.problems;
    auto report = [&](text::ProblemCode code) { problems.push_back({code, {}}); };
    auto fail = [&](int stage) {
        result.failedStage = stage;
        return result;
    };

    // Stage 1: presence and form of every field.
    if (edit(F::SettingName).empty())
        report(P::kCalcNameMissing);
    if (IntOrZero(edit(F::Resolution)) < 1)
        report(P::kCalcResolutionMissing);
    if (edit(F::BackgroundColour).empty())
        report(P::kCalcBackgroundColourMissing);
    if (!edit(F::BackgroundColour).empty() && FieldLength(edit(F::BackgroundColour)) != 8)
        report(P::kCalcBackgroundColourNotArgb);
    static const std::pair<EditorField, text::ProblemCode> kLengths[] = {
        {F::PaperWidth, P::kCalcPaperWidthMissing}, {F::PaperHeight, P::kCalcPaperHeightMissing},
        {F::LeftMargin, P::kCalcLeftMarginMissing}, {F::RightMargin, P::kCalcRightMarginMissing},
        {F::TopMargin, P::kCalcTopMarginMissing},   {F::BottomMargin, P::kCalcBottomMarginMissing}};
    for (const auto& [field, code] : kLengths)
        if (!IsNumberText(edit(field)))
            report(code);
    if (IntOrZero(edit(F::PhotoCount)) < 1)
        report(P::kCalcPhotoCountMissing);
    if (IntOrZero(edit(F::PhotosAcross)) < 1)
        report(P::kCalcColumnsMissing);
    if (IntOrZero(edit(F::PhotosDown)) < 1)
        report(P::kCalcRowsMissing);
    if (!IsNumberText(edit(F::PhotoWidth)))
        report(P::kCalcPhotoWidthMissing);
    if (!IsNumberText(edit(F::PhotoHeight)))
        report(P::kCalcPhotoHeightMissing);
    if (!edit(F::Cutoff).empty() && !IsNumberText(edit(F::Cutoff)))
        report(P::kCalcCutoffMissing);
    if (!edit(F::TrimRatio).empty() && !IsNumberText(edit(F::TrimRatio)))
        report(P::kCalcTrimRatioMissing);
    if (!edit(F::WebThumbWidth).empty() && IntOrZero(edit(F::WebThumbWidth)) < 1)
        report(P::kCalcWebThumbWidthMissing);
    if (titled && edit(F::TitleColour).empty())
        report(P::kCalcTitleColourMissing);
    if (titled && edit(F::TitleFont).empty())
        report(P::kCalcTitleFontMissing);
    if (titled && !IsNumberText(edit(F::TitleFontSize)))
        report(P::kCalcTitleFontSizeMissing);
    if (titled && edit(F::TitleAdjust).empty())
        report(P::kCalcTitleAdjustMissing);
    if (!IsNumberText(edit(F::NumberFontSize)))
        report(P::kCalcNumberFontSizeMissing);
    if (!IsNumberText(edit(F::NumberDistance)))
        report(P::kCalcNumberDistanceMissing);
    if (!IsNumberText(edit(F::NumberMargin)))
        report(P::kCalcNumberMarginMissing);
    if (edit(F::NumberColour).empty())
        report(P::kCalcNumberColourMissing);
    // Fields that no check above covers are converted below; one that is typed but does not
    // convert (two dots, a lone "-") would have no value, so it is reported here.
    auto unchecked = [&](EditorField field, text::ProblemCode code) {
        if (!edit(field).empty() && !Converts(edit(field)))
            report(code);
    };
    if (!titled)
        unchecked(F::TitleFontSize, P::kCalcTitleFontSizeNotNumber);
    unchecked(F::TitleAdjust, P::kCalcTitleAdjustNotNumber);
    unchecked(F::PageFontSize, P::kCalcPageFontSizeNotNumber);
    unchecked(F::PageAdjust, P::kCalcPageAdjustNotNumber);
    unchecked(F::FileDateFontSize, P::kCalcFileDateFontSizeNotNumber);
    unchecked(F::FileDateAdjust, P::kCalcFileDateAdjustNotNumber);
    if (!problems.empty())
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
        report(P::kCalcCountMismatch);
    // A single column or row gets the whole paper as its gap, so its margins are checked on
    // their own: photo and margins must fit the paper, or the photo would run off the page.
    const bool overflowX = cols < 2 && paperW - left - right - photoW < 0;
    const bool overflowY = rows < 2 && paperH - top - bottom - photoH < 0;
    if (result.gapXMm < 0 || overflowX)
        report(P::kCalcGapAcrossNegative);
    if (result.gapYMm < 0 || overflowY)
        report(P::kCalcGapDownNegative);
    if (IntOrZero(edit(F::Resolution)) < 72)
        report(P::kCalcResolutionTooLow);
    if (MmToPx(photoW, scale) < 10 || MmToPx(photoH, scale) < 10)
        report(P::kCalcPhotoTooSmall);
    if (!edit(F::Cutoff).empty() && MmToPx(photoW - 2 * NumberValue(edit(F::Cutoff)), scale) < 10)
        report(P::kCalcCutoffTooLarge);
    if (MmToPx(TruncateMm(NumberValue(edit(F::NumberFontSize))), scale) < 7)
        report(P::kCalcNumberFontTooSmall);
    if (titled && FieldLength(edit(F::TitleColour)) != 8)
        report(P::kCalcTitleColourNotArgb);
    if (titled && MmToPx(TruncateMm(NumberValue(edit(F::TitleFontSize))), scale) < 7)
        report(P::kCalcTitleFontTooSmall);
    if (!problems.empty())
        return fail(2);

    // Stage 3: pixel values, checked against the canvas, and the layout text.
    const LayoutFileContent content = ContentOf(in, scale);
    const SheetLayout& l = result.layout = content.layout;
    const std::pair<int, text::ProblemCode> limits[] = {
        {l.width, P::kCalcPaperWidthTooLarge},
        {l.height, P::kCalcPaperHeightTooLarge},
        {l.photo_width, P::kCalcPhotoWidthTooLarge},
        {l.photo_height, P::kCalcPhotoHeightTooLarge}};
    for (const auto& [pixels, code] : limits)
        if (pixels >= canvasMax)
            problems.push_back({code, {std::to_string(canvasMax)}});
    if (!problems.empty())
        return fail(3);
    result.layoutText = LayoutText(content);
    result.ok = true;
    return result;
}

TrimRatioResult CalculateTrimRatio(const LayoutInput& input) {
    TrimRatioResult result;
    if (!IsNumberText(input.text(F::PhotoWidth)))
        result.problems.push_back({P::kCalcPhotoWidthMissing, {}});
    if (!IsNumberText(input.text(F::PhotoHeight)))
        result.problems.push_back({P::kCalcPhotoHeightMissing, {}});
    if (!result.problems.empty())
        return result;
    const double width = NumberValue(input.text(F::PhotoWidth));
    const double height = NumberValue(input.text(F::PhotoHeight));
    if (height == 0) {
        result.problems.push_back({P::kTrimRatioHeightZero, {}});
        return result;
    }
    result.ratioText = text::ShortestText(width / height).substr(0, 7);
    result.ok = true;
    return result;
}

} // namespace quorvane::layout
