// Photos whose embedded profile is not sRGB are converted into sRGB when they are read: the same
// picture saved as sRGB, Display P3, Adobe RGB and Adobe RGB through a table profile (which Qt
// cannot apply) gives nearly the same pixels, kind by kind; an sRGB-tagged photo gives exactly
// the pixels of its untagged twin; and the conversion is what makes the difference.
#include "render/PhotoSource.h"
#include "render/PreparedPhoto.h"

#include "PhotoKindFiles.h"
#include "TestPaths.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QColorSpace>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <lcms2.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

// Saturated patches and smooth ramps, all inside sRGB.
QImage Picture() {
    QImage picture(240, 160, QImage::Format_RGB32);
    for (int y = 0; y < 160; ++y)
        for (int x = 0; x < 240; ++x)
            picture.setPixel(x, y, qRgb(x * 255 / 239, y * 255 / 159, 255 - x * 255 / 239));
    QPainter p(&picture);
    const QColor patches[] = {QColor(200, 30, 40),  QColor(40, 170, 60),   QColor(30, 60, 190),
                              QColor(230, 200, 40), QColor(120, 120, 120), QColor(250, 250, 250)};
    for (int i = 0; i < 6; ++i)
        p.fillRect(10 + i * 38, 60, 30, 40, patches[i]);
    return picture;
}

// A version 4 profile of a device's colours to Lab through `grid` (taken over) between
// identity curves: no matrix, so only a table-reading colour engine can apply it.
QByteArray LabTableProfile(cmsStage* grid, int channels, cmsProfileClassSignature deviceClass,
                           cmsColorSpaceSignature space) {
    const auto inputs = static_cast<cmsUInt32Number>(channels);
    cmsPipeline* pipeline = cmsPipelineAlloc(nullptr, inputs, 3);
    cmsPipelineInsertStage(pipeline, cmsAT_BEGIN,
                           cmsStageAllocToneCurves(nullptr, inputs, nullptr));
    cmsPipelineInsertStage(pipeline, cmsAT_END, grid);
    cmsPipelineInsertStage(pipeline, cmsAT_END, cmsStageAllocToneCurves(nullptr, 3, nullptr));
    cmsHPROFILE profile = cmsCreateProfilePlaceholder(nullptr);
    cmsSetProfileVersion(profile, 4.3);
    cmsSetDeviceClass(profile, deviceClass);
    cmsSetColorSpace(profile, space);
    cmsSetPCS(profile, cmsSigLabData);
    cmsWriteTag(profile, cmsSigAToB0Tag, pipeline);
    cmsWriteTag(profile, cmsSigMediaWhitePointTag, cmsD50_XYZ());
    cmsUInt32Number size = 0;
    cmsSaveProfileToMem(profile, nullptr, &size);
    QByteArray bytes(static_cast<qsizetype>(size), '\0');
    cmsSaveProfileToMem(profile, bytes.data(), &size);
    cmsPipelineFree(pipeline);
    cmsCloseProfile(profile);
    return bytes;
}

// Adobe RGB (1998) as a table profile: a 17-point grid from RGB to Lab between identity curves,
// no matrix; small enough for one APP2 segment.
QByteArray AdobeTableProfile() {
    const cmsCIExyY white{0.3127, 0.3290, 1.0};
    const cmsCIExyYTRIPLE primaries{{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}};
    cmsToneCurve* gamma = cmsBuildGamma(nullptr, 563.0 / 256.0);
    cmsToneCurve* curves[3] = {gamma, gamma, gamma};
    cmsHPROFILE adobe = cmsCreateRGBProfile(&white, &primaries, curves);
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab =
        cmsCreateTransform(adobe, TYPE_RGB_16, lab, TYPE_Lab_16, INTENT_RELATIVE_COLORIMETRIC, 0);
    cmsStage* grid = cmsStageAllocCLut16bit(nullptr, 17, 3, 3, nullptr);
    cmsStageSampleCLut16bit(
        grid,
        [](const cmsUInt16Number in[], cmsUInt16Number out[], void* transform) {
            cmsDoTransform(static_cast<cmsHTRANSFORM>(transform), in, out, 1);
            return 1;
        },
        toLab, 0);
    const QByteArray bytes = LabTableProfile(grid, 3, cmsSigDisplayClass, cmsSigRgbData);
    cmsDeleteTransform(toLab);
    cmsCloseProfile(lab);
    cmsCloseProfile(adobe);
    cmsFreeToneCurve(gamma);
    return bytes;
}

struct Space {
    const char* name;
    QByteArray icc; // embedded; empty: untagged
    QImage pixels;  // the picture in that space
};

std::vector<Space> Spaces(const QImage& picture) {
    const QImage srgb = picture;
    QImage p3 = picture, adobe = picture;
    p3.setColorSpace(QColorSpace::SRgb);
    adobe.setColorSpace(QColorSpace::SRgb);
    p3.convertToColorSpace(QColorSpace::DisplayP3);
    adobe.convertToColorSpace(QColorSpace::AdobeRgb);
    auto bare = [](QImage image) {
        image.setColorSpace(QColorSpace());
        return image;
    };
    return {
        {"untagged", {}, srgb},
        {"sRGB", QColorSpace(QColorSpace::SRgb).iccProfile(), srgb},
        {"Display P3", QColorSpace(QColorSpace::DisplayP3).iccProfile(), bare(p3)},
        {"Adobe RGB", QColorSpace(QColorSpace::AdobeRgb).iccProfile(), bare(adobe)},
        {"Adobe RGB as a table", AdobeTableProfile(), bare(adobe)},
    };
}

// APP2 "ICC_PROFILE" after the JFIF APP0 of a JPEG, as cameras and editors write it.
QByteArray WithJpegProfile(QByteArray jpeg, const QByteArray& icc) {
    if (icc.isEmpty())
        return jpeg;
    EXPECT_LE(icc.size(), 65519); // one segment
    QByteArray app2 = QByteArray("ICC_PROFILE\0\x01\x01", 14) + icc;
    const int length = static_cast<int>(app2.size()) + 2;
    app2.prepend(QByteArray("\xFF\xE2") + char(length >> 8) + char(length & 0xFF));
    const int app0End = 4 + ((uchar(jpeg[4]) << 8) | uchar(jpeg[5]));
    jpeg.insert(app0End, app2);
    return jpeg;
}

QByteArray Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

struct Kind {
    const char* extension;
    std::function<QByteArray(const QImage&, const QByteArray& icc)> make;
};

std::vector<Kind> Kinds() {
    using namespace quorvane::test;
    auto options = [](const QByteArray& icc) {
        KindOptions o;
        o.icc = icc;
        o.quality = 95;
        return o;
    };
    return {
        {"jpg", [](const QImage& p,
                   const QByteArray& icc) { return WithJpegProfile(Encoded(p, "JPEG"), icc); }},
        {"png",
         [](const QImage& p, const QByteArray& icc) {
             QImage tagged = p;
             tagged.setColorSpace(QColorSpace::fromIccProfile(icc));
             return icc.isEmpty() || tagged.colorSpace().isValid() ? Encoded(tagged, "PNG")
                                                                   : QByteArray();
         }},
        {"heic", [=](const QImage& p, const QByteArray& icc) { return HeifFile(p, options(icc)); }},
        {"webp", [=](const QImage& p, const QByteArray& icc) { return WebpFile(p, options(icc)); }},
        {"tif",
         [=](const QImage& p, const QByteArray& icc) { return TiffFile(p, {}, 0, options(icc)); }},
    };
}

double Rmse(const QImage& a, const QImage& b) {
    EXPECT_EQ(a.size(), b.size());
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)})
                sum += (d / 255.0) * (d / 255.0);
        }
    return std::sqrt(sum / (3.0 * a.width() * a.height()));
}

// The photo area of a page: the photo prepared for a 300 x 200 cell as a run places it.
QImage PhotoArea(const std::filesystem::path& path) {
    PhotoPlanInput cell;
    cell.cell = QSize(300, 200);
    const PreparedPhoto prepared = PreparePhoto(test::P(path), cell, false);
    EXPECT_EQ(prepared.failure, PreparedPhoto::None) << path;
    return prepared.fitted.convertToFormat(QImage::Format_RGB32);
}

TEST(ColourManagement, EachKindGivesTheSameColoursFromEveryProfile) {
    TempDir dir;
    const QImage picture = Picture();
    for (const Kind& kind : Kinds()) {
        std::map<std::string, QImage> areas;
        for (const Space& space : Spaces(picture)) {
            const QByteArray bytes = kind.make(space.pixels, space.icc);
            if (bytes.isEmpty()) // Qt writes no PNG with a table profile
                continue;
            const auto path = dir / (std::string(space.name) + "." + kind.extension);
            test::WriteFile(path, bytes.toStdString());
            areas[space.name] = PhotoArea(path);
            // The adjustment window and background images read the same colours.
            const QImage loaded = LoadPhoto(test::P(path));
            const QImage decoded =
                DecodePhoto(test::P(path), ReadPhotoHeader(test::P(path)), 1).image;
            EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), decoded) << path;
        }
        const QImage& untagged = areas.at("untagged");
        // sRGB-tagged photos keep exactly the pixels of their untagged twins.
        EXPECT_EQ(areas.at("sRGB"), untagged) << kind.extension;
        for (const auto& [name, area] : areas)
            EXPECT_LT(Rmse(area, untagged), 0.011) << kind.extension << " " << name;
    }
}

TEST(ColourManagement, UnmanagedTheProfilesWouldDifferAsMuchAsTheyDo) {
    // The same JPEGs without their profiles: what pages showed before they were converted.
    TempDir dir;
    const QImage picture = Picture();
    const std::vector<Space> spaces = Spaces(picture);
    test::WriteFile(dir / "srgb.jpg", Encoded(spaces[0].pixels, "JPEG").toStdString());
    const QImage srgb = PhotoArea(dir / "srgb.jpg");
    for (const Space& space : spaces) {
        if (std::string(space.name) != "Display P3" && std::string(space.name) != "Adobe RGB")
            continue;
        test::WriteFile(dir / "bare.jpg", Encoded(space.pixels, "JPEG").toStdString());
        test::WriteFile(dir / "tagged.jpg",
                        WithJpegProfile(Encoded(space.pixels, "JPEG"), space.icc).toStdString());
        EXPECT_GT(Rmse(PhotoArea(dir / "bare.jpg"), srgb), 0.02) << space.name;
        EXPECT_LT(Rmse(PhotoArea(dir / "tagged.jpg"), srgb), 0.011) << space.name;
    }
}

} // namespace

namespace {

// A CMYK profile whose inks are not the naive ones Qt assumes: a channel's light is
// ((1 - ink) x (1 - black)) ^ 0.7, as a 9-point grid from CMYK to Lab.
constexpr double kInkGamma = 0.7;

QByteArray CmykProfile() {
    cmsHPROFILE srgb = cmsCreate_sRGBProfile();
    cmsHPROFILE lab = cmsCreateLab4Profile(nullptr);
    cmsHTRANSFORM toLab =
        cmsCreateTransform(srgb, TYPE_RGB_DBL, lab, TYPE_Lab_16, INTENT_RELATIVE_COLORIMETRIC, 0);
    cmsStage* grid = cmsStageAllocCLut16bit(nullptr, 9, 4, 3, nullptr);
    cmsStageSampleCLut16bit(
        grid,
        [](const cmsUInt16Number in[], cmsUInt16Number out[], void* transform) {
            const double k = in[3] / 65535.0;
            double rgb[3];
            for (int i = 0; i < 3; ++i)
                rgb[i] = std::pow((1 - in[i] / 65535.0) * (1 - k), kInkGamma);
            cmsDoTransform(static_cast<cmsHTRANSFORM>(transform), rgb, out, 1);
            return 1;
        },
        toLab, 0);
    const QByteArray bytes = LabTableProfile(grid, 4, cmsSigOutputClass, cmsSigCmykData);
    cmsDeleteTransform(toLab);
    cmsCloseProfile(lab);
    cmsCloseProfile(srgb);
    return bytes;
}

// The picture's inks under that model, stored inverted with Adobe's marker as Photoshop writes
// them, the profile in APP2, quality 95.
QByteArray CmykJpeg(const QImage& picture, const QByteArray& icc) {
    std::vector<JSAMPLE> inks(static_cast<size_t>(picture.width()) * picture.height() * 4);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb p = picture.pixel(x, y);
            double v[3] = {qRed(p) / 255.0, qGreen(p) / 255.0, qBlue(p) / 255.0};
            for (double& c : v)
                c = std::pow(c, 1 / kInkGamma);
            const double k = 1 - std::max({v[0], v[1], v[2]});
            JSAMPLE* out = &inks[(static_cast<size_t>(y) * picture.width() + x) * 4];
            for (int i = 0; i < 3; ++i)
                out[i] = static_cast<JSAMPLE>(
                    std::lround(255 * (k < 1 ? v[i] / (1 - k) : 0))); // 255 - ink
            out[3] = static_cast<JSAMPLE>(std::lround(255 * (1 - k)));
        }
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &memory, &size);
    info.image_width = static_cast<JDIMENSION>(picture.width());
    info.image_height = static_cast<JDIMENSION>(picture.height());
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    jpeg_write_icc_profile(&info, reinterpret_cast<const JOCTET*>(icc.constData()),
                           static_cast<unsigned int>(icc.size()));
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = &inks[static_cast<size_t>(info.next_scanline) * picture.width() * 4];
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    QByteArray bytes(reinterpret_cast<const char*>(memory), static_cast<qsizetype>(size));
    std::free(memory);
    return bytes;
}

// A CMYK JPEG with a CMYK profile reads as the picture it was made from, at full size, reduced
// and in the adjustment window; without its profile (as Qt alone reads the inks) it would not.
TEST(ColourManagement, CmykJpegsAreReadThroughTheirProfiles) {
    TempDir dir;
    const QImage picture = Picture();
    test::WriteFile(dir / "cmyk.jpg", CmykJpeg(picture, CmykProfile()).toStdString());
    const LocalPath path = test::P(dir / "cmyk.jpg");
    const PhotoHeader header = ReadPhotoHeader(path);
    ASSERT_EQ(header.upright, picture.size());
    const QImage full = DecodePhoto(path, header, 1).image;
    ASSERT_FALSE(full.isNull());
    EXPECT_LT(Rmse(full, picture), 0.03);
    EXPECT_EQ(LoadPhoto(path).convertToFormat(QImage::Format_RGB32), full);
    const DecodedPhoto half = DecodePhoto(path, header, 2);
    EXPECT_EQ(half.image.size(), QSize(120, 80));
    EXPECT_LT(
        Rmse(half.image, picture.scaled(120, 80, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)),
        0.04);
    // The same inks read without the profile.
    QImage naive;
    ASSERT_TRUE(naive.load(path.text(), "JPEG"));
    EXPECT_GT(Rmse(naive.convertToFormat(QImage::Format_RGB32), picture), 0.06);
}

} // namespace
