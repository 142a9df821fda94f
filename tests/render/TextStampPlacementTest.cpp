// The placement tables of stamped texts, in page pixels: every position code, the truncating
// divisions and the clamping into the page, the cell or the strip under a photo.
#include "render/TextStampPlacement.h"

#include <gtest/gtest.h>

using namespace quorvane;

namespace {

struct PageCase {
    int position;
    int64_t w, h, l, r, t, b, tw, fs, vadj;
    int64_t x, y;
};

} // namespace

TEST(TextStampPlacement, PageTable) {
    const PageCase cases[] = {
        // W 1000, H 800, margins 50 60 90 70, text 200 wide, font 30, vadj 5.
        {0, 1000, 800, 50, 60, 90, 70, 200, 30, 5, 50, 45},
        {1, 1000, 800, 50, 60, 90, 70, 200, 30, 5, 400, 45},
        {2, 1000, 800, 50, 60, 90, 70, 200, 30, 5, 740, 45},
        {3, 1000, 800, 50, 60, 90, 70, 200, 30, 5, 50, 748},
        {4, 1000, 800, 50, 60, 90, 70, 200, 30, 5, 400, 748},
        {5, 1000, 800, 50, 60, 90, 70, 200, 30, 5, 740, 748},
        {6, 1000, 800, 50, 60, 90, 70, 200, 30, 5, 400, 390},
        {7, 1000, 800, 50, 60, 90, 70, 200, 30, 5, 400, 45},
        {-1, 1000, 800, 50, 60, 90, 70, 200, 30, 5, 400, 45},
        // Divisions truncate towards zero: 2 × (10 − 30) / 3 = −13, then + 20.
        {0, 1000, 800, 50, 60, 10, 70, 200, 30, 20, 50, 7},
        // (10 − 30) / 3 = −6, + (800 − 10) − 20.
        {3, 1000, 800, 50, 60, 90, 10, 200, 30, -20, 50, 764},
        // Odd sizes: (1001 − 200) / 2 = 400, 801 / 2 − 31 / 2 = 385.
        {6, 1001, 801, 0, 0, 0, 0, 200, 31, 0, 400, 385},
        // A top margin smaller than the font puts a top title at 0.
        {1, 1000, 800, 50, 60, 20, 70, 200, 40, 0, 400, 0},
        // A bottom margin smaller than the font stops at H − fs.
        {4, 1000, 800, 50, 60, 90, 10, 200, 40, 0, 400, 760},
        // vadj moving the text off the page: clamped at 0 and at H − fs.
        {0, 1000, 800, 50, 60, 90, 70, 200, 30, -500, 50, 0},
        {0, 1000, 800, 50, 60, 90, 70, 200, 30, 5000, 50, 770},
        {6, 1000, 800, 50, 60, 90, 70, 200, 30, -5000, 400, 0},
        // Narrower than the page but wider than between the margins: not shrunk, so "右上"
        // starts left of the left margin, and is clamped at 0 only.
        {2, 1000, 800, 100, 100, 90, 70, 850, 30, 0, 50, 40},
        {2, 1000, 800, 100, 100, 90, 70, 950, 30, 0, 0, 40},
        // A left margin pushing the text off the right edge stops at W − tw.
        {0, 1000, 800, 900, 0, 90, 70, 200, 30, 0, 800, 40},
    };
    for (const PageCase& c : cases) {
        const StampPoint p =
            PlaceOnPage(c.position, c.w, c.h, c.l, c.r, c.t, c.b, c.tw, c.fs, c.vadj);
        EXPECT_EQ(p.x, c.x) << "position " << c.position << " vadj " << c.vadj;
        EXPECT_EQ(p.y, c.y) << "position " << c.position << " vadj " << c.vadj;
    }
}

TEST(TextStampPlacement, InPhotoTableOfOutputPages) {
    struct Case {
        int position;
        int64_t vadj, x, y;
    };
    // Photo 400 x 300, text 100 wide, font 20.
    const Case cases[] = {
        {0, 7, 0, 7},      {1, 7, 150, 7},    {2, 7, 300, 7},     {3, -7, 0, 273},
        {4, -7, 150, 273}, {5, -7, 300, 273}, {6, -7, 150, 133},  {9, 7, 150, 7},
        {0, -7, 0, 0},     {5, 7, 300, 280},  {6, 500, 150, 280},
    };
    for (const Case& c : cases) {
        const StampPoint p = PlaceInPhoto(c.position, 400, 300, 100, 20, c.vadj);
        EXPECT_EQ(p.x, c.x) << "position " << c.position;
        EXPECT_EQ(p.y, c.y) << "position " << c.position;
    }
    // A text wider than the photo is held at x = W − tw after the clamp at 0.
    EXPECT_EQ(PlaceInPhoto(0, 400, 300, 450, 20, 0).x, -50);
}

TEST(TextStampPlacement, FileNameDateHangsFromThePhotosBottomEdge) {
    struct Case {
        int align;
        double fs;
        bool fractional;
        int64_t top, vadj, x, y;
    };
    // Strip 300 x 100, margins left 10, right 20, text 100 wide.
    const Case cases[] = {
        {0, 20, false, 30, 5, 10, 5},
        {1, 20, false, 30, 5, 100, 5},
        {2, 20, false, 30, 5, 180, 5},
        {0, 20, false, 30, -5, 10, 0},
        // Any other code: centred, 2 × (T − fs) / 3 + vadj.
        {3, 20, false, 30, 5, 100, 11},
        {-2, 20, true, 30, 5, 100, 11},
        // Integer arithmetic truncates the division; output pages truncate the whole sum.
        {3, 20, false, 10, 8, 100, 2},
        {3, 20, true, 10, 8, 100, 1},
        {3, 20.5, true, 30, 5, 100, 11},
        // Held inside by the font size: y ≤ H − fs, truncated on output pages.
        {1, 20, false, 30, 500, 100, 80},
        {1, 20.5, true, 30, 500, 100, 79},
    };
    for (const Case& c : cases) {
        const StampPoint p =
            PlaceFileNameDate(c.align, 300, 100, 10, 20, c.top, 100, c.fs, c.vadj, c.fractional);
        EXPECT_EQ(p.x, c.x) << "align " << c.align << " fs " << c.fs;
        EXPECT_EQ(p.y, c.y) << "align " << c.align << " fs " << c.fs << " vadj " << c.vadj;
    }
}
