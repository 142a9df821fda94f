#include "ui/PageViewer.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

constexpr float kWheelStep = 1.25f; // zoom per wheel notch
constexpr float kMinZoom = 0.01f;
constexpr float kMaxZoom = 16.0f;

} // namespace

PageViewer::PageViewer(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
}

void PageViewer::setImage(const QImage& image, const QSize& pageSize) {
    image_ = image;
    pageSize_ = pageSize.isEmpty() ? image.size() : pageSize;
    imageChanged();
}

double PageViewer::imageScale() const {
    return pageSize_.width() > 0 ? static_cast<double>(image_.width()) / pageSize_.width() : 1.0;
}

void PageViewer::fill(QRgb colour) {
    if (image_.isNull())
        return;
    image_ = QImage(image_.size(), QImage::Format_ARGB32);
    image_.fill(colour);
    imageChanged();
}

void PageViewer::setZoom(float factor) {
    if (!(factor > 0.0f) || factor == zoom_)
        return;
    zoom_ = factor;
    imageChanged();
}

void PageViewer::imageChanged() {
    scaled_ = QPixmap();
    updateScrollBars();
    viewport()->update();
}

QSize PageViewer::scaledSize() const {
    if (image_.isNull())
        return {};
    auto scaled = [this](int length) {
        return std::max(1, static_cast<int>(std::lround(static_cast<double>(length) * zoom_)));
    };
    return {scaled(pageSize_.width()), scaled(pageSize_.height())};
}

QPoint PageViewer::imageOrigin() const {
    const QSize s = scaledSize();
    const QSize view = viewport()->size();
    const int x =
        s.width() < view.width() ? (view.width() - s.width()) / 2 : -horizontalScrollBar()->value();
    const int y = s.height() < view.height() ? (view.height() - s.height()) / 2
                                             : -verticalScrollBar()->value();
    return {x, y};
}

void PageViewer::updateScrollBars() {
    const QSize s = scaledSize();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, s.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, std::max(0, s.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(20);
}

void PageViewer::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), QColor::fromRgba(kBackground));
    if (image_.isNull())
        return;
    const QPoint origin = imageOrigin();
    // Screen pixels per image pixel.
    const double scale = zoom_ / imageScale();
    if (scale <= 1.0) {
        const QSize s = scaledSize();
        if (scaled_.size() != s)
            scaled_ = QPixmap::fromImage(
                image_.scaled(s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        painter.drawPixmap(origin, scaled_);
        return;
    }
    // Enlarged: only the exposed part of the image is drawn, pixel by pixel.
    const QRectF exposed = QRectF(event->rect().translated(-origin));
    const QRectF source =
        QRectF(exposed.topLeft() / scale, exposed.size() / scale).intersected(image_.rect());
    painter.translate(origin);
    painter.scale(scale, scale);
    painter.drawImage(source, image_, source);
}

void PageViewer::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void PageViewer::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void PageViewer::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier) || image_.isNull()) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0)
        return;
    const float factor =
        std::clamp(zoom_ * std::pow(kWheelStep, static_cast<float>(notches)), kMinZoom, kMaxZoom);
    // The image point under the pointer stays under it.
    const QPointF pointer = event->position();
    const QPointF imagePoint = (pointer - QPointF(imageOrigin())) / zoom_;
    setZoom(factor);
    const QPointF moved = QPointF(imageOrigin()) + imagePoint * zoom_ - pointer;
    horizontalScrollBar()->setValue(horizontalScrollBar()->value() + qRound(moved.x()));
    verticalScrollBar()->setValue(verticalScrollBar()->value() + qRound(moved.y()));
    event->accept();
}

void PageViewer::scrollContentsBy(int, int) {
    viewport()->update();
}

} // namespace quorvane
