// Not a check: makes the adjustment dialog's screenshots for tests/screenshots.sh with a real
// camera photo: as it opens, with the frame zoomed, shifted and the photo turned, and with a
// colour correction. Skipped unless QUORVANE_SCREENSHOT_DIR is set.
#include "language/Language.h"
#include "ui/AdjustmentDialog.h"

#include "WindowHarness.h"

#include <QAbstractButton>
#include <QDial>
#include <QSlider>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quorvane;

TEST(Screenshot, AdjustmentDialogZoomedAndCorrected) {
    const QString opened = test::ScreenshotPath("adjust-photo");
    if (opened.isEmpty())
        GTEST_SKIP() << "makes screenshots only when QUORVANE_SCREENSHOT_DIR is set";
    QUORVANE_REQUIRE_TEST_PHOTOS();
    const QString photo =
        test::Q(test::TestPhotosDir() / "cameras" / "Reconyx_HC500_Hyperfire.jpg");

    // The shipped one-photo L size layout, trimmed to its ratio so the frame shows the cut.
    layout::SheetLayout layout = layout::DefaultSheetLayout(true);
    layout.photo_ct = 1;
    layout.photo_width = 1429;
    layout.photo_height = 980;
    layout.aspect_ratio = 1.45783f;
    layout.l_size_trim = true;

    AdjustmentDialog dialog(IsJapanese(SystemLanguage()));
    dialog.showMessage = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
    dialog.move(0, 0);
    const auto set = [&dialog](const char* name, int value) {
        dialog.findChild<QAbstractSlider*>(QString::fromLatin1(name))->setValue(value);
    };
    QTimer::singleShot(0, &dialog, [&] {
        test::LetEventsRun(600);
        EXPECT_TRUE(test::CaptureScreen(opened));
        set("TrackBar1", 140);
        set("TrackBar2", 8);
        set("TrackBar3", -6);
        set("ArcDial1", 40);
        test::LetEventsRun(400);
        EXPECT_TRUE(test::CaptureScreen(test::ScreenshotPath("adjust-zoom")));
        set("TrackBar4", 18);
        set("TrackBar5", 6);
        set("TrackBar6", -20);
        test::LetEventsRun(400);
        EXPECT_TRUE(test::CaptureScreen(test::ScreenshotPath("adjust-colour")));
        dialog.findChild<QAbstractButton*>(QStringLiteral("Button3"))->click();
    });
    const PhotoAdjustment result = dialog.AdjustPhoto(LocalPath::FromText(photo), layout);
    EXPECT_TRUE(result.accepted);
}
