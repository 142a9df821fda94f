// JPEG photos decoded at a half, a quarter or an eighth of their size: the decoded pixels sit where
// their frame says in the upright photo (any orientation, sizes the reduction does not divide),
// and full-resolution pages made from reduced decodes show the same crop as from full-size ones.
#include "layout/SheetLayout.h"
#include "render/OutputFolder.h"
#include "render/PageRenderer.h"
#include "render/PhotoSource.h"
#include "render/PreparedPhoto.h"

#include "TestPaths.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::TempDir;

namespace {

// A JPEG of the picture with an EXIF orientation (1-8) in a big-endian IFD0.
void WriteJpeg(const QImage& picture, int orientation, const std::filesystem::path& path) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "JPEG", 95));
    QByteArray exif("\xFF\xE1\x00\x22"
                    "Exif\x00\x00"
                    "MM\x00\x2A\x00\x00\x00\x08\x00\x01\x01\x12\x00\x03\x00\x00\x00\x01"
                    "\x00\x06\x00\x00\x00\x00\x00\x00",
                    36);
    exif[29] = static_cast<char>(orientation);
    jpeg.insert(2, exif);
    test::WriteFile(path, jpeg.toStdString());
}

// Grey waves across and down: every shift of a pixel or two changes the values.
QImage Waves(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            const int v = static_cast<int>(128 + 60 * std::sin(x * 6.2832 / 29) +
                                           60 * std::sin(y * 6.2832 / 37));
            img.setPixel(x, y, qRgb(v, v, v));
        }
    return img;
}

// The mean grey of the full-size pixels a decoded pixel covers, and its difference to it.
double MeanBlockError(const DecodedPhoto& reduced, const QImage& full) {
    const int f = reduced.frame.factor;
    double error = 0;
    int samples = 0;
    for (int j = 0; j < reduced.image.height(); j += 3)
        for (int i = 0; i < reduced.image.width(); i += 3) {
            double sum = 0;
            for (int y = 0; y < f; ++y)
                for (int x = 0; x < f; ++x)
                    sum += qGray(full.pixel(reduced.frame.covered.x() + i * f + x,
                                            reduced.frame.covered.y() + j * f + y));
            error += std::abs(sum / (f * f) - qGray(reduced.image.pixel(i, j)));
            ++samples;
        }
    return error / samples;
}

TEST(ReducedDecode, DecodedPixelsSitWhereTheirFrameSays) {
    TempDir dir;
    // 405 x 267 is divided by none of 2, 4 and 8: the last partial block is left out, on the
    // side the orientation turns it to.
    for (const QSize stored : {QSize(405, 267), QSize(400, 264)}) {
        for (int orientation = 1; orientation <= 8; ++orientation) {
            const auto path = dir / "photo.jpg";
            WriteJpeg(Waves(stored), orientation, path);
            const LocalPath file = test::P(path);
            const PhotoHeader header = ReadPhotoHeader(file);
            const bool turned = orientation >= 5;
            ASSERT_EQ(header.upright, turned ? stored.transposed() : stored);
            const QImage full = DecodePhoto(file, header, 1).image;
            ASSERT_EQ(full.size(), header.upright);
            for (const int factor : {2, 4, 8}) {
                const DecodedPhoto reduced = DecodePhoto(file, header, factor);
                const QString what = QStringLiteral("%1x%2 orientation %3 factor %4")
                                         .arg(stored.width())
                                         .arg(stored.height())
                                         .arg(orientation)
                                         .arg(factor);
                ASSERT_EQ(reduced.frame.factor, factor) << what.toStdString();
                ASSERT_EQ(reduced.image.size(), reduced.frame.decodedSize()) << what.toStdString();
                EXPECT_TRUE(QRect(QPoint(0, 0), header.upright).contains(reduced.frame.covered));
                EXPECT_LT(header.upright.width() - reduced.frame.covered.width(), factor);
                // Off by a pixel or more, the waves give errors of 10 and more.
                EXPECT_LT(MeanBlockError(reduced, full), 4.0) << what.toStdString();
            }
        }
    }
}

TEST(ReducedDecode, CropsMapToTheNearestDecodedPixelsAndTheReductionKeepsWhatTheCellNeeds) {
    PhotoHeader header;
    header.stored = header.upright = QSize(6000, 4000);
    header.jpeg = true;
    const DecodeFrame quarter = FrameFor(header, 4);
    EXPECT_EQ(quarter.decodedSize(), QSize(1500, 1000));
    EXPECT_EQ(quarter.toDecoded(QRect(0, 0, 6000, 4000)), QRect(0, 0, 1500, 1000));
    EXPECT_EQ(quarter.toDecoded(QRect(18, 17, 5963, 3964)), QRect(5, 4, 1490, 991));
    EXPECT_EQ(quarter.toDecoded(QRect(-50, 3990, 100, 100)), QRect(0, 998, 13, 2));
    EXPECT_EQ(quarter.toPhoto(QRectF(5, 4, 1490, 991)), QRectF(20, 16, 5960, 3964));
    EXPECT_EQ(FrameFor(header, 1).toDecoded(QRect(18, 17, 5963, 3964)), QRect(18, 17, 5963, 3964));

    const struct {
        QRect crop;
        QSize needed;
        bool jpeg;
        int factor;
    } cases[] = {
        {{0, 0, 6000, 4000}, {1183, 788}, true, 4}, // the bench's cell: 1500 x 1000 is enough
        {{0, 0, 6000, 4000}, {750, 500}, true, 8},    {{0, 0, 6000, 4000}, {751, 500}, true, 4},
        {{0, 0, 6000, 4000}, {3000, 2000}, true, 2},  {{0, 0, 6000, 4000}, {3001, 2000}, true, 1},
        {{1000, 0, 4000, 4000}, {600, 600}, true, 4}, // a trimmed crop counts, not the photo
        {{0, 0, 6000, 4000}, {100, 100}, false, 1},   // PNG, GIF: never reduced
    };
    for (const auto& c : cases) {
        header.jpeg = c.jpeg;
        EXPECT_EQ(ReductionFor(header, c.crop, c.needed), c.factor)
            << c.needed.width() << " " << c.jpeg;
    }
}

// Dark lines 8 pixels wide on grey, at uneven places, across and down.
QImage Lines(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(0xffb0b0b0u);
    for (int x = 23; x + 8 <= size.width(); x += 97)
        for (int y = 0; y < size.height(); ++y)
            for (int i = 0; i < 8; ++i)
                img.setPixel(x + i, y, 0xff101010u);
    for (int y = 31; y + 8 <= size.height(); y += 89)
        for (int x = 0; x < size.width(); ++x)
            for (int i = 0; i < 8; ++i)
                img.setPixel(x, y + i, 0xff101010u);
    return img;
}

// Centres of the dark lines along one direction of the rectangle of the page, from the mean
// darkness of each column (across) or row (down). Lines cut by the rectangle's edges are left
// out.
QVector<double> LineCentres(const QImage& page, const QRect& rect, bool across) {
    const int n = across ? rect.width() : rect.height();
    QVector<double> dark(n);
    for (int k = 0; k < n; ++k) {
        double sum = 0;
        const int m = across ? rect.height() : rect.width();
        for (int t = 0; t < m; ++t)
            sum += 255 - qGray(across ? page.pixel(rect.x() + k, rect.y() + t)
                                      : page.pixel(rect.x() + t, rect.y() + k));
        dark[k] = sum / m;
    }
    QVector<double> centres;
    const double threshold = (*std::max_element(dark.begin(), dark.end()) + 80) / 2;
    for (int k = 0; k < n;) {
        if (dark[k] < threshold) {
            ++k;
            continue;
        }
        double weight = 0, moment = 0;
        const int first = k;
        for (; k < n && dark[k] >= threshold; ++k)
            weight += dark[k], moment += dark[k] * k;
        if (first > 1 && k < n - 1)
            centres << moment / weight;
    }
    return centres;
}

struct PageGrab : SheetRunObserver {
    QImage page;
    void pageFinished(const QImage& p) override { page = p.copy(); }
};

TEST(ReducedDecode, FullResolutionPagesShowTheSameCropAsFromFullSizeDecoding) {
    const struct {
        const char* what;
        QSize stored;
        int orientation;
        bool cut, trim;
        QSize cell;
        int factor; // the reduction the cell allows
    } cases[] = {
        {"plain, an eighth", {1600, 1064}, 1, false, false, {190, 190}, 8},
        {"plain, a half", {1600, 1064}, 1, false, false, {700, 700}, 2},
        {"periphery cut and trim, a quarter", {1600, 1064}, 1, true, true, {250, 250}, 4},
        {"odd size turned, cut and trim", {1605, 1067}, 6, true, true, {180, 180}, 4},
        {"odd size upside down, trim", {1605, 1067}, 3, false, true, {250, 160}, 4},
        {"odd size mirrored and turned, cut", {1605, 1067}, 7, true, false, {120, 200}, 8},
    };
    for (const auto& c : cases) {
        TempDir dir;
        const LocalPath photo = test::P(dir / "p.jpg");
        WriteJpeg(Lines(c.stored), c.orientation, dir / "p.jpg");

        layout::SheetLayout layout = layout::DefaultSheetLayout(true);
        layout.width = c.cell.width() + 40;
        layout.height = c.cell.height() + 40;
        layout.left_margin = layout.right_margin = layout.top_margin = layout.bottom_margin = 20;
        layout.photo_col = layout.photo_row = layout.photo_ct = 1;
        layout.photo_width = c.cell.width();
        layout.photo_height = c.cell.height();
        layout.outerRect = layout.disp_numer = layout.disp_filename = layout.disp_date = false;
        layout.trim2mm = c.cut;
        layout.l_size_trim = c.trim;
        layout.aspect_ratio = 1.0f;
        SheetRunSettings settings;
        settings.photos = {PhotoEntry{
            1, "p.jpg", "", LocalPath::FromText(QString::fromStdString(dir.str()) + "/")}};
        settings.fullResolution = true;

        // The reduction that placement uses, from the plan of the whole-photo path.
        PhotoPlanInput input;
        input.photo = ReadPhotoHeader(photo).upright;
        input.cell = c.cell;
        input.cutPeriphery = c.cut;
        input.trimToRatio = c.trim;
        input.ratio = 1.0f;
        const PhotoPlan plan = PlanPhoto(input);
        ASSERT_EQ(ReductionFor(ReadPhotoHeader(photo), plan.trimmed, plan.scaledSize), c.factor)
            << c.what;

        QImage pages[2];
        for (const bool reduce : {false, true}) {
            PageGrab grab;
            std::atomic<bool> stop = false;
            PageRenderer renderer(layout, settings, grab, stop);
            renderer.setPhotoDecoding({0, reduce});
            OutputFolder output(LocalPath::FromText(QString::fromStdString(dir.str())), {}, false);
            renderer.setOutput(&output, nullptr);
            ASSERT_EQ(renderer.prepare(), 0);
            ASSERT_EQ(renderer.run(0, 0).code, 2) << c.what;
            pages[reduce] = grab.page;
        }
        // The photo's place on the page does not depend on the decoding.
        const QRect placed(20 + (c.cell.width() - plan.fitted.width()) / 2,
                           20 + (c.cell.height() - plan.fitted.height()) / 2, plan.fitted.width(),
                           plan.fitted.height());
        for (const bool across : {true, false}) {
            const QVector<double> full = LineCentres(pages[0], placed, across);
            const QVector<double> reduced = LineCentres(pages[1], placed, across);
            ASSERT_GE(full.size(), 1) << c.what;
            ASSERT_EQ(full.size(), reduced.size()) << c.what << " across " << across;
            for (int i = 0; i < full.size(); ++i)
                EXPECT_NEAR(full[i], reduced[i], 1.0) << c.what << " across " << across;
        }
    }
}

} // namespace
