// Not a check: makes the sheet creation window's screenshots for tests/screenshots.sh, during a
// continuous run, with the closing message, and after the run; and with its print options: the
// print dialog, and the window after a printed run. Skipped unless QUORVANE_SCREENSHOT_DIR is
// set; the main window lists QUORVANE_SCREENSHOT_PHOTOS.
#include "app/AppContext.h"
#include "catalogue/Wording.h"
#include "language/QtTranslations.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"
#include "ui/SheetWindow.h"

#include "WindowHarness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quorvane;

namespace {

template <typename T> T* Find(QWidget& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

TEST(Screenshot, SheetWindowDuringAndAfterARun) {
    const QString during = test::ScreenshotPath("sheet-during");
    if (during.isEmpty())
        GTEST_SKIP() << "makes screenshots only when QUORVANE_SCREENSHOT_DIR is set";
    const QString photos = test::ScreenshotPhotos();
    test::TempDir save;

    const AppContext context = StartUp({QStringLiteral("quorvane")});
    MainWindow main(context);
    SheetWindow sheet(main);
    MessageDialog dialog(ApplicationTitle(context.japanese()), &main);
    sheet.useMessageDialog(dialog);
    sheet.openInFileManager = [](const LocalPath&) { return true; }; // no file manager here
    QStringList choices{photos, QString::fromStdString(save.str())};
    main.chooseFolder = [&choices](const QString&, const QString&) {
        return choices.isEmpty() ? QString() : choices.takeFirst();
    };
    main.move(0, 0);
    main.show();
    Find<QPushButton>(main, "CornerButton1")->click();
    Find<QPushButton>(main, "CornerButton3")->click();
    Find<QPushButton>(main, "SpeedButton2")->click();
    ASSERT_FALSE(main.photoList().isEmpty());
    Find<QPushButton>(main, "SpeedButton4")->click();
    ASSERT_TRUE(sheet.isVisible());
    sheet.move(120, 20);

    // The shipped A3 layout of twelve photos with its title, all pages in one run.
    auto* layouts = Find<QComboBox>(sheet, "ComboBox1");
    ASSERT_GT(layouts->count(), 1);
    layouts->setCurrentIndex(1);
    Find<QCheckBox>(sheet, "CheckBox1")->setChecked(true);
    test::LetEventsRun(500);

    // During the run: on the second page when there is one, else on the first, once two of its
    // photos are placed.
    const bool twoPages = main.photoList().size() > 12;
    int pagesSeen = 0;
    bool taken = false;
    auto* progress = Find<QProgressBar>(sheet, "ProgressBar1");
    QObject::connect(progress, &QProgressBar::valueChanged, &sheet, [&](int value) {
        if (value == progress->maximum())
            ++pagesSeen;
        if (pagesSeen == (twoPages ? 1 : 0) && value == 2 && !taken) {
            taken = true;
            test::LetEventsRun(400);
            EXPECT_TRUE(test::CaptureScreen(during));
        }
    });
    // The closing message, captured while it waits for its button.
    bool messageTaken = false;
    auto watchDialog = new QTimer(&sheet);
    watchDialog->setInterval(100);
    QObject::connect(watchDialog, &QTimer::timeout, &sheet, [&] {
        if (dialog.isVisible() && !messageTaken) {
            messageTaken = true;
            test::LetEventsRun(400);
            EXPECT_TRUE(test::CaptureScreen(test::ScreenshotPath("sheet-message")));
            dialog.accept();
        }
    });
    watchDialog->start();
    Find<QPushButton>(sheet, "Button1")->click();
    watchDialog->stop();
    EXPECT_TRUE(taken);
    EXPECT_TRUE(messageTaken);
    test::LetEventsRun(600);
    EXPECT_TRUE(test::CaptureScreen(test::ScreenshotPath("sheet-after")));
}

TEST(Screenshot, SheetWindowPrintDialogAndPrintedRun) {
    const QString dialogShot = test::ScreenshotPath("sheet-print-dialog");
    if (dialogShot.isEmpty())
        GTEST_SKIP() << "makes screenshots only when QUORVANE_SCREENSHOT_DIR is set";
    const QString photos = test::ScreenshotPhotos();
    test::TempDir save;

    const AppContext context = StartUp({QStringLiteral("quorvane")});
    InstallQtTranslations(context.japanese()); // the print dialog as the program shows it
    MainWindow main(context);
    SheetWindow sheet(main);
    MessageDialog dialog(ApplicationTitle(context.japanese()), &main);
    sheet.useMessageDialog(dialog);
    sheet.openInFileManager = [](const LocalPath&) { return true; };
    QStringList choices{photos, QString::fromStdString(save.str())};
    main.chooseFolder = [&choices](const QString&, const QString&) {
        return choices.isEmpty() ? QString() : choices.takeFirst();
    };
    main.move(0, 0);
    main.show();
    Find<QPushButton>(main, "CornerButton1")->click();
    Find<QPushButton>(main, "CornerButton3")->click();
    Find<QPushButton>(main, "SpeedButton2")->click();
    Find<QPushButton>(main, "SpeedButton4")->click();
    ASSERT_TRUE(sheet.isVisible());
    sheet.move(120, 20);
    auto* layouts = Find<QComboBox>(sheet, "ComboBox1");
    ASSERT_GT(layouts->count(), 1);
    layouts->setCurrentIndex(1);
    for (const char* box : {"CheckBox1", "FullResolutionBox", "PdfBox", "PrintBox"})
        Find<QCheckBox>(sheet, box)->setChecked(true);
    test::LetEventsRun(500);

    // The system's print dialog, captured and cancelled: nothing runs.
    bool dialogTaken = false;
    QTimer::singleShot(800, &sheet, [&] {
        auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(shown);
        test::LetEventsRun(400);
        dialogTaken = test::CaptureScreen(dialogShot);
        shown->reject();
    });
    Find<QPushButton>(sheet, "Button1")->click();
    EXPECT_TRUE(dialogTaken);

    // Printed into a file, as "Print to File" would, then the window after the run.
    sheet.askPrinter = [&save](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString((save / "printed.pdf").string()));
        return true;
    };
    auto watchDialog = new QTimer(&sheet);
    watchDialog->setInterval(100);
    QObject::connect(watchDialog, &QTimer::timeout, &sheet, [&] {
        if (dialog.isVisible())
            dialog.accept();
    });
    watchDialog->start();
    Find<QPushButton>(sheet, "Button1")->click();
    watchDialog->stop();
    test::LetEventsRun(600);
    EXPECT_TRUE(test::CaptureScreen(test::ScreenshotPath("sheet-print")));
}

} // namespace
