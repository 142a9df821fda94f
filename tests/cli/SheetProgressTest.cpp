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
