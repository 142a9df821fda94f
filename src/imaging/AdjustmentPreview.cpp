#include "imaging/AdjustmentPreview.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace quorvane {

namespace {

// The integer part of a single-precision product, kept inside int.
int IntegerPart(float value) {
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(std::clamp(value, -2.0e9f, 2.0e9f));
}

} // namespace

PreviewPlacement PlacePreview(QSize view, QSize photo) {
    PreviewPlacement p;
    const float W0 = static_cast<float>(std::max(1, photo.width()));
    const float H0 = static_cast<float>(std::max(1, photo.height()));
    const int vw = std::max(1, view.width()), vh = std::max(1, view.height());
    p.scale = std::min(static_cast<float>(vw) / W0, static_cast<float>(vh) / H0);
    p.thumbnail =
        QSize(std::max(1, IntegerPart(W0 * p.scale)), std::max(1, IntegerPart(H0 * p.scale)));
    p.origin = QPoint(std::max(0, (vw - p.thumbnail.width()) / 2),
                      std::max(0, (vh - p.thumbnail.height()) / 2));
    return p;
}

QRect FrameOnPreview(const PreviewPlacement& p, const QRect& frame) {
    const float s = p.scale;
    return QRect(p.origin.x() + IntegerPart(s * static_cast<float>(frame.x())),
                 p.origin.y() + IntegerPart(s * static_cast<float>(frame.y())),
                 IntegerPart(s * static_cast<float>(frame.width())),
                 IntegerPart(s * static_cast<float>(frame.height())));
}

QRectF MovedFrame(const QRect& frame, QSize view, QSize thumbnail, double zoomPercent,
                  double shiftX, double shiftY) {
    const double z = zoomPercent > 0 ? zoomPercent / 100.0 : 1.0;
    const double px = (view.width() - view.width() / z) * 0.5 + shiftX * thumbnail.width() * 0.01;
    const double py =
        (view.height() - view.height() / z) * 0.5 + shiftY * thumbnail.height() * 0.01;
    return QRectF(px + frame.x() / z, py + frame.y() / z, frame.width() / z, frame.height() / z);
}

std::array<QRectF, 6> CropFrameBars(const QRectF& f) {
    const double x0 = f.x(), y0 = f.y(), W = f.width(), H = f.height();
    const double halfW = std::trunc(W / 2), halfH = std::trunc(H / 2);
    const auto bar = [](double left, double top, double right, double bottom) {
        return QRectF(QPointF(left, top), QPointF(right, bottom));
    };
    return {
        bar(x0, y0, x0 + W - 1, y0 + 2),                     // top
        bar(x0, y0 + H - 1, x0 + W - 2, y0 + H),             // bottom
        bar(x0, y0, x0 + 2, y0 + H - 1),                     // left
        bar(x0 + W - 2, y0, x0 + W, y0 + H),                 // right
        bar(x0, y0 + halfH - 1, x0 + W - 1, y0 + halfH + 1), // horizontal centre
        bar(x0 + halfW - 1, y0, x0 + halfW + 1, y0 + H - 1), // vertical centre
    };
}

QRect CorrectionRegion(QSize view, QSize thumbnail) {
    const int x0 = std::max(0, (view.width() - thumbnail.width()) / 2);
    const int y0 = std::max(0, (view.height() - thumbnail.height()) / 2);
    const int x1 = std::min(x0 + thumbnail.width(), view.width() - 1);
    const int y1 = std::min(y0 + thumbnail.height(), view.height() - 1);
    return QRect(QPoint(x0, y0), QPoint(x1, y1));
}

QString HundredthsText(double value) {
    QString zero = QStringLiteral("0");
    if (!std::isfinite(value))
        return zero;
    // Cut in the decimal text, so that 0.29 stays 0.29 instead of becoming 0.28 by binary error.
    char buf[400];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (ec != std::errc())
        return zero;
    std::string_view text(buf, static_cast<size_t>(end - buf));
    if (const auto dot = text.find('.'); dot != std::string_view::npos) {
        text = text.substr(0, std::min(text.size(), dot + 3));
        while (text.back() == '0')
            text.remove_suffix(1);
        if (text.back() == '.')
            text.remove_suffix(1);
    }
    if (text == "-0" || text.empty())
        return zero;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace quorvane
