// Colour profiles as photos embed them: any bytes as a profile either convert a photo into sRGB,
// keeping its size and format, or leave it as it was; the answer to "is it sRGB" is stable.
#include "FuzzSupport.h"

#include "imaging/ColourProfile.h"

#include <QImage>

using namespace quorvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray icc(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    static QImage photo = [] {
        QImage image(17, 5, QImage::Format_ARGB32);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgba(x * 15, y * 60, 255 - x * 15, 128 + y * 30));
        return image;
    }();
    QImage converted = photo;
    const bool changed = ConvertToSrgb(converted, icc);
    QUORVANE_FUZZ_CHECK(converted.size() == photo.size() && converted.format() == photo.format());
    QUORVANE_FUZZ_CHECK(changed || converted == photo);
    for (int y = 0; y < photo.height(); ++y) // alpha is never touched
        for (int x = 0; x < photo.width(); ++x)
            QUORVANE_FUZZ_CHECK(qAlpha(converted.pixel(x, y)) == qAlpha(photo.pixel(x, y)));
    QUORVANE_FUZZ_CHECK(IsSrgbProfile(icc) == IsSrgbProfile(icc));
    return 0;
}
