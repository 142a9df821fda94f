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
    // The layouts of the settings folder could not be read into the sheet window's list.
    kLayoutsUnreadable,

    // The settings editor's saves, refused before anything is written; Japanese in both
    // languages, as the editor's save messages are. Another save is running:
    kLayoutSaveBusy,
    // No calculation has made the text to save:
    kLayoutSaveNotCalculated,
    // The sheet creation window is making sheets, or a continued run is pending:
    kLayoutSaveSheetRun,
    // Every file number is taken; argument: the highest number.
    kLayoutSaveNoFreeNumber,
    // The write failed, the file keeps what it held; argument: the file name. As a new file:
    kLayoutNotSaved,
    // Over the loaded layout:
    kLayoutNotOverwritten,

    // The photo list. A folder box is empty:
    kPhotoListFoldersNotSet,
    // The save folder cannot be made; argument: the folder.
    kPhotoListSaveFolderUnmakeable,
    // The list stopped at its last row:
    kPhotoListFull,
    // A name dropped onto the main window holds a ","; Japanese in both languages.
    kDropNameHasComma,

    // A press of "シート作成" that runs nothing. A folder box is empty:
    kRunFoldersNotSet,
    // No photo between the start and end rows:
    kRunNothingToOutput,
    // The output folder cannot take the run's files; argument: the folder. It cannot be made:
    kOutputFolderUnmakeable,
    // One of its own folders is a symbolic link:
    kOutputFolderIsLink,
    // Another run is writing into it:
    kOutputFolderBusy,
    // An old page stays in the output folder (the run goes on); argument: the file.
    kOldFileNotDeleted,
    // The renderer. The layout's photo count is below 1:
    kRunNoPhotosPerPage,
    // The page or a photo could not be held in memory:
    kRunOutOfMemory,
    // The layout's background image cannot be read:
    kRunBackgroundUnreadable,
    // A listed photo cannot be read; argument: the photo.
    kRunPhotoUnreadable,
    // A page or web image file could not be written; argument: the file; `error` tells why.
    kPageNotWritten,
    // A page or web image would replace a photo being listed; argument: the file.
    kPageWouldReplacePhoto,
    // The run's PDF could not be written; argument: the file; `error` tells why when known.
    kPdfNotWritten,
    // The run's order sheet (CSV) could not be written; argument: the file; `error` as above.
    kOrderSheetNotWritten,
    // The pages could not be printed; argument: the printer's name.
    kPrintFailed,

    kCount // not a message: the number of codes
};

struct Problem {
    ProblemCode code;
    // UTF-8 texts in the order the message uses them: file display name, section, key, value,
    // numbers as decimal text.
    std::vector<std::string> args;
    // An errno value when the system said why, else 0: the catalogue adds its reason on a line
    // of its own.
    int error = 0;
};

} // namespace quorvane::text
