#include "imaging/Canvas.h"

#include "imaging/Fonts.h"

#include <QFontMetricsF>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace quorvane {

Canvas::Canvas(QImage& bitmap) : bitmap_(bitmap) {
    RegisterFontSubstitutions();
    if (bitmap_.isNull())
        return;
    if (bitmap_.format() != QImage::Format_ARGB32)
        bitmap_.convertTo(QImage::Format_ARGB32);
    if (bitmap_.isNull() || !painter_.begin(&bitmap_))
        return;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

Canvas::~Canvas() {
    End();
}

void Canvas::End() {
    if (painter_.isActive())
        painter_.end();
}

void Canvas::FillRect(const QRectF& rect, QRgb colour) {
    if (!isActive())
        return;
    painter_.fillRect(rect, QColor::fromRgba(colour));
}

void Canvas::DrawRectOutline(const QRectF& rect, QRgb colour, double thickness) {
    if (!isActive() || !(thickness > 0))
        return;
    painter_.save();
    QPen pen(QColor::fromRgba(colour), thickness);
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(rect);
    painter_.restore();
}

void Canvas::DrawLine(const QPointF& from, const QPointF& to, QRgb colour, double thickness) {
    if (!isActive() || !(thickness > 0))
        return;
    painter_.save();
    QPen pen(QColor::fromRgba(colour), thickness);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
    painter_.drawLine(from, to);
    painter_.restore();
}

void Canvas::DrawBitmap(const QImage& source, const QRectF& sourceRect, const QRectF& targetRect,
                        double opacity) {
    if (!isActive() || source.isNull())
        return;
    painter_.save();
    painter_.setOpacity(opacity);
    painter_.drawImage(targetRect, source, sourceRect);
    painter_.restore();
}

void Canvas::SetFont(const QString& family, double pixelSize) {
    font_ = QFont();
    font_.setFamilies({EffectiveFontFamily(family)});
    font_.setWeight(QFont::Normal);
    font_.setItalic(false);
    pixelSize_ = std::isfinite(pixelSize) && pixelSize > 0 ? pixelSize : 0;
    textScale_ = 1.0;
    if (pixelSize_ > 0) {
        if (pixelSize_ == std::floor(pixelSize_) && pixelSize_ <= kMaxWholeFontPixels) {
            font_.setPixelSize(static_cast<int>(pixelSize_));
        } else {
            // Qt loads fonts at whole pixel sizes only. A fractional size is drawn and measured
            // with a larger whole size scaled down, so its text is neither larger nor smaller
            // than asked for.
            const double enlargement =
                std::clamp(std::floor(kMaxWholeFontPixels / pixelSize_), 1.0, 16.0);
            const double whole = std::clamp(std::round(pixelSize_ * enlargement), 1.0,
                                            static_cast<double>(kMaxWholeFontPixels));
            font_.setPixelSize(static_cast<int>(whole));
            textScale_ = pixelSize_ / whole;
        }
    }
    if (isActive())
        painter_.setFont(font_);
}

QSizeF Canvas::MeasureText(const QString& text) const {
    if (pixelSize_ <= 0 || text.isEmpty())
        return {0, 0};
    const QFontMetricsF metrics(font_, bitmap_.isNull() ? nullptr : &bitmap_);
    return metrics.size(0, NormalizeLineBreaks(text)) * textScale_;
}

void Canvas::DrawText(const QRectF& rect, const QString& text, QRgb colour, TextAlign align) {
    if (!isActive() || pixelSize_ <= 0 || text.isEmpty())
        return;
    int flags = Qt::AlignVCenter | Qt::TextDontClip;
    switch (align) {
    case TextAlign::Left:
        flags |= Qt::AlignLeft;
        break;
    case TextAlign::Right:
        flags |= Qt::AlignRight;
        break;
    case TextAlign::Centre:
        flags |= Qt::AlignHCenter;
        break;
    }
    painter_.save();
    painter_.setOpacity(1.0);
    painter_.setFont(font_);
    painter_.setPen(QColor::fromRgba(colour));
    if (textScale_ == 1.0) {
        painter_.drawText(rect, flags, NormalizeLineBreaks(text));
    } else {
        painter_.translate(rect.topLeft());
        painter_.scale(textScale_, textScale_);
        painter_.drawText(QRectF(0, 0, rect.width() / textScale_, rect.height() / textScale_),
                          flags, NormalizeLineBreaks(text));
    }
    painter_.restore();
}

QString NormalizeLineBreaks(QString text) {
    if (text.contains(QLatin1Char('\r'))) {
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    return text;
}

} // namespace quorvane
