#include "ui/PhotoPreview.h"

#include <QPainter>

namespace quorvane {

PhotoPreview::PhotoPreview(QWidget* parent) : QWidget(parent) {}

void PhotoPreview::setImage(const QImage& image) {
    image_ = image;
    fitted_ = QPixmap();
    update();
}

void PhotoPreview::paintEvent(QPaintEvent*) {
    if (image_.isNull() || width() < 1 || height() < 1)
        return;
    const QSize size = image_.size().scaled(this->size(), Qt::KeepAspectRatio);
    if (size.isEmpty())
        return;
    if (fitted_.size() != size)
        fitted_ = QPixmap::fromImage(
            image_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    QPainter painter(this);
    painter.drawPixmap((width() - size.width()) / 2, (height() - size.height()) / 2, fitted_);
}

} // namespace quorvane
