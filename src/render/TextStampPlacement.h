// Where stamped texts go: the placement tables of titles, page numbers, titles inside photos and
// file-name texts, in page pixels, with integer division truncating towards zero throughout.
#pragma once

#include <cstdint>

namespace quorvane {

// Position codes of title_align and page_align; any other value is placed like kTopCentre.
enum TitlePosition : int {
    kTopLeft = 0,
    kTopCentre = 1,
    kTopRight = 2,
    kBottomLeft = 3,
    kBottomCentre = 4,
    kBottomRight = 5,
    kCentre = 6,
};

// Alignment codes of filedate_align; any other value is handled as described below.
enum FileDateAlign : int { kAlignLeft = 0, kAlignCentre = 1, kAlignRight = 2 };

// A measured length or fractional position truncated towards zero; NaN reads as 0 and absurd
// values are held where the placement's integer arithmetic cannot overflow.
int64_t TruncToInt64(double value);

struct StampPoint {
    int64_t x = 0;
    int64_t y = 0;
};

// Top-left corner of a text tw wide with font size fs in a box width x height with margins, by
// the page table (page title, page number, and titles inside photos on the editor's preview):
// x = left / (W − tw) / 2 / W − tw − right; y = 2 × (top − fs) / 3 + vadj at the top,
// (bottom − fs) / 3 + (H − bottom) + vadj at the bottom, H / 2 − fs / 2 + vadj in the centre.
// Then clamped: not below 0, then x ≤ W − tw and y ≤ H − fs.
StampPoint PlaceOnPage(int position, int64_t width, int64_t height, int64_t left, int64_t right,
                       int64_t top, int64_t bottom, int64_t tw, int64_t fs, int64_t vadj);

// The same for a title inside a photo on an output page: no margins, x = 0 / (W − tw) / 2 /
// W − tw; y = vadj at the top, H − fs + vadj at the bottom, H / 2 − fs / 2 + vadj in the centre;
// clamped as above.
StampPoint PlaceInPhoto(int position, int64_t width, int64_t height, int64_t tw, int64_t fs,
                        int64_t vadj);

// A file-name text in the strip under a photo: codes 0, 1, 2 give x = left, (W − tw) / 2,
// W − tw − right with y = vadj; any other code x = (W − tw) / 2 and y = 2 × (top − fs) / 3 + vadj.
// Clamped: not below 0, then x ≤ W − tw and y ≤ H − fs. With fractionalFont (output pages) fs
// may be fractional: that y is computed in floating point and truncated as a whole, and the bound
// H − fs is truncated; otherwise fs is taken as a whole number and all arithmetic is integral.
StampPoint PlaceFileNameDate(int align, int64_t width, int64_t height, int64_t left, int64_t right,
                             int64_t top, int64_t tw, double fs, int64_t vadj, bool fractionalFont);

// The clamp shared by every table: x and y not below 0, then x = min(x, W − tw), y = min(y, yMax).
StampPoint ClampPlacement(StampPoint p, int64_t width, int64_t tw, int64_t yMax);

} // namespace quorvane
