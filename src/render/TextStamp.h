// Texts stamped onto index-sheet pages and onto the settings editor's half-size preview: number
// labels, page titles, page numbers, titles inside photos and file-name/date texts under photos.
//
// Lengths are page pixels (the units of the layout) unless said otherwise; the scale divisor s
// (1 for output pages, 2 for the editor's preview) maps them to pixels of the canvas's bitmap.
// Every division is an integer division truncating towards zero. Each operation leaves the last
// font it set on the canvas. A font size of 0 or less, before or after shrinking, or once divided
// by s, draws nothing.
#pragma once

#include "imaging/Canvas.h"
#include "render/TextStampPlacement.h"

#include <QRgb>
#include <QString>

namespace quorvane {

// The placement rules of titles inside photos and of file-name texts differ between finished
// pages and the editor's preview.
enum class StampTarget { OutputPage, EditorPreview };

// Family (empty means kDefaultFontFamily), ARGB colour and size in page pixels of one text.
struct StampFont {
    QString family;
    QRgb colour = 0xff000000;
    int size = 12;
};

struct StampMargins {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
};

// A rectangle by origin and size, in page pixels. Sizes may be 0 or negative (nothing fits then).
struct StampBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Whether text of this font size can show at all on a bitmap of scale divisor s: a size of 0
// or less draws nothing, and neither does an s below 1. Every operation below starts with this
// test; a text that passes may still draw nothing once measured (empty, or shrunk to size 0).
bool StampSizeDraws(int s, int fontSize);

// The number label of a photo: a white box with the number centred in it.
// The font is set to font.size / s. The box is measured with the text padded on the right with
// "7" to four characters (5 as "5777"; longer texts as they are): bw = trunc(width at that font)
// + 2 × margin, bh = font.size + 2 × margin. anchorX/anchorY are in bitmap pixels: the photo's
// top-left corner, or its bottom-right corner when atLowerRight. With p = padding the box is
//   top-left:    (ax + p/s, ay + p/s) – (ax + (bw + p)/s, ay + (bh + p)/s)
//   lower right: (ax − (bw + p)/s, ay − (bh + p)/s) – (ax − p/s, ay − p/s)
// filled opaque white (ffffffff), the real text drawn in font.colour centred in it.
// On output pages the renderer draws it onto the scaled photo with anchor (0, 0) or (W, H).
// Returns 0; draws nothing when s < 1.
int DrawNumberText(Canvas& canvas, int s, bool atLowerRight, const StampFont& font, int padding,
                   int margin, int anchorX, int anchorY, const QString& text);

// The page title. Measured at font.size: tw = trunc(width); a text as wide as the page or wider
// (tw ≥ pageWidth) gets font.size × (W − left − right) / tw and is measured again. Placed by
// PlaceOnPage, drawn at size fs / s centred into (x/s, y/s) – ((x + tw)/s, (y + fs)/s).
// Returns −1 when nothing was drawn (empty text, zero width, size 0 or less), 0 otherwise.
int DrawTitleText(Canvas& canvas, int s, int position, const StampMargins& margins,
                  const StampFont& font, int pageWidth, int pageHeight, const QString& text,
                  int vAdjust);

// The page number: every "[$PAGE]" of text, in any letter case, replaced by pageNumberText (the
// editor's preview passes "1234"), then drawn as DrawTitleText. Returns as DrawTitleText.
int DrawPageNumberText(Canvas& canvas, int s, int position, const StampMargins& margins,
                       const StampFont& font, int pageWidth, int pageHeight, const QString& text,
                       const QString& pageNumberText, int vAdjust);

// The title inside a photo cell (cell in page pixels), measured and shrunk as DrawTitleText with
// the cell's width, and drawn into ((cx + x)/s, (cy + y)/s) – ((cx + x + tw)/s, (cy + y + fs)/s).
// EditorPreview: placed by PlaceOnPage within the cell with the given margins (the editor passes
// zeros). OutputPage: the renderer passes the scaled photo bitmap as the cell, at (0, 0) with its
// size; margins are ignored and the text is placed by PlaceInPhoto. Returns −1 / 0.
int DrawTitleTextInPhoto(Canvas& canvas, StampTarget target, int s, int position,
                         const StampMargins& margins, const StampFont& font, const StampBox& cell,
                         const QString& text, int vAdjust);

// The file name / shooting date (and EXIF lines) under a photo, in the area (page pixels: the
// photo's x and width, y at its bottom edge, the strip's height). Measured at font.size:
// tw = trunc(width of the widest line), th = trunc(height of all lines); tw ≥ W shrinks the font
// to fs × (W − left − right) / tw. Placed by PlaceFileNameDate, drawn into
// ((ax + x)/s, (ay + y)/s) – ((ax + x + tw)/s, (ay + y + th)/s). Returns −1 when nothing was
// drawn, 0 otherwise. The target chooses one of the two functions below.
int DrawFileNameDate(Canvas& canvas, StampTarget target, int s, int align,
                     const StampMargins& margins, const StampFont& font, const StampBox& area,
                     const QString& text, int vAdjust);

// On output pages the font size is fractional: the width shrink is fs × (W − left − right) / tw
// in floating point, then th ≥ H shrinks it again to fs × (H − top − bottom) / th and tw, th are
// measured once more; each line is aligned by itself by the code (0 left, 2 right, else
// centred); drawn at size fs / s as a fractional number.
int DrawFileNameDateOnPage(Canvas& canvas, int s, int align, const StampMargins& margins,
                           const StampFont& font, const StampBox& area, const QString& text,
                           int vAdjust);

// On the editor's preview font sizes are whole numbers: the width shrink in integer arithmetic,
// no height shrink, each line centred, drawn at size fs / s (integer).
int DrawFileNameDateInPreview(Canvas& canvas, int s, int align, const StampMargins& margins,
                              const StampFont& font, const StampBox& area, const QString& text,
                              int vAdjust);

// The text with every "[$PAGE]", in any letter case, replaced by pageNumberText.
QString ReplacePagePlaceholder(QString text, const QString& pageNumberText);

// The text a number label is measured with: padded on the right with "7" to four characters.
QString NumberMeasuringText(const QString& text);

} // namespace quorvane
