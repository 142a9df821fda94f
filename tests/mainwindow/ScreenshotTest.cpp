// Not a check: makes the screenshots of screenshots.sh. Skipped unless QUORVANE_SCREENSHOT names
// the PNG file to write; the window lists QUORVANE_SCREENSHOT_PHOTOS (default: the example
// photos) and the whole X screen is captured with ImageMagick's "import".
#include "app/AppContext.h"
#include "ui/MainWindow.h"

#include "TestSupport.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

void LetEventsRun(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

TEST(Screenshot, MainWindowWithAFolderListed) {
    const QString output = qEnvironmentVariable("QUORVANE_SCREENSHOT");
    if (output.isEmpty())
        GTEST_SKIP() << "makes screenshots only when QUORVANE_SCREENSHOT is set (screenshots.sh)";
    QString photos = qEnvironmentVariable("QUORVANE_SCREENSHOT_PHOTOS");
    if (photos.isEmpty())
        photos = QString::fromStdString((test::SourceDir() / "examples/photos").string());
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
    LetEventsRun(800); // let the window manager-less X server map and paint the window
    EXPECT_EQ(QProcess::execute(QStringLiteral("import"),
                                {QStringLiteral("-window"), QStringLiteral("root"), output}),
              0);
    EXPECT_TRUE(QFile::exists(output));
}

} // namespace
