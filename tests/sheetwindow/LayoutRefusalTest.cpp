// A layout the run refuses is named to the operator in the window's language, and nothing is
// written.
#include "SheetHarness.h"

#include "language/Language.h"

#include <QComboBox>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::Q;
using quorvane::test::SheetHarness;

namespace {

TEST(SheetWindowRun, ARefusedLayoutIsNamedInTheWindowsLanguage) {
    const struct {
        int language;
        const char* folder;
        const char* message;
    } cases[] = {
        {kLanguageJapanese, "save/一覧フォルダ",
         "レイアウトファイルに使えない値があります。\nCustomSize0001.ini [PHOTO] photo_ct=5"},
        {kLanguageEnglishSwitch, "save/IndexSheetFolder",
         "The layout file holds a value that cannot be used.\nCustomSize0001.ini [PHOTO] "
         "photo_ct=5"},
    };
    for (const auto& c : cases) {
        SheetHarness h(c.language);
        h.writeLayout(1, "five photos in four cells", "", 5);
        h.listPhotos(6);
        h.click("SpeedButton4");
        h.control<QComboBox>("ComboBox1")->setCurrentIndex(0);
        h.press("Button1");
        EXPECT_EQ(h.sheetMessages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_TRUE(QDir(Q(h.dir / c.folder)).entryList({"*.jpg"}, QDir::Files).isEmpty());
        EXPECT_FALSE(h.sheet->busy());
    }
}

} // namespace
