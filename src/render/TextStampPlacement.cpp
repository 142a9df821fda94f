#include "render/TextStampPlacement.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

int64_t TruncToInt64(double value) {
    if (!std::isfinite(value))
        return 0;
    constexpr double kLimit = 1e12;
    return static_cast<int64_t>(std::clamp(value, -kLimit, kLimit));
}

StampPoint ClampPlacement(StampPoint p, int64_t width, int64_t tw, int64_t yMax) {
    p.x = std::max<int64_t>(p.x, 0);
    p.y = std::max<int64_t>(p.y, 0);
    p.x = std::min(p.x, width - tw);
    p.y = std::min(p.y, yMax);
    return p;
}

StampPoint PlaceOnPage(int position, int64_t width, int64_t height, int64_t left, int64_t right,
                       int64_t top, int64_t bottom, int64_t tw, int64_t fs, int64_t vadj) {
    const int64_t centreX = (width - tw) / 2;
    const int64_t topY = 2 * (top - fs) / 3 + vadj;
    const int64_t bottomY = (bottom - fs) / 3 + (height - bottom) + vadj;
    StampPoint p;
    switch (position) {
    case kTopLeft:
        p = {left, topY};
        break;
    case kTopRight:
        p = {width - tw - right, topY};
        break;
    case kBottomLeft:
        p = {left, bottomY};
        break;
    case kBottomCentre:
        p = {centreX, bottomY};
        break;
    case kBottomRight:
        p = {width - tw - right, bottomY};
        break;
    case kCentre:
        p = {centreX, height / 2 - fs / 2 + vadj};
        break;
    case kTopCentre:
    default:
        p = {centreX, topY};
        break;
    }
    return ClampPlacement(p, width, tw, height - fs);
}

StampPoint PlaceInPhoto(int position, int64_t width, int64_t height, int64_t tw, int64_t fs,
                        int64_t vadj) {
    const int64_t centreX = (width - tw) / 2;
    const int64_t bottomY = height - fs + vadj;
    StampPoint p;
    switch (position) {
    case kTopLeft:
        p = {0, vadj};
        break;
    case kTopRight:
        p = {width - tw, vadj};
        break;
    case kBottomLeft:
        p = {0, bottomY};
        break;
    case kBottomCentre:
        p = {centreX, bottomY};
        break;
    case kBottomRight:
        p = {width - tw, bottomY};
        break;
    case kCentre:
        p = {centreX, height / 2 - fs / 2 + vadj};
        break;
    case kTopCentre:
    default:
        p = {centreX, vadj};
        break;
    }
    return ClampPlacement(p, width, tw, height - fs);
}

StampPoint PlaceFileNameDate(int align, int64_t width, int64_t height, int64_t left, int64_t right,
                             int64_t top, int64_t tw, double fs, int64_t vadj,
                             bool fractionalFont) {
    const int64_t wholeFs = TruncToInt64(fs);
    StampPoint p;
    switch (align) {
    case kAlignLeft:
        p = {left, vadj};
        break;
    case kAlignCentre:
        p = {(width - tw) / 2, vadj};
        break;
    case kAlignRight:
        p = {width - tw - right, vadj};
        break;
    default:
        p.x = (width - tw) / 2;
        p.y = fractionalFont ? TruncToInt64(2.0 * (static_cast<double>(top) - fs) / 3.0 +
                                            static_cast<double>(vadj))
                             : 2 * (top - wholeFs) / 3 + vadj;
        break;
    }
    const int64_t yMax =
        fractionalFont ? TruncToInt64(static_cast<double>(height) - fs) : height - wholeFs;
    return ClampPlacement(p, width, tw, yMax);
}

} // namespace quorvane
