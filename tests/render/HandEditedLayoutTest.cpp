// Layout files edited by hand: a value no page can use, or one that makes the page or its photos
// too large for memory, is refused naming the file and key, nothing is written and old pages
// stay; values within the bounds still render.
#include "layout/RenderableLayout.h"
#include "layout/SheetLayout.h"
#include "render/SheetJob.h"

#include "TestSupport.h"
#include "WordingObserver.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

struct Messages : test::WordingObserver {
    QStringList texts;
    void message(const QString& t) override { texts << t; }
};

TEST(HandEditedLayout, RefusedOrRenderedWithoutUndefinedBehaviour) {
    const QString refused = "レイアウトファイルに使えない値があります。\nCustomSize0009.ini ";
    const QString tooLarge = "レイアウトファイルの値が大きすぎて、ページや写真の画像をメモリに確保"
                             "できません。\nCustomSize0009.ini ";
    const QString done = "シートを作成しました。";
    struct Case {
        const char* what;
        std::function<void(layout::SheetLayout&)> change;
        int code;
        QString message;
    };
    const std::vector<Case> cases = {
        {"rows beyond any page", [](auto& l) { l.photo_row = 2147483647, l.top_margin = 1000000; },
         -3, refused + "[PHOTO] photo_row=2147483647"},
        {"strip adjustment at the int minimum", [](auto& l) { l.filedate_v_adjust = INT32_MIN; },
         -3, refused + "[FILEANDDATE] filedate_v_adjust=-2147483648"},
        {"more cells than the page has room for", [](auto& l) { l.photo_row = l.photo_col = 100; },
         -3, refused + "[PHOTO] photo_row=100"},
        {"no columns", [](auto& l) { l.photo_col = 0; }, -3, refused + "[PHOTO] photo_col=0"},
        {"negative photo width", [](auto& l) { l.photo_width = -5; }, -3,
         refused + "[PHOTO] photo_width=-5"},
        {"huge title font", [](auto& l) { l.title_font_size = 2000000; }, -3,
         refused + "[TITLE] title_font_size=2000000"},
        {"web image of no width", [](auto& l) { l.for_web = true, l.web_thumb_width = 0; }, -3,
         refused + "[PHOTO] web_thumb_width=0"},
        {"more photos than cells", [](auto& l) { l.photo_ct = 5; }, -3,
         refused + "[PHOTO] photo_ct=5"},
        {"page wider than a bitmap", [](auto& l) { l.width = 40000; }, -3,
         tooLarge + "[PAPER] width=40000"},
        {"page of no height", [](auto& l) { l.height = 0; }, -3, refused + "[PAPER] height=0"},
        {"page beyond the memory limit", [](auto& l) { l.width = l.height = 5000; }, -3,
         tooLarge + "[PAPER] width=5000"},
        {"web images beyond the memory limit",
         [](auto& l) { l.for_web = true, l.web_thumb_width = 30000; }, -3,
         tooLarge + "[PHOTO] web_thumb_width=30000"},
        {"cells beyond the memory limit",
         [](auto& l) { l.photo_width = 2000, l.photo_height = 20000; }, -3,
         tooLarge + "[PHOTO] photo_height=20000"},
        {"adjustments at the bounds render",
         [](auto& l) {
             l.filedate_v_adjust = -1000000, l.title_v_adjust = 1000000;
             l.left_margin = -1000000, l.bottom_margin = 1000000;
         },
         2, done},
    };
    for (const Case& c : cases) {
        TempDir dir;
        QImage photo(40, 30, QImage::Format_RGB32);
        photo.fill(0xff3060a0);
        ASSERT_TRUE(photo.save(QString::fromStdString((dir / "a.png").string())));
        test::WriteFile(dir / "save/一覧フォルダ/page0001.jpg", "old");

        layout::SheetLayout l = layout::DefaultSheetLayout(true);
        l.ini_file_name = "CustomSize0009.ini";
        l.width = 300, l.height = 220, l.photo_width = 100, l.photo_height = 80;
        l.disp_filename = l.disp_date = true;
        l.title = "T";
        c.change(l);
        SheetRunSettings settings;
        settings.photos = {
            PhotoEntry{1, "a.png", "2017/03/04",
                       LocalPath::FromText(QString::fromStdString(dir.str()) + "/")}};
        settings.saveFolder = LocalPath::FromText(QString::fromStdString((dir / "save").string()));
        settings.photoFolder = settings.saveFolder;
        settings.stampFolder = false;
        settings.continuous = true;
        settings.memoryLimit = 64 << 20;
        SheetJob job;
        Messages observer;
        EXPECT_EQ(job.press(&l, settings, observer), c.code) << c.what;
        EXPECT_EQ(observer.texts, QStringList{c.message}) << c.what;
        const bool written = test::ReadFile(dir / "save/一覧フォルダ/page0001.jpg") != "old";
        EXPECT_EQ(written, c.code > 0) << c.what;
    }
}

} // namespace
