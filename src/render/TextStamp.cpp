#include "render/TextStamp.h"

#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quorvane {

namespace {

QRectF Edges(int64_t left, int64_t top, int64_t right, int64_t bottom) {
    return QRectF(QPointF(static_cast<double>(left), static_cast<double>(top)),
                  QPointF(static_cast<double>(right), static_cast<double>(bottom)));
}

// value × numerator / denominator, truncating, without overflow in the product (layout values
// may be absurd); the result is held within 64 bits.
int64_t MulDiv(int64_t value, int64_t numerator, int64_t denominator) {
    const __int128 q = static_cast<__int128>(value) * numerator / denominator;
    return q > INT64_MAX ? INT64_MAX : q < INT64_MIN ? INT64_MIN : static_cast<int64_t>(q);
}

// Measures the text at the font size; the width and height truncated.
struct TextSize {
    int64_t width = 0;
    int64_t height = 0;
};

TextSize Measure(Canvas& canvas, const QString& family, double size, const QString& text) {
    canvas.SetFont(family, size);
    const QSizeF measured = canvas.MeasureText(text);
    return {TruncToInt64(measured.width()), TruncToInt64(measured.height())};
}

// The text placed on a page or in a cell, at whole font sizes: the steps shared by the page
// title, the page number and the title inside a photo.
int DrawPlacedTitle(Canvas& canvas, int s, int position, const StampMargins& margins,
                    const StampFont& font, const StampBox& box, bool inPhotoTable,
                    const QString& text, int vAdjust) {
    if (!StampSizeDraws(s, font.size) || text.isEmpty())
        return -1;
    const int64_t width = box.width;
    const int64_t height = box.height;
    int64_t fs = font.size;
    int64_t tw = Measure(canvas, font.family, static_cast<double>(fs), text).width;
    if (tw <= 0)
        return -1;
    if (tw >= width) {
        fs = MulDiv(fs, width - margins.left - margins.right, tw);
        if (fs <= 0)
            return -1;
        tw = Measure(canvas, font.family, static_cast<double>(fs), text).width;
        if (tw <= 0)
            return -1;
    }
    const StampPoint p = inPhotoTable
                             ? PlaceInPhoto(position, width, height, tw, fs, vAdjust)
                             : PlaceOnPage(position, width, height, margins.left, margins.right,
                                           margins.top, margins.bottom, tw, fs, vAdjust);
    const int64_t drawSize = fs / s;
    if (drawSize <= 0)
        return -1;
    canvas.SetFont(font.family, static_cast<double>(drawSize));
    const int64_t x = box.x + p.x;
    const int64_t y = box.y + p.y;
    canvas.DrawText(Edges(x / s, y / s, (x + tw) / s, (y + fs) / s), text, font.colour,
                    TextAlign::Centre);
    return 0;
}

TextAlign LineAlignment(int align) {
    switch (align) {
    case kAlignLeft:
        return TextAlign::Left;
    case kAlignRight:
        return TextAlign::Right;
    default:
        return TextAlign::Centre;
    }
}

// A file-name text being fitted under a photo: its font size and its size measured at that size.
struct FileTextFit {
    double fs = 0;
    TextSize measured;
};

// Measures the text at the font's size; false when nothing can be drawn.
bool MeasureFileText(Canvas& canvas, int s, const StampFont& font, const QString& text,
                     FileTextFit& fit) {
    if (!StampSizeDraws(s, font.size) || text.isEmpty())
        return false;
    fit.fs = font.size;
    fit.measured = Measure(canvas, font.family, fit.fs, text);
    return fit.measured.width > 0;
}

// Shrinks the font to the size and measures again; false when nothing can be drawn.
bool Remeasure(Canvas& canvas, const QString& family, double fs, const QString& text,
               FileTextFit& fit) {
    if (!(fs > 0))
        return false;
    fit.fs = fs;
    fit.measured = Measure(canvas, family, fs, text);
    return fit.measured.width > 0;
}

// Draws the fitted text at the placement in the area, at the font size for the bitmap.
int DrawFileText(Canvas& canvas, int s, const StampFont& font, const StampBox& area,
                 const StampPoint& p, const FileTextFit& fit, double drawSize, const QString& text,
                 TextAlign align) {
    if (!(drawSize > 0))
        return -1;
    canvas.SetFont(font.family, drawSize);
    const int64_t x = area.x + p.x;
    const int64_t y = area.y + p.y;
    canvas.DrawText(
        Edges(x / s, y / s, (x + fit.measured.width) / s, (y + fit.measured.height) / s), text,
        font.colour, align);
    return 0;
}

} // namespace

QString NumberMeasuringText(const QString& text) {
    constexpr qsizetype kDigits = 4;
    if (text.size() >= kDigits)
        return text;
    return text + QString(kDigits - text.size(), QLatin1Char('7'));
}

bool StampSizeDraws(int s, int fontSize) {
    return s >= 1 && fontSize > 0;
}

QString ReplacePagePlaceholder(QString text, const QString& pageNumberText) {
    return text.replace(QStringLiteral("[$PAGE]"), pageNumberText, Qt::CaseInsensitive);
}

int DrawNumberText(Canvas& canvas, int s, bool atLowerRight, const StampFont& font, int padding,
                   int margin, int anchorX, int anchorY, const QString& text) {
    if (!StampSizeDraws(s, font.size))
        return 0;
    const int64_t drawSize = font.size / s;
    if (drawSize <= 0)
        return 0;
    const TextSize measured =
        Measure(canvas, font.family, static_cast<double>(drawSize), NumberMeasuringText(text));
    const int64_t bw = measured.width + 2 * static_cast<int64_t>(margin);
    const int64_t bh = static_cast<int64_t>(font.size) + 2 * static_cast<int64_t>(margin);
    const int64_t p = padding;
    const int64_t ax = anchorX;
    const int64_t ay = anchorY;
    const QRectF box = atLowerRight
                           ? Edges(ax - (bw + p) / s, ay - (bh + p) / s, ax - p / s, ay - p / s)
                           : Edges(ax + p / s, ay + p / s, ax + (bw + p) / s, ay + (bh + p) / s);
    canvas.FillRect(box, 0xffffffff);
    canvas.DrawText(box, text, font.colour, TextAlign::Centre);
    return 0;
}

int DrawTitleText(Canvas& canvas, int s, int position, const StampMargins& margins,
                  const StampFont& font, int pageWidth, int pageHeight, const QString& text,
                  int vAdjust) {
    return DrawPlacedTitle(canvas, s, position, margins, font, {0, 0, pageWidth, pageHeight}, false,
                           text, vAdjust);
}

int DrawPageNumberText(Canvas& canvas, int s, int position, const StampMargins& margins,
                       const StampFont& font, int pageWidth, int pageHeight, const QString& text,
                       const QString& pageNumberText, int vAdjust) {
    return DrawTitleText(canvas, s, position, margins, font, pageWidth, pageHeight,
                         ReplacePagePlaceholder(text, pageNumberText), vAdjust);
}

int DrawTitleTextInPhoto(Canvas& canvas, StampTarget target, int s, int position,
                         const StampMargins& margins, const StampFont& font, const StampBox& cell,
                         const QString& text, int vAdjust) {
    if (target == StampTarget::OutputPage)
        return DrawPlacedTitle(canvas, s, position, StampMargins{}, font, cell, true, text,
                               vAdjust);
    return DrawPlacedTitle(canvas, s, position, margins, font, cell, false, text, vAdjust);
}

int DrawFileNameDate(Canvas& canvas, StampTarget target, int s, int align,
                     const StampMargins& margins, const StampFont& font, const StampBox& area,
                     const QString& text, int vAdjust) {
    if (target == StampTarget::OutputPage)
        return DrawFileNameDateOnPage(canvas, s, align, margins, font, area, text, vAdjust);
    return DrawFileNameDateInPreview(canvas, s, align, margins, font, area, text, vAdjust);
}

int DrawFileNameDateOnPage(Canvas& canvas, int s, int align, const StampMargins& margins,
                           const StampFont& font, const StampBox& area, const QString& text,
                           int vAdjust) {
    FileTextFit fit;
    if (!MeasureFileText(canvas, s, font, text, fit))
        return -1;
    const int64_t width = area.width;
    const int64_t height = area.height;
    if (fit.measured.width >= width) {
        const int64_t room = width - margins.left - margins.right;
        if (!Remeasure(canvas, font.family,
                       fit.fs * static_cast<double>(room) / static_cast<double>(fit.measured.width),
                       text, fit))
            return -1;
    }
    if (fit.measured.height >= height) {
        // Many lines (EXIF information) must also fit the strip's height.
        if (fit.measured.height <= 0)
            return -1;
        const int64_t room = height - margins.top - margins.bottom;
        if (!Remeasure(canvas, font.family,
                       fit.fs * static_cast<double>(room) /
                           static_cast<double>(fit.measured.height),
                       text, fit))
            return -1;
    }
    const StampPoint p = PlaceFileNameDate(align, width, height, margins.left, margins.right,
                                           margins.top, fit.measured.width, fit.fs, vAdjust, true);
    return DrawFileText(canvas, s, font, area, p, fit, fit.fs / s, text, LineAlignment(align));
}

int DrawFileNameDateInPreview(Canvas& canvas, int s, int align, const StampMargins& margins,
                              const StampFont& font, const StampBox& area, const QString& text,
                              int vAdjust) {
    FileTextFit fit;
    if (!MeasureFileText(canvas, s, font, text, fit))
        return -1;
    const int64_t width = area.width;
    if (fit.measured.width >= width) {
        const int64_t room = width - margins.left - margins.right;
        const int64_t fs = MulDiv(static_cast<int64_t>(fit.fs), room, fit.measured.width);
        if (!Remeasure(canvas, font.family, static_cast<double>(fs), text, fit))
            return -1;
    }
    const StampPoint p = PlaceFileNameDate(align, width, area.height, margins.left, margins.right,
                                           margins.top, fit.measured.width, fit.fs, vAdjust, false);
    return DrawFileText(canvas, s, font, area, p, fit,
                        // The font size is divided in whole numbers, as for every stamp.
                        static_cast<double>(static_cast<int64_t>(fit.fs) / s), // NOLINT
                        text, TextAlign::Centre);
}

} // namespace quorvane
