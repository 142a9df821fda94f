#include "ui/BitmapView.h"

#include <QPainter>
#include <QStyleOption>
#include <algorithm>

namespace quorvane {

BitmapView::BitmapView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Reachable by Tab, so that a screen reader can announce the picture by its name.
    setFocusPolicy(Qt::TabFocus);
}

void BitmapView::setBitmap(const QImage& bitmap, double scale) {
    bitmap_ = bitmap.copy();
    scale_ = scale > 0 ? scale : 1.0;
    update();
}

void BitmapView::clear() {
    bitmap_ = QImage();
    scale_ = 1.0;
    update();
}

double BitmapView::fittingScale(const QSize& bitmapSize, double factor) const {
    if (bitmapSize.isEmpty())
        return 1.0;
    return factor * std::min(static_cast<double>(width()) / bitmapSize.width(),
                             static_cast<double>(height()) / bitmapSize.height());
}

QSize BitmapView::sizeHint() const {
    return {320, 240};
}

void BitmapView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window).darker(108));
    if (!bitmap_.isNull()) {
        const QSizeF shown = QSizeF(bitmap_.size()) * scale_;
        const QRectF target(QPointF((width() - shown.width()) / 2, (height() - shown.height()) / 2),
                            shown);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(target, bitmap_);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(1, 1, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

} // namespace quorvane
