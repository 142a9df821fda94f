// The check a layout passes before a run, with the default memory limit of a run: values that
// would lose photos or make the bitmaps too large are refused naming the key that does it.
#include "layout/RenderableLayout.h"
#include "layout/SheetLayout.h"

#include <functional>
#include <gtest/gtest.h>

using namespace quorvane::layout;

namespace {

// The shipped A4 landscape layout: 2 x 2 cells of 1417 x 992 on 3508 x 2480.
SheetLayout A4() {
    SheetLayout l = DefaultSheetLayout(true);
    l.width = 3508, l.height = 2480;
    l.left_margin = l.right_margin = 213, l.top_margin = 118, l.bottom_margin = 189;
    l.photo_ct = 4, l.photo_col = 2, l.photo_row = 2;
    l.photo_width = 1417, l.photo_height = 992;
    return l;
}

TEST(RenderableLayout, RefusesLostPhotosAndBitmapsBeyondTheDefaultMemoryLimit) {
    const struct {
        const char* what;
        std::function<void(SheetLayout&)> change;
        LayoutProblem::Kind kind;
        const char* section;
        const char* key;
        int64_t value;
    } cases[] = {
        {"the shipped layout", [](SheetLayout&) {}, LayoutProblem::kNone, "", "", 0},
        {"fewer photos than cells", [](SheetLayout& l) { l.photo_ct = 3; }, LayoutProblem::kNone,
         "", "", 0},
        {"more photos than cells", [](SheetLayout& l) { l.photo_ct = 5; }, LayoutProblem::kBadValue,
         "PHOTO", "photo_ct", 5},
        {"a page of 32767 x 32767 (4.3 GB)", [](SheetLayout& l) { l.width = l.height = 32767; },
         LayoutProblem::kMemory, "PAPER", "width", 32767},
        {"a page taller than a bitmap", [](SheetLayout& l) { l.height = 32768; },
         LayoutProblem::kMemory, "PAPER", "height", 32768},
        {"cells of 20000 x 20000 (three copies of 1.6 GB)",
         [](SheetLayout& l) { l.photo_width = l.photo_height = 20000; }, LayoutProblem::kMemory,
         "PHOTO", "photo_width", 20000},
        {"web images 32767 wide (4.3 GB)",
         [](SheetLayout& l) { l.for_web = true, l.web_thumb_width = 32767; },
         LayoutProblem::kMemory, "PHOTO", "web_thumb_width", 32767},
        {"web images of the usual width", [](SheetLayout& l) { l.for_web = true; },
         LayoutProblem::kNone, "", "", 0},
    };
    for (const auto& c : cases) {
        SheetLayout l = A4();
        c.change(l);
        const LayoutProblem p = CheckRenderable(l, DefaultRenderMemoryLimit());
        EXPECT_EQ(p.kind, c.kind) << c.what;
        EXPECT_EQ(p.section, c.section) << c.what;
        EXPECT_EQ(p.key, c.key) << c.what;
        EXPECT_EQ(p.value, c.value) << c.what;
    }
}

// The refusals as the operator is told them: which message, and the file, section, key and value
// it names.
TEST(RenderableLayout, RefusalsAreProblemsNamingTheValue) {
    using quorvane::text::ProblemCode;
    const struct {
        LayoutProblem::Kind kind;
        ProblemCode run;
        ProblemCode preview;
    } cases[] = {
        {LayoutProblem::kBadValue, ProblemCode::kLayoutUnusableValue,
         ProblemCode::kLayoutPreviewTooLarge},
        {LayoutProblem::kMemory, ProblemCode::kLayoutTooLargeForMemory,
         ProblemCode::kLayoutPreviewTooLarge},
    };
    for (const auto& c : cases) {
        const LayoutProblem found{c.kind, "PAPER", "width", -2147483648LL};
        const auto run = RefusalProblem(found, "CustomSize0009.ini");
        EXPECT_EQ(run.code, c.run);
        EXPECT_EQ(run.args, (std::vector<std::string>{"CustomSize0009.ini", "PAPER", "width",
                                                      "-2147483648"}));
        const auto preview = PreviewRefusalProblem(found);
        EXPECT_EQ(preview.code, c.preview);
        EXPECT_EQ(preview.args, (std::vector<std::string>{"PAPER", "width", "-2147483648"}));
    }
}

} // namespace
