// Not a check: makes the main window's screenshot for tests/screenshots.sh. Skipped unless
// QUORVANE_SCREENSHOT_DIR is set; the window lists QUORVANE_SCREENSHOT_PHOTOS (default: the
// example photos).
#include "app/AppContext.h"
#include "ui/MainWindow.h"

#include "WindowHarness.h"

#include <QCheckBox>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

TEST(Screenshot, MainWindowWithAFolderListed) {
    const QString output = test::ScreenshotPath("main");
    if (output.isEmpty())
        GTEST_SKIP() << "makes screenshots only when QUORVANE_SCREENSHOT_DIR is set";
    const QString photos = test::ScreenshotPhotos();
    test::TempDir save;

    MainWindow window(StartUp({QStringLiteral("quorvane")}));
    QStringList choices{photos, QString::fromStdString(save.str())};
    window.chooseFolder = [&choices](const QString&, const QString&) {
        return choices.isEmpty() ? QString() : choices.takeFirst();
    };
    window.showMessage = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
    window.move(0, 0);
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("CornerButton1"))->click();
    window.findChild<QPushButton*>(QStringLiteral("CornerButton3"))->click();
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox2"))->setChecked(true);
    window.findChild<QPushButton*>(QStringLiteral("SpeedButton2"))->click();
    EXPECT_FALSE(window.photoList().isEmpty());
    test::LetEventsRun(800); // let the window manager-less X server map and paint the window
    EXPECT_TRUE(test::CaptureScreen(output));
}

} // namespace
