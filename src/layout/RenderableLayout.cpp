#include "layout/RenderableLayout.h"

#include <algorithm>
#include <unistd.h>

namespace quorvane::layout {

namespace {

constexpr int kMaxBitmapEdge = 32767; // the canvas's largest bitmap edge
constexpr int64_t kSmallestPhoto = 10;

struct Range {
    const char* section;
    const char* key;
    int SheetLayout::*field;
    int64_t low;
    int64_t high;
};

} // namespace

LayoutProblem CheckRenderable(const SheetLayout& l, int64_t memoryLimit) {
    LayoutProblem problem;
    auto bad = [&](const char* section, const char* key, int64_t value) {
        problem.kind = LayoutProblem::kBadValue;
        problem.section = section;
        problem.key = key;
        problem.value = value;
        return problem;
    };
    auto tooLarge = [&](const char* section, const char* key, int64_t value) {
        bad(section, key, value);
        problem.kind = LayoutProblem::kMemory;
        return problem;
    };
    if (l.width < 1)
        return bad("PAPER", "width", l.width);
    if (l.height < 1)
        return bad("PAPER", "height", l.height);
    if (l.width > kMaxBitmapEdge)
        return tooLarge("PAPER", "width", l.width);
    if (l.height > kMaxBitmapEdge)
        return tooLarge("PAPER", "height", l.height);
    constexpr int64_t M = kMaxLayoutLength;
    static const Range kRanges[] = {
        {"PAPER", "dpi", &SheetLayout::dpi, -M, M},
        {"PAPER", "left_margin", &SheetLayout::left_margin, -M, M},
        {"PAPER", "right_margin", &SheetLayout::right_margin, -M, M},
        {"PAPER", "top_margin", &SheetLayout::top_margin, -M, M},
        {"PAPER", "bottom_margin", &SheetLayout::bottom_margin, -M, M},
        {"PHOTO", "photo_col", &SheetLayout::photo_col, 1, kMaxBitmapEdge},
        {"PHOTO", "photo_row", &SheetLayout::photo_row, 1, kMaxBitmapEdge},
        {"PHOTO", "photo_width", &SheetLayout::photo_width, 1, M},
        {"PHOTO", "photo_height", &SheetLayout::photo_height, 1, M},
        {"NUMBER", "font_size", &SheetLayout::font_size, -M, M},
        {"NUMBER", "font_padding", &SheetLayout::font_padding, -M, M},
        {"NUMBER", "font_margin", &SheetLayout::font_margin, -M, M},
        {"TITLE", "title_font_size", &SheetLayout::title_font_size, -M, M},
        {"TITLE", "title_v_adjust", &SheetLayout::title_v_adjust, -M, M},
        {"PAGENUMBER", "page_font_size", &SheetLayout::page_font_size, -M, M},
        {"PAGENUMBER", "page_v_adjust", &SheetLayout::page_v_adjust, -M, M},
        {"FILEANDDATE", "filedate_font_size", &SheetLayout::filedate_font_size, -M, M},
        {"FILEANDDATE", "filedate_v_adjust", &SheetLayout::filedate_v_adjust, -M, M},
    };
    for (const Range& r : kRanges) {
        const int value = l.*r.field;
        if (value < r.low || value > r.high)
            return bad(r.section, r.key, value);
        if (r.field == &SheetLayout::photo_row) {
            // Frames are drawn round every cell of every page.
            const int64_t squares =
                static_cast<int64_t>(l.width) * l.height / (kSmallestPhoto * kSmallestPhoto);
            if (static_cast<int64_t>(l.photo_col) * l.photo_row > std::max<int64_t>(1, squares))
                return bad("PHOTO", "photo_row", l.photo_row);
        }
    }
    if (l.photo_ct > static_cast<int64_t>(l.photo_col) * l.photo_row)
        return bad("PHOTO", "photo_ct", l.photo_ct);
    if (l.for_web && (l.web_thumb_width < 1 || l.web_thumb_width > kMaxBitmapEdge))
        return bad("PHOTO", "web_thumb_width", l.web_thumb_width);

    return CheckMemory(l, memoryLimit);
}

LayoutProblem CheckMemory(const SheetLayout& l, int64_t memoryLimit) {
    LayoutProblem problem;
    auto tooLarge = [&](const char* section, const char* key, int64_t value) {
        problem.kind = LayoutProblem::kMemory;
        problem.section = section;
        problem.key = key;
        problem.value = value;
        return problem;
    };
    // The page, and the photo scaled to its cell with its fitted copy and a trimmed copy; a web
    // image is web_thumb_width wide and as high as the photo's shape makes it, at most the
    // longer cell edge times its width (a photo one pixel wide), or the bitmap limit. Lengths
    // count within 0..kMaxLayoutLength, which is far beyond any limit and keeps the products
    // inside int64_t.
    auto length = [](int value) { return std::clamp<int64_t>(value, 0, kMaxLayoutLength); };
    const int64_t page = length(l.width) * length(l.height) * 4;
    const int64_t cell = length(l.photo_width) * length(l.photo_height) * 4;
    int64_t web = 0;
    if (l.for_web) {
        const int64_t w = length(l.web_thumb_width);
        web = w *
              std::min<int64_t>(kMaxBitmapEdge,
                                w * std::max(length(l.photo_width), length(l.photo_height))) *
              4;
    }
    if (page > memoryLimit)
        return l.height > l.width ? tooLarge("PAPER", "height", l.height)
                                  : tooLarge("PAPER", "width", l.width);
    if (page + 3 * cell > memoryLimit)
        return l.photo_height > l.photo_width ? tooLarge("PHOTO", "photo_height", l.photo_height)
                                              : tooLarge("PHOTO", "photo_width", l.photo_width);
    if (page + 3 * cell + web > memoryLimit)
        return tooLarge("PHOTO", "web_thumb_width", l.web_thumb_width);
    return problem;
}

int64_t DefaultRenderMemoryLimit() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return kMaxRenderMemory;
    return std::min(static_cast<int64_t>(pages) * pageSize / 4, kMaxRenderMemory);
}

} // namespace quorvane::layout
