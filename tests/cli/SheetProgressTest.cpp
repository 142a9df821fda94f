// The terminal progress line and summary of quorvane-cli sheets.
#include "cli/SheetProgress.h"

#include <gtest/gtest.h>

using quorvane::cli::SheetProgress;

TEST(SheetProgress, LineAndSummaryInBothLanguages) {
    const struct {
        int total, placed, pages;
        int64_t elapsedMs;
        bool japanese;
        const char* line;
        const char* summary;
    } cases[] = {
        {40, 0, 0, 500, false, "0 / 40 photos placed, 0 pages written",
         "Placed 0 photos on 0 pages in 0.5 s."},
        {40, 10, 2, 2500, false, "10 / 40 photos placed, 2 pages written, about 8 s left",
         "Placed 10 photos on 2 pages in 2.5 s."},
        {40, 4, 1, 9000, false, "4 / 40 photos placed, 1 page written, about 1 min 21 s left",
         "Placed 4 photos on 1 page in 9.0 s."},
        {1, 1, 1, 200, false, "1 / 1 photos placed, 1 page written",
         "Placed 1 photo on 1 page in 0.2 s."},
        {40, 40, 10, 9680, false, "40 / 40 photos placed, 10 pages written",
         "Placed 40 photos on 10 pages in 9.7 s."},
        {12, 3, 0, 1000, true, "写真 3 / 12 枚、ページ 0 枚、残り約 3 秒",
         "写真 3 枚をページ 0 枚に配置しました（1.0 秒）"},
        {200, 1, 0, 1000, true, "写真 1 / 200 枚、ページ 0 枚、残り約 3 分 19 秒",
         "写真 1 枚をページ 0 枚に配置しました（1.0 秒）"},
    };
    for (const auto& c : cases) {
        SheetProgress progress(c.total, c.japanese);
        for (int i = 0; i < c.placed; ++i)
            progress.photoPlaced();
        for (int i = 0; i < c.pages; ++i)
            progress.pageWritten();
        EXPECT_EQ(progress.line(c.elapsedMs).toStdString(), c.line);
        EXPECT_EQ(progress.summary(c.elapsedMs).toStdString(), c.summary);
    }
}

TEST(SheetProgress, InterruptedLineInBothLanguages) {
    const struct {
        int pages;
        const char* folder;
        bool japanese;
        const char* line;
    } cases[] = {
        {0, "", false, "Interrupted (0 pages written)"},
        {1, "/s/IndexSheetFolder/20240102030405", false,
         "Interrupted (1 page written): /s/IndexSheetFolder/20240102030405"},
        {12, "/s/IndexSheetFolder", false, "Interrupted (12 pages written): /s/IndexSheetFolder"},
        {0, "", true, "中断しました（0 ページ作成）"},
        {3, "/s/一覧フォルダ", true, "中断しました（3 ページ作成）: /s/一覧フォルダ"},
    };
    for (const auto& c : cases) {
        SheetProgress progress(40, c.japanese);
        for (int i = 0; i < c.pages; ++i)
            progress.pageWritten();
        EXPECT_EQ(progress.interrupted(QString::fromUtf8(c.folder)).toStdString(), c.line);
    }
}
