// Whether a layout can be rendered at all: layout files edited by hand reach the renderer without
// the size calculation's checks, so every value the renderer derives sizes, positions and loops
// from is held within bounds here before a run starts.
#pragma once

#include "layout/LayoutKeys.h"
#include "layout/SheetLayout.h"
#include "text/Problem.h"

#include <cstdint>
#include <string>

namespace quorvane::layout {

// The most a run's bitmaps may take by default, whatever the machine (see
// DefaultRenderMemoryLimit).
inline constexpr int64_t kMaxRenderMemory = 4'000'000'000;

struct LayoutProblem {
    enum Kind {
        kNone,
        kMemory,   // the page and the photo bitmaps cannot be held (or exceed the bitmap limit):
                   // `section`, `key` and `value` name the value that makes them too large
        kBadValue, // a value no page can use: `section`, `key` and `value` name it
    };
    Kind kind = kNone;
    std::string section;
    std::string key;
    int64_t value = 0;
};

// The first problem of the layout, or kNone. `memoryLimit` is the number of bytes the page, photo,
// scaled-photo and web image bitmaps may take together. photo_ct below 1 is left to the
// renderer's own message. Rules: first the page, width and height 1..32767 (above: kMemory); then
// every key within its range of the key tables, in the file's order (photo_col and photo_row
// 1..32767, photo_width and photo_height 1..kMaxLayoutLength; margins, adjustments, paddings,
// font sizes and dpi within ±kMaxLayoutLength), with no more cells than the page has squares of
// 10 x 10 pixels (the smallest photo the calculation makes); photo_ct at most photo_col x
// photo_row (more photos than cells would be left out of every page); web_thumb_width 1..32767
// for web exhibition layouts. Beyond `memoryLimit` the value named is the page's longer edge when
// the page alone is too large, else the cell's longer edge when page and cells are, else
// web_thumb_width.
LayoutProblem CheckRenderable(const SheetLayout& layout, int64_t memoryLimit);

// The memory rule of CheckRenderable alone: kMemory naming the value, as there, when the page,
// cells and web images take more than `memoryLimit`, else kNone. For layouts whose other values
// are not checked (the settings editor's preview).
LayoutProblem CheckMemory(const SheetLayout& layout, int64_t memoryLimit);

// A run's refusal of the layout in `fileName` as the operator is told it: kLayoutUnusableValue
// (kBadValue) or kLayoutTooLargeForMemory (kMemory), naming the file, the section, the key and
// the value. For a problem other than kNone.
text::Problem RefusalProblem(const LayoutProblem& problem, const std::string& fileName);

// The settings editor's refusal to draw the preview of a layout beyond the memory bound (kMemory
// of CheckMemory): kLayoutPreviewTooLarge naming the section, the key and the value.
text::Problem PreviewRefusalProblem(const LayoutProblem& problem);

// What a run's bitmaps may take by default: a quarter of the machine's memory, at most
// kMaxRenderMemory, so that a layout edited by hand cannot have a run claim the machine.
int64_t DefaultRenderMemoryLimit();

} // namespace quorvane::layout
