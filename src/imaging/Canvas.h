// The drawing scene of one bitmap: fills, outlines, lines, bitmaps and text in a font family and
// a pixel size. Constructing a Canvas begins the scene, End() or the destructor ends it.
//
// Rectangles are in continuous pixel coordinates: QRectF(QPointF(l, t), QPointF(r, b)) covers the
// pixels l..r-1 and t..b-1 when the edges are whole numbers. Shapes are drawn without
// antialiasing, so whole-number rectangles fill exactly their pixels; text is antialiased.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QRgb>
#include <QSizeF>
#include <QString>

namespace quorvane {

// Horizontal placement of each line of a text inside its rectangle.
enum class TextAlign { Left, Centre, Right };

class Canvas {
  public:
    // Begins the scene; the bitmap is turned into Format_ARGB32 first if needed and must outlive
    // the canvas. isActive() is false when the bitmap is null.
    explicit Canvas(QImage& bitmap);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool isActive() const { return painter_.isActive(); }
    void End();

    QImage& bitmap() { return bitmap_; }
    int width() const { return bitmap_.width(); }
    int height() const { return bitmap_.height(); }
    // For drawing the operations below do not cover.
    QPainter& painter() { return painter_; }

    // Fills the rectangle with the colour, blended by its alpha over what is there.
    void FillRect(const QRectF& rect, QRgb colour);
    // A rectangle outline whose stroke of the given thickness is centred on the rectangle's edges.
    void DrawRectOutline(const QRectF& rect, QRgb colour, double thickness);
    void DrawLine(const QPointF& from, const QPointF& to, QRgb colour, double thickness);
    // The source rectangle of the bitmap scaled into the target rectangle, at opacity 0..1.
    void DrawBitmap(const QImage& source, const QRectF& sourceRect, const QRectF& targetRect,
                    double opacity = 1.0);

    // Sets the font: the family (empty means kDefaultFontFamily), regular style, a size in pixels
    // of this bitmap that may be fractional. The font stays set until the next call. A size of 0
    // or less is remembered as such: text is then measured as 0 x 0 and not drawn.
    // Qt loads fonts at whole pixel sizes; a fractional size is held as a larger whole size that
    // MeasureText and DrawText scale down (font() then differs from the size asked for).
    void SetFont(const QString& family, double pixelSize);
    double fontPixelSize() const { return pixelSize_; }
    const QFont& font() const { return font_; }

    // Whole font sizes above this are not loaded (the font engine's practical limit).
    static constexpr int kMaxWholeFontPixels = 4096;

    // Width and height of the text in pixels at the current font: the width of its widest line and
    // the height of all its lines. Callers truncate both.
    QSizeF MeasureText(const QString& text) const;

    // Draws the text in the colour at opacity 1, without word wrap and without clipping,
    // vertically centred in the rectangle; each line is placed by itself by the alignment.
    void DrawText(const QRectF& rect, const QString& text, QRgb colour, TextAlign align);

  private:
    QImage& bitmap_;
    QPainter painter_;
    QFont font_;
    double pixelSize_ = 0;
    double textScale_ = 1.0; // drawn size / font_'s pixel size
};

// Line breaks of any kind ("\r\n", "\r") as "\n", the form the text drawing lays out.
QString NormalizeLineBreaks(QString text);

} // namespace quorvane
