// A run works on a worker thread: the window goes on taking events while a photo is decoded, and
// a page is handed to the viewer scaled down to it.
#include "SheetHarness.h"

#include "HostileJpeg.h"
#include "language/Language.h"
#include "text/Numbers.h"
#include "ui/PageViewer.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QTimer>
#include <gtest/gtest.h>
#include <iostream>

using namespace quorvane;
using quorvane::test::Q;
using quorvane::test::SheetHarness;

// A photo that takes seconds to decode: the window's timer keeps ticking meanwhile, and "中止"
// pressed from it ends the decode and the run.
TEST(SheetWindowWorker, TheWindowTakesEventsWhileAPhotoIsDecoded) {
    SheetHarness h(kLanguageEnglishSwitch);
    h.writeLayout(1, "four", "");
    test::WriteFile(h.dir / "photos/p00.jpg", test::ProgressiveJpeg(6000, 6000, 400));
    h.listPhotos(2);
    h.click("SpeedButton4");
    h.control<QComboBox>("ComboBox1")->setCurrentIndex(0);

    // Twenty ticks take a few tenths of a second; between photos there are only three chances.
    int ticks = 0;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (++ticks == 20)
            h.pressLater("Button2");
    });
    timer.start();
    QElapsedTimer clock;
    clock.start();
    h.press("Button1");
    timer.stop();
    EXPECT_GE(ticks, 20);
    EXPECT_TRUE(h.sheetMessages.isEmpty()) << h.sheetMessages.join('|').toStdString();
    EXPECT_TRUE(QDir(Q(h.dir / "save")).entryList({"*.jpg"}, QDir::Files).isEmpty());
    EXPECT_EQ(h.sheetText("Label5"), "Stopped (0 pages written)");
    std::cout << "stopped after " << clock.elapsed() << " ms\n";
}

// A page larger than the viewer reaches it scaled down; the zoom factor counts the page's pixels.
TEST(SheetWindowWorker, ALargePageIsShownScaledToTheViewer) {
    SheetHarness h(kLanguageJapanese);
    test::WriteFile(std::filesystem::path(h.settingsFolder().toStdString()) / "CustomSize0001.ini",
                    "[PAPER]\nname=large\nwidth=3000\nheight=2200\nleft_margin=100\n"
                    "right_margin=100\ntop_margin=100\nbottom_margin=100\n[PHOTO]\nphoto_ct=4\n"
                    "photo_row=2\nphoto_col=2\nphoto_width=1000\nphoto_height=800\n[OPTIONS]\n"
                    "disp_numer=0\n[INPUT]\nCHECKBOX7=1\n");
    h.listPhotos(4);
    h.click("SpeedButton4");
    h.control<QComboBox>("ComboBox1")->setCurrentIndex(0);
    h.press("Button1");
    ASSERT_EQ(h.sheetMessages, QStringList{"シートを作成しました。"});
    auto* viewer = h.sheet->findChild<PageViewer*>("ImageViewer1");
    const QSize shown = viewer->image().size();
    EXPECT_TRUE(shown.width() <= viewer->width() && shown.height() <= viewer->height())
        << shown.width() << " x " << shown.height();
    EXPECT_EQ(shown, QSize(3000, 2200).scaled(viewer->size(), Qt::KeepAspectRatio));
    const float fit = std::min(static_cast<float>(viewer->width()) / 3000.0f,
                               static_cast<float>(viewer->height()) / 2200.0f);
    EXPECT_EQ(viewer->zoom(), fit);
    EXPECT_EQ(h.sheetText("Label5"), "拡大率: " + QString::fromStdString(text::ShortestText(fit)));
    // The photo's colour reaches the viewer at the place of the first cell's centre.
    const QRgb centre =
        viewer->image().pixel(static_cast<int>(600 * fit), static_cast<int>(500 * fit));
    EXPECT_NEAR(qRed(centre), 20, 8);
    EXPECT_NEAR(qBlue(centre), 200, 8);
}
