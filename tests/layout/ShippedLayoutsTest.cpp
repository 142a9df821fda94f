// The layouts shipped in initdata: each file is exactly the text the size calculation composes
// from its own [INPUT] echo, the sheet window lists every one, and their texts stay on the page.
#include "catalogue/ProblemText.h"
#include "layout/LayoutCalc.h"
#include "layout/LayoutFiles.h"
#include "layout/LayoutInput.h"
#include "text/FileIO.h"
#include "text/IniDocument.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace quorvane::layout;

namespace {

std::string ShippedFolder() {
    return (quorvane::test::SourceDir() / "initdata").string();
}

} // namespace

// Byte for byte: UTF-8 without a byte-order mark, "\n" line ends, nothing after the last line.
TEST(ShippedLayouts, AreTheCalculatedTextOfTheirInput) {
    int checked = 0;
    for (int i = 1; i <= kMaxLayoutFiles; ++i) {
        std::string path = LayoutFilePath(ShippedFolder(), LayoutFileName(i));
        auto bytes = quorvane::text::ReadWholeFile(path);
        if (!bytes)
            continue;
        LayoutCalcResult r =
            CalculateLayout(ReadLayoutInput(quorvane::text::IniDocument::Parse(*bytes)));
        ASSERT_TRUE(r.ok) << path << quorvane::ProblemsText(r.problems, true).toStdString();
        EXPECT_EQ(*bytes, r.layoutText) << path;
        ++checked;
    }
    EXPECT_GE(checked, 4);
}

TEST(ShippedLayouts, AreListedWithTheirPaperAndGrid) {
    struct Expected {
        const char* file;
        const char* name;
        int width, height, cols, rows;
    } expected[] = {
        {"CustomSize0001.ini", "A4横 4枚", 3508, 2480, 2, 2},
        {"CustomSize0002.ini", "A3横 12枚 タイトル付き", 4961, 3508, 4, 3},
        {"CustomSize0003.ini", "Lサイズ 1枚", 1500, 1051, 1, 1},
        {"CustomSize0004.ini", "2L 6枚", 2102, 1500, 3, 2},
    };
    std::vector<SheetLayout> layouts = LoadSheetLayouts(ShippedFolder(), true).layouts;
    ASSERT_GE(layouts.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const SheetLayout& l = layouts[i];
        const Expected& e = expected[i];
        EXPECT_EQ(l.ini_file_name, e.file);
        EXPECT_EQ(l.name, e.name) << e.file;
        EXPECT_EQ(l.dpi, 300) << e.file;
        EXPECT_EQ(l.width, e.width) << e.file;
        EXPECT_EQ(l.height, e.height) << e.file;
        EXPECT_EQ(l.photo_col, e.cols) << e.file;
        EXPECT_EQ(l.photo_row, e.rows) << e.file;
        EXPECT_EQ(l.photo_ct, e.cols * e.rows) << e.file;
    }
}

// The grid, the strip under the last row, the page title and page number and the number label
// fit where the renderer puts them, so nothing is clipped at the page edge or shrunk.
TEST(ShippedLayouts, KeepCellsAndTextsOnThePage) {
    for (const SheetLayout& l : LoadSheetLayouts(ShippedFolder(), true).layouts) {
        SCOPED_TRACE(l.ini_file_name);
        int gapX = l.photo_col < 2
                       ? 0
                       : (l.width - l.left_margin - l.right_margin - l.photo_col * l.photo_width) /
                             (l.photo_col - 1);
        int gapY =
            l.photo_row < 2
                ? 0
                : (l.height - l.top_margin - l.bottom_margin - l.photo_row * l.photo_height) /
                      (l.photo_row - 1);
        EXPECT_GE(gapX, 0);
        EXPECT_GE(gapY, 0);
        int lastRight = l.left_margin + (l.photo_col - 1) * (l.photo_width + gapX) + l.photo_width;
        int lastBottom =
            l.top_margin + (l.photo_row - 1) * (l.photo_height + gapY) + l.photo_height;
        EXPECT_LE(lastRight, l.width);
        EXPECT_LE(lastBottom, l.height);

        if (l.disp_filename || l.disp_date) {
            int strip = (l.photo_row < 2 ? l.bottom_margin : gapY) - l.filedate_v_adjust;
            int lines = l.disp_filename && l.disp_date && l.disp_date_multiline ? 2 : 1;
            int textHeight = lines * l.filedate_font_size * 6 / 5; // with room for line spacing
            EXPECT_GE(strip, textHeight);
            EXPECT_LE(lastBottom + l.filedate_v_adjust + textHeight, l.height);
        }
        auto fitsItsMargin = [&](int align, int fontSize) {
            bool bottom = align >= 3 && align <= 5;
            return fontSize <= (bottom ? l.bottom_margin : l.top_margin);
        };
        if (!l.title.empty() && !l.title_in_photo) {
            EXPECT_TRUE(fitsItsMargin(l.title_align, l.title_font_size));
        }
        if (l.disp_page_number && !l.page_text.empty()) {
            EXPECT_TRUE(fitsItsMargin(l.page_align, l.page_font_size));
        }
        if (l.disp_numer) {
            EXPECT_LT(l.font_padding + l.font_size + 2 * l.font_margin, l.photo_height / 4);
        }
    }
}
