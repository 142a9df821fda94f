// Loading the layout files of a settings folder into records.
#include "layout/LayoutFiles.h"
#include "text/TextDecode.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <tuple>

using namespace quorvane::layout;
using quorvane::test::TempDir;
using quorvane::test::WriteFile;

namespace {

void WriteLayout(const TempDir& dir, int number, const std::string& body) {
    WriteFile(dir / LayoutFileName(number), body);
}

std::string Enabled(const std::string& name) {
    return "[PAPER]\nname=" + name + "\n[INPUT]\nCHECKBOX7=1\n";
}

} // namespace

TEST(LayoutFiles, NamesAndPaths) {
    EXPECT_EQ(LayoutFileName(7), "CustomSize0007.ini");
    EXPECT_EQ(LayoutFileName(1000), "CustomSize1000.ini");
    EXPECT_EQ(LayoutFilePath("/a/b", "x.ini"), "/a/b/x.ini");
    EXPECT_EQ(LayoutFilePath("/a/b/", "x.ini"), "/a/b/x.ini");
}

TEST(LayoutFiles, LoadsEnabledFilesInNumberOrderAcrossGaps) {
    TempDir dir;
    WriteLayout(dir, 3, Enabled("three"));
    WriteLayout(dir, 1, Enabled("one"));
    auto layouts = LoadSheetLayouts(dir.str(), true).layouts;
    ASSERT_EQ(layouts.size(), 2u);
    EXPECT_EQ(layouts[0].name, "one");
    EXPECT_EQ(layouts[0].ini_file_name, "CustomSize0001.ini");
    EXPECT_EQ(layouts[1].name, "three");
    EXPECT_EQ(layouts[1].ini_file_name, "CustomSize0003.ini");
    EXPECT_EQ(FindFreeLayoutNumber(dir.str()), 2);
}

TEST(LayoutFiles, DisabledFilesAreSkippedButTakeTheirNumber) {
    TempDir dir;
    WriteLayout(dir, 1, "[PAPER]\nname=off\n[INPUT]\nCHECKBOX7=0\n");
    WriteLayout(dir, 2, "[PAPER]\nname=no input section\n");
    WriteLayout(dir, 3, "[INPUT]\nCHECKBOX7=yes\n"); // not an integer: the default, disabled
    WriteLayout(dir, 4, "[INPUT]\nCHECKBOX7=-1\n");
    WriteLayout(dir, 1001, Enabled("beyond the last number"));
    auto layouts = LoadSheetLayouts(dir.str(), true).layouts;
    ASSERT_EQ(layouts.size(), 1u);
    EXPECT_EQ(layouts[0].ini_file_name, "CustomSize0004.ini");
    EXPECT_EQ(FindFreeLayoutNumber(dir.str()), 5);
}

// The editor lists enabled and disabled files alike, with their names.
TEST(LayoutFiles, TheEditorsListHoldsEveryFile) {
    TempDir dir;
    WriteLayout(dir, 2, Enabled("two"));
    WriteLayout(dir, 5, "[PAPER]\nname=off\n[INPUT]\nCHECKBOX7=0\n");
    WriteLayout(dir, 7, "[INPUT]\nCHECKBOX7=3\n");
    WriteLayout(dir, 1001, Enabled("beyond the last number"));
    std::filesystem::create_directory(dir / LayoutFileName(9));
    const auto entries = ListLayoutFiles(dir.str());
    ASSERT_EQ(entries.size(), 3u);
    const std::tuple<std::string, bool, std::string> expected[] = {
        {"CustomSize0002.ini", true, "two"},
        {"CustomSize0005.ini", false, "off"},
        {"CustomSize0007.ini", true, ""}};
    for (size_t i = 0; i < entries.size(); ++i)
        EXPECT_EQ(
            std::tie(entries[i].fileName, entries[i].enabled, entries[i].name),
            std::tie(std::get<0>(expected[i]), std::get<1>(expected[i]), std::get<2>(expected[i])));
}

TEST(LayoutFiles, AFileOfOnlyTheEnableFlagGivesTheDefaultsByLanguage) {
    TempDir dir;
    WriteLayout(dir, 1, "[INPUT]\nCHECKBOX7=1\n");
    for (bool japanese : {true, false}) {
        auto layouts = LoadSheetLayouts(dir.str(), japanese).layouts;
        ASSERT_EQ(layouts.size(), 1u);
        const SheetLayout& l = layouts[0];
        std::string font = japanese ? "ＭＳ ゴシック" : "MS Gothic";
        EXPECT_EQ(l.name, japanese ? "(無題)" : "(No Title)");
        EXPECT_EQ(l.font_name, font);
        EXPECT_EQ(l.title_font_name, font);
        EXPECT_EQ(l.page_font_name, font);
        EXPECT_EQ(l.filedate_font_name, font);
        EXPECT_EQ(l.dpi, 300);
        EXPECT_EQ(l.width, 4961);
        EXPECT_EQ(l.height, 3508);
        EXPECT_EQ(l.photo_ct, 4);
        EXPECT_EQ(l.photo_row, 2);
        EXPECT_EQ(l.photo_col, 2);
        EXPECT_EQ(l.left_margin + l.right_margin + l.top_margin + l.bottom_margin, 200);
        EXPECT_EQ(l.bg_color, "ffffffff");
        EXPECT_EQ(l.photo_width, 1181);
        EXPECT_EQ(l.photo_height, 827);
        EXPECT_EQ(l.round_trim, 0);
        EXPECT_EQ(l.web_thumb_width, 200);
        EXPECT_FLOAT_EQ(l.aspect_ratio, 142.85f);
        EXPECT_EQ(l.font_size, 12);
        EXPECT_EQ(l.font_padding, 24);
        EXPECT_EQ(l.font_margin, 12);
        EXPECT_EQ(l.font_color, "ff000000");
        EXPECT_EQ(l.title, "");
        EXPECT_EQ(l.title_align, 1);
        EXPECT_EQ(l.page_align, 2);
        EXPECT_EQ(l.page_start_no, 1);
        EXPECT_EQ(l.filedate_align, 1);
        EXPECT_EQ(l.filedate_font_size, 12);
        EXPECT_EQ(l.title_v_adjust, 0);
        EXPECT_TRUE(l.horizontal_first);
        EXPECT_TRUE(l.outerRect);
        EXPECT_TRUE(l.disp_numer);
        EXPECT_FALSE(l.l_size_trim || l.trim2mm || l.disp_page_number || l.for_web ||
                     l.number_rdown || l.title_in_photo || l.disp_filename || l.disp_date ||
                     l.disp_date_multiline || l.disp_exif_info);
    }
}

TEST(LayoutFiles, UnusableValuesTakeTheirDefaults) {
    TempDir dir;
    WriteLayout(dir, 1,
                "[PAPER]\ndpi=3OO\nwidth=\nheight=99999999999\nname=\n"
                "[PHOTO]\naspect_ratio=abc\nphoto_ct=2.5\n"
                "[OPTIONS]\nouterRect=no\nfor_web=2\n"
                "[INPUT]\nCHECKBOX7=1\n");
    WriteLayout(dir, 2, "[PHOTO]\naspect_ratio=1e39\n[INPUT]\nCHECKBOX7=1\n");
    WriteLayout(dir, 3, "[PHOTO]\naspect_ratio=1.4285\n[INPUT]\nCHECKBOX7=1\n");
    auto layouts = LoadSheetLayouts(dir.str(), true).layouts;
    ASSERT_EQ(layouts.size(), 3u);
    const SheetLayout& l = layouts[0];
    EXPECT_EQ(l.dpi, 300);
    EXPECT_EQ(l.width, 4961);
    EXPECT_EQ(l.height, 3508);
    EXPECT_EQ(l.name, ""); // present and empty is a value
    EXPECT_FLOAT_EQ(l.aspect_ratio, 142.85f);
    EXPECT_EQ(l.photo_ct, 4);
    EXPECT_TRUE(l.outerRect);
    EXPECT_TRUE(l.for_web);
    EXPECT_FLOAT_EQ(layouts[1].aspect_ratio, 142.85f);
    EXPECT_FLOAT_EQ(layouts[2].aspect_ratio, 1.4285f);
}

TEST(LayoutFiles, ReadsFilesOfTheWindowsProgram) {
    TempDir dir;
    std::string body = "[PAPER]\r\nname=Ａ４　展示用\r\nwidth=3508\r\n[TITLE]\r\n"
                       "title=写真展\r\ntitle_font_name=ＭＳ 明朝\r\n[INPUT]\r\nCHECKBOX7=1\r\n";
    WriteLayout(dir, 1, quorvane::text::Utf8ToCp932(body));
    auto layouts = LoadSheetLayouts(dir.str(), false).layouts;
    ASSERT_EQ(layouts.size(), 1u);
    EXPECT_EQ(layouts[0].name, "Ａ４　展示用");
    EXPECT_EQ(layouts[0].width, 3508);
    EXPECT_EQ(layouts[0].title, "写真展");
    EXPECT_EQ(layouts[0].title_font_name, "ＭＳ 明朝");
}

TEST(LayoutFiles, YieldsBeforeEveryNumberAndStopsWhenAsked) {
    TempDir dir;
    for (int i = 1; i <= 5; ++i)
        WriteLayout(dir, i, Enabled("n" + std::to_string(i)));
    int yields = 0;
    LoopHooks hooks;
    hooks.yield = [&] { ++yields; };
    EXPECT_EQ(LoadSheetLayouts(dir.str(), true, hooks).layouts.size(), 5u);
    EXPECT_EQ(yields, kMaxLayoutFiles);

    yields = 0;
    hooks.stopRequested = [&] { return yields > 3; };
    auto layouts = LoadSheetLayouts(dir.str(), true, hooks).layouts;
    EXPECT_EQ(layouts.size(), 3u);
    EXPECT_EQ(yields, 4);
}

TEST(LayoutFiles, NoFreeNumberWhenAllThousandAreTaken) {
    TempDir dir;
    for (int i = 1; i <= kMaxLayoutFiles; ++i)
        WriteLayout(dir, i, "");
    EXPECT_EQ(FindFreeLayoutNumber(dir.str()), 0);
    std::filesystem::remove(dir / LayoutFileName(640));
    std::filesystem::create_directory(dir / LayoutFileName(640)); // any entry takes the number
    EXPECT_EQ(FindFreeLayoutNumber(dir.str()), 0);
    std::filesystem::remove(dir / LayoutFileName(640));
    EXPECT_EQ(FindFreeLayoutNumber(dir.str()), 640);
    EXPECT_TRUE(LoadSheetLayouts(dir.str(), true).layouts.empty());
}

TEST(LayoutFiles, AFailureWhileReadingIsAProblemAndListsNothing) {
    TempDir dir;
    for (int i = 1; i <= 3; ++i)
        WriteLayout(dir, i, Enabled("n" + std::to_string(i)));
    const struct {
        const char* what;
        int failAtYield; // -1: never
        size_t listed;
    } cases[] = {
        {"read whole", -1, 3},
        {"memory runs out after two files", 3, 0},
        {"memory runs out before the first", 1, 0},
    };
    for (const auto& c : cases) {
        int yields = 0;
        LoopHooks hooks;
        hooks.yield = [&] {
            if (++yields == c.failAtYield)
                throw std::bad_alloc();
        };
        const LoadedLayouts loaded = LoadSheetLayouts(dir.str(), true, hooks);
        EXPECT_EQ(loaded.layouts.size(), c.listed) << c.what;
        EXPECT_EQ(loaded.problem.has_value(), c.failAtYield >= 0) << c.what;
        if (loaded.problem) {
            EXPECT_EQ(loaded.problem->code, quorvane::text::ProblemCode::kLayoutsUnreadable)
                << c.what;
        }
    }
}
