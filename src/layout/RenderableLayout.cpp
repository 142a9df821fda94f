#include "layout/RenderableLayout.h"

#include <algorithm>
#include <unistd.h>
#include <variant>

namespace quorvane::layout {

namespace {

constexpr int64_t kSmallestPhoto = 10;

LayoutProblem Bad(const char* section, const char* key, int64_t value) {
    return {LayoutProblem::kBadValue, section, key, value};
}

LayoutProblem TooLarge(const char* section, const char* key, int64_t value) {
    return {LayoutProblem::kMemory, section, key, value};
}

} // namespace

LayoutProblem CheckRenderable(const SheetLayout& l, int64_t memoryLimit) {
    // The page first: beyond the bitmap edge it cannot be held at all.
    if (l.width < 1)
        return Bad("PAPER", "width", l.width);
    if (l.height < 1)
        return Bad("PAPER", "height", l.height);
    if (l.width > kMaxBitmapEdge)
        return TooLarge("PAPER", "width", l.width);
    if (l.height > kMaxBitmapEdge)
        return TooLarge("PAPER", "height", l.height);
    for (const LayoutSection& section : LayoutSections()) {
        for (const LayoutKey& key : section.keys) {
            const auto* member = std::get_if<int SheetLayout::*>(&key.member);
            if (!member)
                continue;
            const int value = l.*(*member);
            if (value < key.range.low || value > key.range.high)
                return Bad(section.name, key.name, value);
            if (*member == &SheetLayout::photo_row) {
                // Frames are drawn round every cell of every page.
                const int64_t squares =
                    static_cast<int64_t>(l.width) * l.height / (kSmallestPhoto * kSmallestPhoto);
                if (static_cast<int64_t>(l.photo_col) * l.photo_row > std::max<int64_t>(1, squares))
                    return Bad("PHOTO", "photo_row", l.photo_row);
            }
        }
    }
    if (l.photo_ct > static_cast<int64_t>(l.photo_col) * l.photo_row)
        return Bad("PHOTO", "photo_ct", l.photo_ct);
    if (l.for_web && (l.web_thumb_width < 1 || l.web_thumb_width > kMaxBitmapEdge))
        return Bad("PHOTO", "web_thumb_width", l.web_thumb_width);

    return CheckMemory(l, memoryLimit);
}

LayoutProblem CheckMemory(const SheetLayout& l, int64_t memoryLimit) {
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
        return l.height > l.width ? TooLarge("PAPER", "height", l.height)
                                  : TooLarge("PAPER", "width", l.width);
    if (page + 3 * cell > memoryLimit)
        return l.photo_height > l.photo_width ? TooLarge("PHOTO", "photo_height", l.photo_height)
                                              : TooLarge("PHOTO", "photo_width", l.photo_width);
    if (page + 3 * cell + web > memoryLimit)
        return TooLarge("PHOTO", "web_thumb_width", l.web_thumb_width);
    return {};
}

text::Problem RefusalProblem(const LayoutProblem& p, const std::string& fileName) {
    const auto code = p.kind == LayoutProblem::kMemory ? text::ProblemCode::kLayoutTooLargeForMemory
                                                       : text::ProblemCode::kLayoutUnusableValue;
    return {code, {fileName, p.section, p.key, std::to_string(p.value)}};
}

text::Problem PreviewRefusalProblem(const LayoutProblem& p) {
    return {text::ProblemCode::kLayoutPreviewTooLarge, {p.section, p.key, std::to_string(p.value)}};
}

int64_t DefaultRenderMemoryLimit() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return kMaxRenderMemory;
    return std::min(static_cast<int64_t>(pages) * pageSize / 4, kMaxRenderMemory);
}

} // namespace quorvane::layout
