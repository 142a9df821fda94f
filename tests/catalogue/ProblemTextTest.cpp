// The catalogue of the core's problems: every code has both texts with the same arguments (the
// settings editor's saves and the drop refusal read in Japanese in both), the arguments go in
// once and in order, a system's reason follows on its own line, and a stage's messages stand one
// a line.
#include "catalogue/ProblemText.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include <vector>

using namespace quorvane;
using text::Problem;
using text::ProblemCode;

namespace {

std::string Utf8(const QString& s) {
    return s.toStdString();
}

Problem Make(ProblemCode code, std::vector<std::string> args = {}) {
    return Problem{code, std::move(args)};
}

} // namespace

TEST(ProblemText, EveryCodeHasBothTextsWithTheSameArguments) {
    const std::vector<std::string> marks = {"<1>", "<2>", "<3>", "<4>", "<5>"};
    const QRegularExpression japaneseChars(
        QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    // The design words these in Japanese whatever the interface's language.
    const std::set<ProblemCode> japaneseInBoth = {
        ProblemCode::kLayoutSaveBusy,     ProblemCode::kLayoutSaveNotCalculated,
        ProblemCode::kLayoutSaveSheetRun, ProblemCode::kLayoutSaveNoFreeNumber,
        ProblemCode::kLayoutNotSaved,     ProblemCode::kLayoutNotOverwritten,
        ProblemCode::kDropNameHasComma,
    };
    for (int n = 0; n < static_cast<int>(ProblemCode::kCount); ++n) {
        const Problem p = Make(static_cast<ProblemCode>(n), marks);
        const QString ja = ProblemText(p, true);
        const QString en = ProblemText(p, false);
        EXPECT_TRUE(ja.contains(japaneseChars)) << "code " << n << ": " << Utf8(ja);
        if (japaneseInBoth.count(p.code)) {
            EXPECT_EQ(en, ja) << "code " << n;
            continue;
        }
        EXPECT_FALSE(en.isEmpty()) << "code " << n;
        EXPECT_FALSE(en.contains(japaneseChars)) << "code " << n << ": " << Utf8(en);
        EXPECT_NE(ja, en) << "code " << n;
        for (const std::string& mark : marks)
            EXPECT_EQ(ja.contains(QString::fromStdString(mark)),
                      en.contains(QString::fromStdString(mark)))
                << "code " << n << " " << mark;
    }
}

TEST(ProblemText, ArgumentsGoInOnceInTheirOrder) {
    const struct {
        const char* what;
        Problem problem;
        const char* ja;
        const char* en;
    } cases[] = {
        {"a refusal naming file, section, key and value",
         Make(ProblemCode::kLayoutUnusableValue, {"CustomSize0009.ini", "PHOTO", "photo_col", "0"}),
         "レイアウトファイルに使えない値があります。\nCustomSize0009.ini [PHOTO] photo_col=0",
         "The layout file holds a value that cannot be used.\nCustomSize0009.ini [PHOTO] "
         "photo_col=0"},
        {"a file name that looks like a placeholder stays as it is",
         Make(ProblemCode::kLayoutTooLargeForMemory, {"%2 100%.ini", "PAPER", "width", "5000"}),
         "レイアウトファイルの値が大きすぎて、ページや写真の画像をメモリに確保できません。\n"
         "%2 100%.ini [PAPER] width=5000",
         "A value in the layout file is too large: the page or photo images cannot be held in "
         "memory.\n%2 100%.ini [PAPER] width=5000"},
        {"the preview's refusal names no file",
         Make(ProblemCode::kLayoutPreviewTooLarge, {"PAPER", "width", "32717"}),
         "ページや写真が大きすぎて、メモリに収まりません。用紙サイズ、解像度、写真サイズを確認して"
         "ください。\n[PAPER] width=32717",
         "The page or photos are too large to fit in memory. Please check the paper size, "
         "resolution and photo size.\n[PAPER] width=32717"},
        {"the canvas maximum", Make(ProblemCode::kCalcPhotoHeightTooLarge, {"32767"}),
         "写真高さサイズが大きすぎます。（最大32767pix）",
         "The photo height is too large (limit: 32767 pixels)."},
        {"a printer named on a line of its own", Make(ProblemCode::kPrintFailed, {"Shop A3"}),
         "印刷できませんでした。\nプリンター: Shop A3", "Could not print.\nPrinter: Shop A3"},
        {"a missing argument reads as empty", Make(ProblemCode::kCalcPaperWidthTooLarge),
         "用紙幅サイズが大きすぎます。（最大pix）",
         "The paper width is too large (limit:  pixels)."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8(ProblemText(c.problem, true)), c.ja) << c.what;
        EXPECT_EQ(Utf8(ProblemText(c.problem, false)), c.en) << c.what;
    }
}

TEST(ProblemText, TheSystemsReasonFollowsOnALineOfItsOwn) {
    const std::string page = "Could not write the page.\n/out/page0001.jpg";
    const std::string seite = "ページを書き込めませんでした。\n/out/page0001.jpg";
    const struct {
        int error;
        const char* ja; // after the message and a line break; none for 0
        std::string en;
    } cases[] = {
        {0, nullptr, ""},
        {ENOSPC, "ディスクに空きがありません。", "The disk is full."},
        {EDQUOT, "ディスクに空きがありません。", "The disk is full."},
        {EACCES, "書き込みが許可されていません。", "Writing is not permitted."},
        {EPERM, "書き込みが許可されていません。", "Writing is not permitted."},
        {EROFS, "書き込みが許可されていません。", "Writing is not permitted."},
        {ENOENT, "フォルダがありません。", "The folder does not exist."},
        {ENOTDIR, "フォルダがありません。", "The folder does not exist."},
        {EISDIR, "同じ名前のフォルダがあります。", "A folder of that name is in the way."},
        {EIO, std::strerror(EIO), std::strerror(EIO)},
    };
    for (const auto& c : cases) {
        Problem p = Make(ProblemCode::kPageNotWritten, {"/out/page0001.jpg"});
        p.error = c.error;
        EXPECT_EQ(Utf8(ProblemText(p, true)), c.ja ? seite + "\n" + c.ja : seite) << c.error;
        EXPECT_EQ(Utf8(ProblemText(p, false)), c.ja ? page + "\n" + c.en : page) << c.error;
        EXPECT_EQ(Utf8(ErrorReasonText(c.error, false)), c.en) << c.error;
    }
}

TEST(ProblemText, AStagesMessagesStandOneALine) {
    const struct {
        const char* what;
        std::vector<Problem> problems;
        const char* ja;
        const char* en;
    } cases[] = {
        {"none", {}, "", ""},
        {"the name's message first",
         {Make(ProblemCode::kCalcNameMissing), Make(ProblemCode::kCalcResolutionMissing)},
         "サイズ名称が未入力です。\n解像度が未定義です。",
         "The setting name has not been entered.\nThe resolution must be a whole number of 1 or "
         "more."},
        {"any other first: an empty line before it",
         {Make(ProblemCode::kCalcCountMismatch), Make(ProblemCode::kCalcResolutionTooLow)},
         "\n写真の合計枚数と縦行数×横列数の計算が合いません。\n解像度が低すぎます。",
         "\nThe total number of photos is not the photos across times the photos down.\nThe "
         "resolution is too low."},
        {"the trimming ratio's height alone",
         {Make(ProblemCode::kTrimRatioHeightZero)},
         "高さが０です。",
         "The photo height is 0."},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8(ProblemsText(c.problems, true)), c.ja) << c.what;
        EXPECT_EQ(Utf8(ProblemsText(c.problems, false)), c.en) << c.what;
    }
}
