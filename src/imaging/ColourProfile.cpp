#include "imaging/ColourProfile.h"

#include <lcms2.h>

#include <QHash>
#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>

namespace quorvane {

namespace {

// Profiles larger than this are not applied (camera and editor profiles are a few kilobytes;
// table profiles up to about a megabyte).
constexpr qsizetype kMaxProfileBytes = 16 << 20;

using Profile = std::unique_ptr<void, decltype(&cmsCloseProfile)>;
using Transform = std::unique_ptr<void, decltype(&cmsDeleteTransform)>;

Profile OpenProfile(const QByteArray& icc) {
    cmsHPROFILE profile = nullptr;
    if (!icc.isEmpty() && icc.size() <= kMaxProfileBytes)
        profile = cmsOpenProfileFromMem(icc.constData(), static_cast<cmsUInt32Number>(icc.size()));
    return Profile(profile, &cmsCloseProfile);
}

// A transform of the photo's 32-bit pixels (bytes B, G, R, A) into sRGB, alpha copied; a grey
// profile reads the first byte of each pixel (the three are equal in a grey photo).
Transform ToSrgbTransform(cmsHPROFILE from) {
    // Made for each transform: Little CMS profiles are not to be shared between threads.
    const Profile srgb(cmsCreate_sRGBProfile(), &cmsCloseProfile);
    if (!srgb)
        return Transform(nullptr, &cmsDeleteTransform);
    cmsUInt32Number input = 0;
    switch (cmsGetColorSpace(from)) {
    case cmsSigRgbData:
        input = TYPE_BGRA_8;
        break;
    case cmsSigGrayData:
        input = COLORSPACE_SH(PT_GRAY) | CHANNELS_SH(1) | BYTES_SH(1) | EXTRA_SH(3);
        break;
    default:
        return Transform(nullptr, &cmsDeleteTransform);
    }
    const cmsUInt32Number flags =
        cmsGetColorSpace(from) == cmsSigRgbData ? cmsFLAGS_COPY_ALPHA : cmsUInt32Number{0};
    return Transform(cmsCreateTransform(from, input, srgb.get(), TYPE_BGRA_8,
                                        INTENT_RELATIVE_COLORIMETRIC, flags),
                     &cmsDeleteTransform);
}

// Whether every colour of a grid of 8-bit levels comes out of the transform within one level.
bool KeepsLevels(cmsHTRANSFORM transform) {
    constexpr int kSteps = 16;
    QVector<uint32_t> in, out(qsizetype{kSteps} * kSteps * kSteps);
    in.reserve(out.size());
    for (int r = 0; r < kSteps; ++r)
        for (int g = 0; g < kSteps; ++g)
            for (int b = 0; b < kSteps; ++b)
                in.append(0xFF000000u | uint32_t(r * 17) << 16 | uint32_t(g * 17) << 8 |
                          uint32_t(b * 17));
    cmsDoTransform(transform, in.constData(), out.data(), static_cast<cmsUInt32Number>(in.size()));
    for (qsizetype i = 0; i < in.size(); ++i)
        for (int shift : {0, 8, 16})
            if (std::abs(int(in[i] >> shift & 0xFF) - int(out[i] >> shift & 0xFF)) > 1)
                return false;
    return true;
}

// The profile as Qt applies it: only matrix-and-curve RGB profiles are handed to Qt (it would
// print a warning for every other kind).
QColorSpace QtSpace(const QByteArray& icc, cmsHPROFILE profile) {
    if (cmsGetColorSpace(profile) != cmsSigRgbData || !cmsIsMatrixShaper(profile))
        return {};
    return QColorSpace::fromIccProfile(icc);
}

bool CheckSrgb(const QByteArray& icc) {
    const Profile profile = OpenProfile(icc);
    if (!profile || cmsGetColorSpace(profile.get()) != cmsSigRgbData)
        return false;
    const QColorSpace space = QtSpace(icc, profile.get());
    if (space.isValid() && space == QColorSpace(QColorSpace::SRgb))
        return true;
    const Transform transform = ToSrgbTransform(profile.get());
    return transform && KeepsLevels(transform.get());
}

void Apply(cmsHTRANSFORM transform, QImage& image) {
    for (int y = 0; y < image.height(); ++y)
        cmsDoTransform(transform, image.constScanLine(y), image.scanLine(y),
                       static_cast<cmsUInt32Number>(image.width()));
}

} // namespace

bool IsSrgbProfile(const QByteArray& icc) {
    // A run meets the same few profiles again and again: their answers are kept.
    static std::mutex mutex;
    static QHash<QByteArray, bool> known;
    {
        std::lock_guard lock(mutex);
        const auto it = known.constFind(icc);
        if (it != known.constEnd())
            return *it;
    }
    const bool srgb = CheckSrgb(icc);
    std::lock_guard lock(mutex);
    if (known.size() < 64)
        known.insert(icc, srgb);
    return srgb;
}

bool ConvertToSrgb(QImage& image, const QByteArray& icc, const QColorSpace& numbers) {
    if (image.isNull() ||
        (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32))
        return false;
    if (icc.isEmpty()) {
        if (!numbers.isValid() || numbers == QColorSpace(QColorSpace::SRgb))
            return false;
        image.setColorSpace(numbers);
        image.convertToColorSpace(QColorSpace::SRgb);
        image.setColorSpace(QColorSpace());
        return true;
    }
    if (IsSrgbProfile(icc))
        return false;
    const Profile profile = OpenProfile(icc);
    if (!profile)
        return false;
    const QColorSpace space = QtSpace(icc, profile.get());
    if (space.isValid()) {
        image.setColorSpace(space);
        image.convertToColorSpace(QColorSpace::SRgb);
        image.setColorSpace(QColorSpace());
        return true;
    }
    const Transform transform = ToSrgbTransform(profile.get());
    if (!transform)
        return false;
    Apply(transform.get(), image);
    return true;
}

bool IsCmykProfile(const QByteArray& icc) {
    const Profile profile = OpenProfile(icc);
    return profile && cmsGetColorSpace(profile.get()) == cmsSigCmykData;
}

CmykToSrgb::CmykToSrgb(const QByteArray& icc, bool inverted) {
    const Profile profile = OpenProfile(icc);
    const Profile srgb(cmsCreate_sRGBProfile(), &cmsCloseProfile);
    if (!profile || !srgb || cmsGetColorSpace(profile.get()) != cmsSigCmykData)
        return;
    cmsHTRANSFORM transform =
        cmsCreateTransform(profile.get(), inverted ? TYPE_CMYK_8_REV : TYPE_CMYK_8, srgb.get(),
                           TYPE_BGRA_8, INTENT_RELATIVE_COLORIMETRIC, 0);
    if (transform)
        transform_.reset(transform, &cmsDeleteTransform);
}

void CmykToSrgb::convert(const uchar* cmyk, QRgb* out, int count) const {
    // The transform leaves the fourth byte alone: opaque beforehand.
    std::fill(out, out + count, 0xFF000000u);
    cmsDoTransform(transform_.get(), cmyk, out, static_cast<cmsUInt32Number>(count));
}

const QByteArray& SrgbProfile() {
    static const QByteArray profile = QColorSpace(QColorSpace::SRgb).iccProfile();
    return profile;
}

} // namespace quorvane
