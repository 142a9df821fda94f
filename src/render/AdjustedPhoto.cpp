#include "render/AdjustedPhoto.h"

#include "imaging/Histogram.h"
#include "imaging/Raster.h"

#include <QPainter>
#include <cmath>

namespace quorvane {

namespace {

int64_t IntegerPart(float v) {
    return std::isfinite(v) ? static_cast<int64_t>(std::clamp(v, -2.0e9f, 2.0e9f)) : 0;
}

} // namespace

AdjustedPhoto ApplyAdjustment(const QImage& photo, const PhotoAdjustment& a,
                              const PhotoPlanInput& cell) {
    AdjustedPhoto out;
    int64_t ix = IntegerPart(a.sx), iy = IntegerPart(a.sy);
    const int64_t iw = std::max<int64_t>(1, IntegerPart(a.w));
    const int64_t ih = std::max<int64_t>(1, IntegerPart(a.h));

    PhotoPlanInput window = cell;
    window.photo = QSize(static_cast<int>(std::min<int64_t>(iw, INT32_MAX)),
                         static_cast<int>(std::min<int64_t>(ih, INT32_MAX)));
    window.cutPeriphery = false;
    out.plan = PlanPhoto(window);
    const QSize kept = out.plan.trimmed.size();
    int64_t right = ix + kept.width(), bottom = iy + kept.height();

    const QImage* source = &photo;
    QImage turned;
    if (a.angle != 0) {
        turned = Rotated(photo, a.angle);
        if (turned.isNull())
            return out;
        const int64_t dx = (int64_t{turned.width()} - photo.width()) / 2;
        const int64_t dy = (int64_t{turned.height()} - photo.height()) / 2;
        ix += dx, right += dx, iy += dy, bottom += dy;
        source = &turned;
    }

    const int64_t width = right - ix + 1, height = bottom - iy + 1;
    out.photo = CreateBitmap(static_cast<int>(std::clamp<int64_t>(width, 0, kMaxBitmapSize + 1)),
                             static_cast<int>(std::clamp<int64_t>(height, 0, kMaxBitmapSize + 1)));
    if (out.photo.isNull())
        return out;
    Clear(out.photo, 0xffffffffu);
    {
        // Drawn over the white, so that the corners a rotation uncovers stay white.
        QPainter painter(&out.photo);
        painter.drawImage(QPointF(0, 0), *source,
                          QRectF(static_cast<double>(ix), static_cast<double>(iy),
                                 static_cast<double>(width), static_cast<double>(height)));
    }
    if (a.colour_correction) {
        Histogram histogram;
        histogram.ApplyColourCorrection(out.photo, 0, 0, out.photo.width() - 1,
                                        out.photo.height() - 1, a.red, a.green, a.blue);
    }
    return out;
}

} // namespace quorvane
