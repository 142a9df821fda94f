// What the core reports instead of message text: a code and the texts the message names. The
// windows and the batch command turn problems into text in the interface's language
// (catalogue/ProblemText.h), so that no message is written in the core.
#pragma once

#include <string>
#include <vector>

namespace quorvane::text {

// One code per message. The catalogue has the texts; the comment of each code says what its
// arguments are, in the order the message uses them.
enum class ProblemCode : int {
    // The size calculation of the settings editor ("サイズ計算"); no arguments unless said.
    // Presence and form of the fields:
    kCalcNameMissing,
    kCalcResolutionMissing,
    kCalcBackgroundColourMissing,
    kCalcBackgroundColourNotArgb,
    kCalcPaperWidthMissing,
    kCalcPaperHeightMissing,
    kCalcLeftMarginMissing,
    kCalcRightMarginMissing,
    kCalcTopMarginMissing,
    kCalcBottomMarginMissing,
    kCalcPhotoCountMissing,
    kCalcColumnsMissing,
    kCalcRowsMissing,
    kCalcPhotoWidthMissing,
    kCalcPhotoHeightMissing,
    kCalcCutoffMissing,
    kCalcTrimRatioMissing,
    kCalcWebThumbWidthMissing,
    kCalcTitleColourMissing,
    kCalcTitleFontMissing,
    kCalcTitleFontSizeMissing,
    kCalcTitleAdjustMissing,
    kCalcNumberFontSizeMissing,
    kCalcNumberDistanceMissing,
    kCalcNumberMarginMissing,
    kCalcNumberColourMissing,
    kCalcTitleFontSizeNotNumber,
    kCalcTitleAdjustNotNumber,
    kCalcPageFontSizeNotNumber,
    kCalcPageAdjustNotNumber,
    kCalcFileDateFontSizeNotNumber,
    kCalcFileDateAdjustNotNumber,
    // Consistency of the layout:
    kCalcCountMismatch,
    kCalcGapAcrossNegative,
    kCalcGapDownNegative,
    kCalcResolutionTooLow,
    kCalcPhotoTooSmall,
    kCalcCutoffTooLarge,
    kCalcNumberFontTooSmall,
    kCalcTitleColourNotArgb,
    kCalcTitleFontTooSmall,
    // Pixel sizes beyond the canvas; argument: the largest bitmap edge.
    kCalcPaperWidthTooLarge,
    kCalcPaperHeightTooLarge,
    kCalcPhotoWidthTooLarge,
    kCalcPhotoHeightTooLarge,
    // The trimming ratio ("計算"); the photo size fields are reported with the codes above.
    kTrimRatioHeightZero,

    // The check of a layout before a run, and of the editor's preview.
    // A value no page can use; arguments: file, section, key, value.
    kLayoutUnusableValue,
    // A value that makes the page or photo images too large for memory; arguments: file,
    // section, key, value.
    kLayoutTooLargeForMemory,
    // The editor's preview of such a layout; arguments: section, key, value.
    kLayoutPreviewTooLarge,

    kCount // not a message: the number of codes
};

struct Problem {
    ProblemCode code;
    // UTF-8 texts in the order the message uses them: file display name, section, key, value,
    // numbers as decimal text.
    std::vector<std::string> args;
    // An errno value when the system said why, else 0.
    int error = 0;
};

} // namespace quorvane::text
