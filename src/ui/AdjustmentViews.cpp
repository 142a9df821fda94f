#include "ui/AdjustmentViews.h"

#include "imaging/AdjustmentPreview.h"

#include <QPainter>
#include <QPainterPath>

namespace quorvane {

TurningPhotoView::TurningPhotoView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void TurningPhotoView::setImage(const QImage& image) {
    image_ = image.copy();
    update();
}

void TurningPhotoView::setRotation(double degrees) {
    rotation_ = degrees;
    update();
}

void TurningPhotoView::paintEvent(QPaintEvent*) {
    if (image_.isNull())
        return;
    QPainter painter(this);
    if (rotation_ != 0) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QPointF centre(width() / 2.0, height() / 2.0);
        painter.translate(centre);
        painter.rotate(rotation_);
        painter.translate(-centre);
    }
    painter.drawImage(QPointF(0, 0), image_);
}

CropFrameView::CropFrameView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CropFrameView::setFrame(const QRect& frame, QSize thumbnail) {
    frame_ = frame;
    thumbnail_ = thumbnail;
    zoom_ = 100, shiftX_ = 0, shiftY_ = 0;
    update();
}

void CropFrameView::clearFrame() {
    setFrame(QRect(), QSize());
}

void CropFrameView::moveFrame(double zoomPercent, double shiftX, double shiftY) {
    zoom_ = zoomPercent, shiftX_ = shiftX, shiftY_ = shiftY;
    update();
}

QRectF CropFrameView::shownFrame() const {
    if (frame_.isEmpty())
        return {};
    return MovedFrame(frame_, size(), thumbnail_, zoom_, shiftX_, shiftY_);
}

void CropFrameView::paintEvent(QPaintEvent*) {
    if (frame_.isEmpty())
        return;
    // The bars keep their two pixels at every zoom, so the frame stays visible when it shrinks.
    // They are joined into one shape first, so crossings are no darker than the rest.
    QPainterPath bars;
    for (const QRectF& bar : CropFrameBars(shownFrame()))
        bars.addRect(bar);
    QPainter painter(this);
    QColor colour = QColor::fromRgba(kFrameColour);
    colour.setAlphaF(static_cast<float>(kOpacity));
    painter.fillPath(bars.simplified(), colour);
}

} // namespace quorvane
