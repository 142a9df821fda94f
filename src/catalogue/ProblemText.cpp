#include "catalogue/ProblemText.h"

#include "catalogue/Arguments.h"

#include <cerrno>
#include <cstring>

namespace quorvane {

namespace {

using text::ProblemCode;

// The texts of one code; "%1".."%9" stand for its arguments. No English text: the Japanese one
// in both languages. `ownLine`: in a list the message starts with a line break even when it
// comes first.
struct Entry {
    const char* ja;
    const char* en;
    bool ownLine = false;
};

Entry EntryOf(ProblemCode code) {
    switch (code) {
    case ProblemCode::kCalcNameMissing:
        return {"サイズ名称が未入力です。", "The setting name has not been entered.", false};
    case ProblemCode::kCalcResolutionMissing:
        return {"解像度が未定義です。", "The resolution must be a whole number of 1 or more.",
                true};
    case ProblemCode::kCalcBackgroundColourMissing:
        return {"背景色が未入力です。", "The background color has not been entered.", true};
    case ProblemCode::kCalcBackgroundColourNotArgb:
        return {"背景色はＡＲＧＢ形式で８文字になります。",
                "The background color must be 8 characters in ARGB form.", true};
    case ProblemCode::kCalcPaperWidthMissing:
        return {"用紙幅が未定義です。", "The paper width is missing or not a number.", true};
    case ProblemCode::kCalcPaperHeightMissing:
        return {"用紙高さが未定義です。", "The paper height is missing or not a number.", true};
    case ProblemCode::kCalcLeftMarginMissing:
        return {"左余白が未定義です。", "The left margin is missing or not a number.", true};
    case ProblemCode::kCalcRightMarginMissing:
        return {"右余白が未定義です。", "The right margin is missing or not a number.", true};
    case ProblemCode::kCalcTopMarginMissing:
        return {"上余白が未定義です。", "The top margin is missing or not a number.", true};
    case ProblemCode::kCalcBottomMarginMissing:
        return {"下余白が未定義です。", "The bottom margin is missing or not a number.", true};
    case ProblemCode::kCalcPhotoCountMissing:
        return {"表示枚数が未定義です。",
                "The total number of photos must be a whole number of 1 or more.", true};
    case ProblemCode::kCalcColumnsMissing:
        return {"横列の枚数が未定義です。",
                "The number of photos across must be a whole number of 1 or more.", true};
    case ProblemCode::kCalcRowsMissing:
        return {"縦列の枚数が未定義です。",
                "The number of photos down must be a whole number of 1 or more.", true};
    case ProblemCode::kCalcPhotoWidthMissing:
        return {"写真サイズ幅が未定義です。", "The photo width is missing or not a number.", true};
    case ProblemCode::kCalcPhotoHeightMissing:
        return {"写真サイズ高さが未定義です。", "The photo height is missing or not a number.",
                true};
    case ProblemCode::kCalcCutoffMissing:
        return {"周囲の切り捨てサイズが未定義です。", "The surrounding cutoff is not a number.",
                true};
    case ProblemCode::kCalcTrimRatioMissing:
        return {"トリミング比が未定義です。", "The trimming ratio is not a number.", true};
    case ProblemCode::kCalcWebThumbWidthMissing:
        return {"サムネイルサイズが未定義です。",
                "The web thumbnail width must be a whole number of 1 or more.", true};
    case ProblemCode::kCalcTitleColourMissing:
        return {"タイトルの文字色が未入力です。", "The title color has not been entered.", true};
    case ProblemCode::kCalcTitleFontMissing:
        return {"タイトルのフォント名が未設定です。", "The title font has not been chosen.", true};
    case ProblemCode::kCalcTitleFontSizeMissing:
        return {"タイトルのフォントサイズが未定義です。",
                "The title font size is missing or not a number.", true};
    case ProblemCode::kCalcTitleAdjustMissing:
        return {"タイトルの垂直位置調整が未入力です。",
                "The title's vertical position adjustment has not been entered.", true};
    case ProblemCode::kCalcNumberFontSizeMissing:
        return {"写真番号のフォントサイズが未定義です。",
                "The font size of the photo numbers is missing or not a number.", true};
    case ProblemCode::kCalcNumberDistanceMissing:
        return {"写真枠からの距離が未定義です。",
                "The distance of the photo numbers from the photo edge is missing or not a number.",
                true};
    case ProblemCode::kCalcNumberMarginMissing:
        return {"文字の周囲余白が未定義です。",
                "The margin around the photo numbers is missing or not a number.", true};
    case ProblemCode::kCalcNumberColourMissing:
        return {"写真番号の文字色が未入力です。",
                "The color of the photo numbers has not been entered.", true};
    case ProblemCode::kCalcTitleFontSizeNotNumber:
        return {"タイトルのフォントサイズが数値ではありません。",
                "The title font size is not a number.", true};
    case ProblemCode::kCalcTitleAdjustNotNumber:
        return {"タイトルの垂直位置調整が数値ではありません。",
                "The title's vertical position adjustment is not a number.", true};
    case ProblemCode::kCalcPageFontSizeNotNumber:
        return {"ページ番号のフォントサイズが数値ではありません。",
                "The page number font size is not a number.", true};
    case ProblemCode::kCalcPageAdjustNotNumber:
        return {"ページ番号の垂直位置調整が数値ではありません。",
                "The page number's vertical position adjustment is not a number.", true};
    case ProblemCode::kCalcFileDateFontSizeNotNumber:
        return {"ファイル名等のフォントサイズが数値ではありません。",
                "The font size of the file names and dates is not a number.", true};
    case ProblemCode::kCalcFileDateAdjustNotNumber:
        return {"ファイル名等の垂直位置調整が数値ではありません。",
                "The vertical position adjustment of the file names and dates is not a number.",
                true};
    case ProblemCode::kCalcCountMismatch:
        return {"写真の合計枚数と縦行数×横列数の計算が合いません。",
                "The total number of photos is not the photos across times the photos down.", true};
    case ProblemCode::kCalcGapAcrossNegative:
        return {"写真の横間隔がマイナスになります。",
                "The photos do not fit across the paper: the space between them would be "
                "negative.",
                true};
    case ProblemCode::kCalcGapDownNegative:
        return {"写真の縦間隔がマイナスになります。",
                "The photos do not fit down the paper: the space between them would be negative.",
                true};
    case ProblemCode::kCalcResolutionTooLow:
        return {"解像度が低すぎます。", "The resolution is too low.", true};
    case ProblemCode::kCalcPhotoTooSmall:
        return {"写真サイズが小さすぎます。", "The photo size is too small.", true};
    case ProblemCode::kCalcCutoffTooLarge:
        return {"写真の周囲を削り過ぎです。",
                "The surrounding cutoff takes too much off the photos.", true};
    case ProblemCode::kCalcNumberFontTooSmall:
        return {"番号のフォントサイズが小さすぎます。",
                "The font size of the photo numbers is too small.", true};
    case ProblemCode::kCalcTitleColourNotArgb:
        return {"文字色はＡＲＧＢ形式で８文字になります。",
                "The title color must be 8 characters in ARGB form.", true};
    case ProblemCode::kCalcTitleFontTooSmall:
        return {"タイトルのフォントサイズが小さすぎます。", "The title font size is too small.",
                true};
    case ProblemCode::kCalcPaperWidthTooLarge:
        return {"用紙幅サイズが大きすぎます。（最大%1pix）",
                "The paper width is too large (limit: %1 pixels).", true};
    case ProblemCode::kCalcPaperHeightTooLarge:
        return {"用紙高さサイズが大きすぎます。（最大%1pix）",
                "The paper height is too large (limit: %1 pixels).", true};
    case ProblemCode::kCalcPhotoWidthTooLarge:
        return {"写真幅サイズが大きすぎます。（最大%1pix）",
                "The photo width is too large (limit: %1 pixels).", true};
    case ProblemCode::kCalcPhotoHeightTooLarge:
        return {"写真高さサイズが大きすぎます。（最大%1pix）",
                "The photo height is too large (limit: %1 pixels).", true};
    case ProblemCode::kTrimRatioHeightZero:
        return {"高さが０です。", "The photo height is 0.", false};

    case ProblemCode::kLayoutUnusableValue:
        return {"レイアウトファイルに使えない値があります。\n%1 [%2] %3=%4",
                "The layout file holds a value that cannot be used.\n%1 [%2] %3=%4", false};
    case ProblemCode::kLayoutTooLargeForMemory:
        return {"レイアウトファイルの値が大きすぎて、ページや写真の画像をメモリに確保できません。"
                "\n%1 [%2] %3=%4",
                "A value in the layout file is too large: the page or photo images cannot be "
                "held in memory.\n%1 [%2] %3=%4",
                false};
    case ProblemCode::kLayoutPreviewTooLarge:
        return {"ページや写真が大きすぎて、メモリに収まりません。用紙サイズ、解像度、写真サイズ"
                "を確認してください。\n[%1] %2=%3",
                "The page or photos are too large to fit in memory. Please check the paper "
                "size, resolution and photo size.\n[%1] %2=%3",
                false};
    case ProblemCode::kLayoutsUnreadable:
        return {"カスタムサイズ読込みでエラーが発生しました。",
                "An error occurred in reading the custom size."};

    case ProblemCode::kLayoutSaveBusy:
        return {"処理中は保存出来ません。", nullptr};
    case ProblemCode::kLayoutSaveNotCalculated:
        return {"計算が行われていません。", nullptr};
    case ProblemCode::kLayoutSaveSheetRun:
        return {"インデックスシート作成中は保存出来ません。", nullptr};
    case ProblemCode::kLayoutSaveNoFreeNumber:
        return {"設定は最大%1ファイルまでです。", nullptr};
    case ProblemCode::kLayoutNotSaved:
        return {"%1 への設定を保存出来ませんでした。", nullptr};
    case ProblemCode::kLayoutNotOverwritten:
        return {"%1 への設定を上書き保存出来ませんでした。", nullptr};

    case ProblemCode::kPhotoListFoldersNotSet:
        return {"読込み元フォルダと保存先フォルダを設定してください。",
                "Please set the source folder and destination folder."};
    case ProblemCode::kPhotoListSaveFolderUnmakeable:
        return {"保存先フォルダが作成できません。\n%1",
                "Can not create a save destination folder.\n%1"};
    case ProblemCode::kPhotoListFull:
        return {"最大枚数に達したので中断しました。",
                "Since it reached the maximum number of sheets, it was interrupted."};
    case ProblemCode::kDropNameHasComma:
        return {"ドロップ処理\nフォルダ名にカンマが含まれています。中断しました。", nullptr};

    case ProblemCode::kRunFoldersNotSet:
        return {"フォルダが設定されていません。", "Folder is not set."};
    case ProblemCode::kRunNothingToOutput:
        return {"出力する写真がありません。", "There are no photos to output."};
    case ProblemCode::kOutputFolderUnmakeable:
        return {"一覧フォルダが作成できません。\n%1", "Can not create a folder.\n%1"};
    case ProblemCode::kOutputFolderIsLink:
        return {"一覧フォルダがリンクのため、書き込みません。\n%1",
                "The output folder is a link, so nothing is written into it.\n%1"};
    case ProblemCode::kOutputFolderBusy:
        return {"別のシート作成がこのフォルダに出力中です。\n%1",
                "Another sheet run is writing into this folder.\n%1"};
    case ProblemCode::kOldFileNotDeleted:
        return {"ファイルの削除に失敗しました。\n%1", "Failed to delete the file.\n%1"};
    case ProblemCode::kRunNoPhotosPerPage:
        return {"写真枚数設定が０か無効です。", "The number of pictures set is 0 or invalid."};
    case ProblemCode::kRunOutOfMemory:
        return {"メモリを確保出来ませんでした。ページサイズが大きすぎないか確認してください。\n",
                "Memory could not be secured. \nPlease check whether the page size is too "
                "large.\n"};
    case ProblemCode::kRunBackgroundUnreadable:
        return {"背景画像を読み込めませんでした。\n", "Could not load background image.\n"};
    case ProblemCode::kRunPhotoUnreadable:
        return {"画像読込みエラーです。画像が存在するか、サイズが大きすぎないか確認してください。"
                "\n%1",
                "Image reading error. \nPlease check whether the image exists or is not too "
                "big.\n%1"};
    case ProblemCode::kPageNotWritten:
        return {"ページを書き込めませんでした。\n%1", "Could not write the page.\n%1"};
    case ProblemCode::kPageWouldReplacePhoto:
        return {"ページを書き込めませんでした。\n%1\n（読込み中の写真と同じファイルのため上書きしま"
                "せん）",
                "Could not write the page.\n%1\n(It is one of the photos being read, so it is "
                "not overwritten.)"};
    case ProblemCode::kPdfNotWritten:
        return {"PDFを書き込めませんでした。\n%1", "Could not write the PDF.\n%1"};
    case ProblemCode::kOrderSheetNotWritten:
        return {"写真の一覧表（CSV）を書き込めませんでした。\n%1",
                "Could not write the list of photos (CSV).\n%1"};
    case ProblemCode::kPrintFailed:
        return {"印刷できませんでした。\nプリンター: %1", "Could not print.\nPrinter: %1"};

    case ProblemCode::kCount:
        break;
    }
    return {"", ""};
}

} // namespace

QString ErrorReasonText(int error, bool japanese) {
    const auto pick = [japanese](const char* ja, const char* en) {
        return QString::fromUtf8(japanese ? ja : en);
    };
    switch (error) {
    case 0:
        return {};
    case ENOSPC:
    case EDQUOT:
        return pick("ディスクに空きがありません。", "The disk is full.");
    case EACCES:
    case EPERM:
    case EROFS:
        return pick("書き込みが許可されていません。", "Writing is not permitted.");
    case ENOENT:
    case ENOTDIR:
        return pick("フォルダがありません。", "The folder does not exist.");
    case EISDIR:
        return pick("同じ名前のフォルダがあります。", "A folder of that name is in the way.");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

QString ProblemText(const text::Problem& problem, bool japanese) {
    const Entry entry = EntryOf(problem.code);
    QString out = PutArguments(japanese || !entry.en ? entry.ja : entry.en, problem.args);
    if (const QString reason = ErrorReasonText(problem.error, japanese); !reason.isEmpty())
        out += QLatin1Char('\n') + reason;
    return out;
}

QString ProblemsText(const std::vector<text::Problem>& problems, bool japanese) {
    QString out;
    for (size_t i = 0; i < problems.size(); ++i) {
        if (i > 0 || EntryOf(problems[i].code).ownLine)
            out += QLatin1Char('\n');
        out += ProblemText(problems[i], japanese);
    }
    return out;
}

} // namespace quorvane
