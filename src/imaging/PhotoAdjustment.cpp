#include "imaging/PhotoAdjustment.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {

// The integer part of a real number, as text.
QString IntegerPart(double v) {
    return QString::number(static_cast<long long>(std::trunc(v)));
}

} // namespace

float ZoomRatio(QSize photo, QSize cell) {
    if (cell.width() <= 0 || cell.height() <= 0)
        return 0;
    return std::min(static_cast<float>(photo.width()) / static_cast<float>(cell.width()),
                    static_cast<float>(photo.height()) / static_cast<float>(cell.height()));
}

int ZoomLimit(QSize photo, QSize cell) {
    const float percent = ZoomRatio(photo, cell) * 100.0f;
    return percent >= 2147483647.0f ? 2147483647 : static_cast<int>(percent);
}

QRectF ComputeSelection(const QRectF& frame, QSize photo, double zoomPercent, double shiftX,
                        double shiftY) {
    const double z = zoomPercent / 100.0;
    const double W0 = photo.width(), H0 = photo.height();
    const double cx = (W0 - W0 / z) * 0.5 + shiftX * W0 * 0.01;
    const double cy = (H0 - H0 / z) * 0.5 + shiftY * H0 * 0.01;
    // The selection is held in single precision, as the adjustment carries it.
    const auto single = [](double v) { return static_cast<double>(static_cast<float>(v)); };
    return QRectF(single(frame.x() / z + cx), single(frame.y() / z + cy), single(frame.width() / z),
                  single(frame.height() / z));
}

bool SelectionInsidePhoto(const QRectF& s, QSize photo) {
    return s.x() >= 0 && s.y() >= 0 && s.x() + s.width() <= photo.width() &&
           s.y() + s.height() <= photo.height();
}

ShiftRanges ShiftsInsidePhoto(const QRectF& frame, QSize photo, double zoomPercent) {
    // Tried shift by shift with the selection itself, so that the ranges agree with the test
    // "決定" makes to the last rounding.
    const auto insideX = [&](int shift) {
        const QRectF s = ComputeSelection(frame, photo, zoomPercent, shift, 0);
        return s.x() >= 0 && s.x() + s.width() <= photo.width();
    };
    const auto insideY = [&](int shift) {
        const QRectF s = ComputeSelection(frame, photo, zoomPercent, 0, shift);
        return s.y() >= 0 && s.y() + s.height() <= photo.height();
    };
    const auto range = [](const auto& inside) {
        ShiftRange r;
        if (!inside(0))
            return r;
        while (r.high < kMaxShift && inside(r.high + 1))
            ++r.high;
        while (r.low > -kMaxShift && inside(r.low - 1))
            --r.low;
        return r;
    };
    return {range(insideX), range(insideY)};
}

QString SelectionStatus(const QRectF& s) {
    return QStringLiteral("sx:") + IntegerPart(s.x()) + QStringLiteral(" sy:") +
           IntegerPart(s.y()) + QStringLiteral(" w:") + IntegerPart(s.width()) +
           QStringLiteral(" h:") + IntegerPart(s.height());
}

} // namespace quorvane
