// The size calculation of the settings editor: checks a layout typed in millimetres, converts it
// to page pixels and composes the layout file text; and the trimming ratio from the photo size.
#pragma once

#include "layout/LayoutInput.h"
#include "layout/SheetLayout.h"
#include "text/Problem.h"

#include <string>
#include <string_view>
#include <vector>

namespace quorvane::layout {

// The largest bitmap edge the canvas accepts when the caller does not say otherwise.
inline constexpr int kDefaultCanvasMax = 32767;

// False for an empty text. A text with "." must convert as a whole to a finite number; any other
// text must be a whole integer other than -9999999.
bool IsNumberText(std::string_view text);

// 0 for an empty text; with "." the decimal value; otherwise the integer value, or 0 when it is
// not an integer. `converted`, when given, is false for a text with "." that does not convert
// (the value is then 0).
double NumberValue(std::string_view text, bool* converted = nullptr);

// The resolution and the rounding rule of a conversion: dpi is Edit1 read as a decimal number
// (300 when it is not one); CheckBox1 ("番号　横列方向優先") turns rounding on.
struct MmScale {
    double dpi = 300;
    bool round = false;
};
MmScale ScaleOf(const LayoutInput& input);

// millimetres × dpi / 25.4, floored; with rounding, 0.5 is added to a positive and subtracted
// from a negative result before the floor. Results beyond the int range are clamped to it.
int MmToPx(double mm, const MmScale& scale);
// The form for whole millimetres (callers truncate towards zero first, see TruncateMm).
int MmToPx(int mm, const MmScale& scale);
// A millimetre value truncated towards zero, clamped to the int range.
int TruncateMm(double mm);

struct LayoutCalcResult {
    bool ok = false;
    int failedStage = 0; // 1, 2 or 3 when a stage reported problems
    // Every failed check of that stage, in the order of the checks (ProblemsText makes the
    // message dialog's text of them).
    std::vector<text::Problem> problems;
    std::string layoutText; // the layout file text; empty unless ok, so nothing partial is saved
    SheetLayout layout;     // the pixel values of the preview (complete when ok)
    double gapXMm = 0;      // spacing between photos across and down, in millimetres
    double gapYMm = 0;
};

// "サイズ計算": three stages, each reporting every failed check before the calculation ends;
// canvasMax is the largest bitmap edge of the canvas (page and photo sizes must stay below it).
LayoutCalcResult CalculateLayout(const LayoutInput& input, int canvasMax = kDefaultCanvasMax);

struct TrimRatioResult {
    bool ok = false;
    std::vector<text::Problem> problems; // shown when not ok
    std::string ratioText;               // the new text of Edit16 when ok
};

// "計算": the trimming ratio photo width / height from Edit13 and Edit14, as the first seven
// characters of its shortest decimal text.
TrimRatioResult CalculateTrimRatio(const LayoutInput& input);

} // namespace quorvane::layout
