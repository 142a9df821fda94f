// Photos a shop meets that are broken, disguised or unusual: each is placed as it looks, or the
// run stops with the designed loading message; none is decoded past the memory bound or the
// bound on scans.
#include "render/PageRenderer.h"
#include "render/SheetJob.h"

#include "HostileJpeg.h"
#include "RunRecorder.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QPainter>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

QByteArray Encoded(const QImage& image, const char* format, bool progressive = false) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    EXPECT_TRUE(writer.write(image));
    return bytes;
}

QImage Filled(int w, int h, QRgb colour, QImage::Format format = QImage::Format_RGB32) {
    QImage image(w, h, format);
    image.fill(QColor::fromRgba(colour));
    return image;
}

// A progressive JPEG whose frame header claims 60000 x 60000 pixels, followed by a little data.
QByteArray Bomb() {
    QByteArray bytes = Encoded(Filled(64, 64, 0xff00ff00), "jpeg", true);
    const qsizetype sof = bytes.indexOf(QByteArray("\xFF\xC2", 2));
    EXPECT_GT(sof, 0);
    for (int at : {5, 7}) { // height, then width, big-endian
        bytes[sof + at] = static_cast<char>(60000 >> 8);
        bytes[sof + at + 1] = static_cast<char>(60000 & 0xFF);
    }
    return bytes;
}

// 16 x 16 green in CMYK with an Adobe marker, and a 16 x 16 GIF of two frames, red then blue.
const char kCmykJpeg[] =
    "ffd8ffee000e41646f626500640000000002ffdb0043000201010101010201010102020202020403020202020504"
    "040304060506060605060606070908060709070606080b08090a0a0a0a0a06080b0c0b0a0c090a0a0affdb0043"
    "01020202020202050303050a0706070a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a"
    "0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0affc00014080010001004011100021101031101041100"
    "ffc4001500010100000000000000000000000000000007ffc40014100100000000000000000000000000000000"
    "ffc4001501010100000000000000000000000000000009ffc40014110100000000000000000000000000000000"
    "ffda000e040100021103110400003f0091aa82d60000000fffd9";
const char kAnimatedGif[] =
    "47494638396110001000f00000ff000000000021f904000000000021ff0b4e45545343415045322e3003010000"
    "002c000000001000100000020e848fa9cbed0fa39cb4da8bb33e050021f90400000000002c0000000010001000"
    "800000ff000000020e848fa9cbed0fa39cb4da8bb33e05003b";

using Recorder = test::RunRecorder; // English messages

} // namespace

TEST(HostilePhotos, EachIsPlacedOrRefusedWithTheLoadingMessage) {
    test::TempDir dir;
    layout::SheetLayout layout = layout::DefaultSheetLayout(false);
    layout.width = 140;
    layout.height = 120;
    layout.left_margin = layout.right_margin = layout.top_margin = layout.bottom_margin = 20;
    layout.photo_ct = layout.photo_col = layout.photo_row = 1;
    layout.photo_width = 100;
    layout.photo_height = 80;
    layout.disp_numer = false;
    layout.outerRect = false;

    const QByteArray jpeg = Encoded(Filled(400, 320, 0xff2040c0), "jpeg");
    const QImage deep = Filled(200, 160, 0xffc08020, QImage::Format_RGBA64);
    const struct {
        const char* name;
        QByteArray bytes;
        bool placed;
        QRgb colour; // near the top of the cell, when placed
    } cases[] = {
        {"empty.jpg", QByteArray(), false, 0},
        {"text.jpg", QByteArray("not a photo\n"), false, 0},
        {"dot.jpg", Encoded(Filled(1, 1, 0xffff0000), "jpeg"), false, 0},
        {"bomb.jpg", Bomb(), false, 0},
        {"scans.jpg", QByteArray::fromStdString(test::ProgressiveJpeg(64, 64, 2000)), false, 0},
        {"half.jpg", jpeg.left(jpeg.size() / 2), true, 0xff2040c0},
        {"png.JPG", Encoded(Filled(200, 160, 0xff808000), "png"), true, 0xff808000},
        {"progressive.jpg", Encoded(Filled(400, 320, 0xff2040c0), "jpeg", true), true, 0xff2040c0},
        {"cmyk.jpg", QByteArray::fromHex(kCmykJpeg), true, 0xff008000},
        {"deep.png", Encoded(deep, "png"), true, 0xffc08020},
        {"animated.gif", QByteArray::fromHex(kAnimatedGif), true, 0xffff0000},
    };
    for (const auto& c : cases) {
        const QString folder = QString::fromStdString((dir / c.name).string());
        QDir().mkpath(folder);
        test::WriteFile((folder + "/" + c.name).toStdString(), c.bytes.toStdString());
        SheetRunSettings settings;
        settings.photoFolder = LocalPath::FromText(folder);
        settings.saveFolder =
            LocalPath::FromText(QString::fromStdString((dir / "save").string()) + "/" + c.name);
        settings.japanese = false;
        settings.continuous = true;
        settings.fullResolution = true;
        settings.photos = {PhotoEntry{1, c.name, "", LocalPath::FromText(folder + "/")}};
        SheetJob job;
        Recorder rec;
        const int code = job.press(&layout, settings, rec);
        if (!c.placed) {
            EXPECT_EQ(code, kRenderMemoryOrImage) << c.name;
            EXPECT_EQ(rec.messages, QStringList{"Image reading error. \nPlease check whether the "
                                                "image exists or is not too big.\n" +
                                                folder + "/" + c.name})
                << c.name;
            continue;
        }
        EXPECT_EQ(code, 2) << c.name;
        ASSERT_EQ(rec.pages.size(), 1) << c.name;
        // Near the top of the cell: a truncated photo keeps its first rows.
        const QRgb middle = rec.pages[0].pixel(70, 24);
        EXPECT_NEAR(qRed(middle), qRed(c.colour), 12) << c.name;
        EXPECT_NEAR(qGreen(middle), qGreen(c.colour), 12) << c.name;
        EXPECT_NEAR(qBlue(middle), qBlue(c.colour), 12) << c.name;
    }
}
