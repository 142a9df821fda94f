#include "render/PhotoPlan.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace quorvane {

namespace {

int Clamp1(int64_t v) {
    return static_cast<int>(std::clamp<int64_t>(v, 1, INT32_MAX));
}

// The part of a W x H photo kept when trimming it to the ratio L / 10000.
QRect TrimToRatio(int64_t W, int64_t H, int64_t L) {
    int64_t w = W, h = H;
    if (W >= H) {
        if (W * 10000 / H < L)
            h = W * 10000 / L;
        else
            w = H * L / 10000;
    } else {
        if (L < W * 10000 / H)
            w = H * L / 10000;
        else
            h = W * 10000 / L;
    }
    w = std::clamp<int64_t>(w, 1, W);
    h = std::clamp<int64_t>(h, 1, H);
    const int64_t left = std::max<int64_t>(0, (W - w) / 2);
    const int64_t top = std::max<int64_t>(0, (H - h) / 2);
    return QRect(static_cast<int>(left), static_cast<int>(top),
                 static_cast<int>(std::min(w, W - left)), static_cast<int>(std::min(h, H - top)));
}

} // namespace

float PeripheryCut(int dpi) {
    return static_cast<float>(dpi) * 1.5f * 10.0f / 254.0f;
}

void TurnCellToPhoto(PhotoPlanInput& input) {
    const bool photoLandscape = input.photo.width() >= input.photo.height();
    const bool cellLandscape = input.cell.width() >= input.cell.height();
    if (photoLandscape == cellLandscape)
        return;
    input.cell.transpose();
    if (input.ratio > 0)
        input.ratio = 1.0f / input.ratio;
}

PhotoPlan PlanPhoto(const PhotoPlanInput& in) {
    PhotoPlan plan;
    plan.cut = QRect(QPoint(0, 0), in.photo);
    if (in.cutPeriphery) {
        const float cut = PeripheryCut(in.dpi);
        if (cut > 0) {
            const auto w = static_cast<int64_t>(static_cast<float>(in.photo.width()) - 2 * cut);
            const auto h = static_cast<int64_t>(static_cast<float>(in.photo.height()) - 2 * cut);
            const int offset = static_cast<int>(cut);
            if (w >= 1 && h >= 1) // a photo too small for the cut is used whole
                plan.cut = QRect(offset, offset, static_cast<int>(w), static_cast<int>(h));
        }
    }
    const int64_t W = std::max(1, plan.cut.width());
    const int64_t H = std::max(1, plan.cut.height());
    plan.trimmed = QRect(0, 0, static_cast<int>(W), static_cast<int>(H));
    // A ratio typed as 1.4 is held as 1.39999997..; its single-precision product is 14000.
    const float scaledRatio = in.ratio * 10000.0f;
    // Only a product that fits the integer is converted (NaN fails both comparisons).
    const int64_t L =
        scaledRatio > 0 && scaledRatio < 1e15f ? static_cast<int64_t>(scaledRatio) : 0;
    if (in.trimToRatio && L > 0) {
        const int64_t Q = std::max(W, H) * 10000 / std::min(W, H);
        if (!(L - 1 < Q && Q < L + 1))
            plan.trimmed = TrimToRatio(W, H, L);
    }
    const int64_t tw = plan.trimmed.width(), th = plan.trimmed.height();
    const int64_t CW = std::max(1, in.cell.width()), CH = std::max(1, in.cell.height());
    if (th * CW < CH * tw)
        plan.fitted = QSize(static_cast<int>(CW), Clamp1(th * CW / tw));
    else
        plan.fitted = QSize(Clamp1(CH * tw / th), static_cast<int>(CH));
    const int64_t fw = plan.fitted.width(), fh = plan.fitted.height();
    plan.scaledSize = QSize(Clamp1(fw + 2), Clamp1(fh + fh * 2 / fw));
    plan.trimmed.translate(plan.cut.topLeft());
    return plan;
}

} // namespace quorvane
