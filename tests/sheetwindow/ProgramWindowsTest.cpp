// The program's windows linked as start-up makes them: the sheet creation window's
// "シート設定編集" opens the settings editor, and a save there reloads the sheet window's layouts.
#include "ui/ProgramWindows.h"
#include "app/Language.h"
#include "ui/InputFilter.h"

#include "WindowHarness.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace quorvane;

TEST(ProgramWindows, TheSheetWindowsEditorSavesALayoutItListsAtOnce) {
    test::WindowHarness harness(kLanguageEnglishSwitch);
    ProgramWindows windows(harness.window->context());
    QStringList infos;
    windows.editor.showInfo = [&](const QString& text) { infos << text; };
    windows.sheet.showMessage = [&](const QString& text) { infos << text; };
    windows.sheet.show();
    auto* layouts = windows.sheet.findChild<QComboBox*>("ComboBox1");
    const int before = layouts->count();

    QString opened;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        opened = modal->objectName();
        const std::pair<const char*, const char*> fields[] = {
            {"Edit8", "Typed"}, {"Edit2", "297"}, {"Edit3", "210"},  {"Edit4", "10"},
            {"Edit5", "10"},    {"Edit6", "20"},  {"Edit7", "20"},   {"Edit10", "4"},
            {"Edit11", "2"},    {"Edit12", "2"},  {"Edit13", "100"}, {"Edit14", "70"}};
        for (const auto& [name, value] : fields)
            InputFilter::SetText(modal->findChild<QLineEdit*>(name), QString::fromUtf8(value));
        modal->findChild<QAbstractButton*>("CheckBox7")->setChecked(true);
        modal->findChild<QPushButton*>("Button1")->click(); // "サイズ計算"
        modal->findChild<QPushButton*>("Button8")->click(); // "別名で保存"
        modal->close();
    });
    windows.sheet.findChild<QPushButton*>("Button3")->click();
    EXPECT_EQ(opened, "TForm8");
    ASSERT_FALSE(infos.isEmpty());
    EXPECT_TRUE(infos.last().endsWith(" へ設定を保存しました。")) << infos.last().toStdString();
    EXPECT_EQ(layouts->count(), before + 1);
    EXPECT_EQ(layouts->itemText(layouts->count() - 1), "Typed");
}

TEST(ProgramWindows, TheSheetWindowAsksTheAdjustmentDialog) {
    test::WindowHarness harness(kLanguageEnglishSwitch);
    ProgramWindows windows(harness.window->context());
    QStringList said;
    windows.adjust.showMessage = [&](const QString& text) { said << text; };
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    const QString path = test::Q(harness.dir / "photo.png");
    ASSERT_TRUE(photo.save(path));
    ASSERT_TRUE(windows.sheet.askAdjustment);

    // A layout of four photos cannot be adjusted: the dialog says so and the operator cancels.
    QString opened;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        opened = modal->objectName();
        modal->close();
    });
    const std::optional<PhotoAdjustment> result =
        windows.sheet.askAdjustment(path, layout::DefaultSheetLayout(false));
    EXPECT_EQ(opened, "TForm18");
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->accepted);
    EXPECT_EQ(said, QStringList{"Multiple sheet setting can not be adjusted."});
}

// A run of a one-photo layout with "プレビューで調整する": the dialog comes up for the photo, and
// "決定" at the start state places it as the layout would.
TEST(ProgramWindows, ARunOffersEachPhotoToTheAdjustmentDialog) {
    test::WindowHarness harness(kLanguageJapanese);
    test::WriteFile(harness.dir / "config/Quorvane/initdata/CustomSize0009.ini",
                    "[PAPER]\nname=one\nwidth=300\nheight=220\n[PHOTO]\nphoto_ct=1\nphoto_row=1\n"
                    "photo_col=1\nphoto_width=200\nphoto_height=160\n[INPUT]\nCHECKBOX7=1\n");
    QDir().mkpath(test::Q(harness.dir / "photos"));
    QImage photo(400, 320, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    ASSERT_TRUE(photo.save(test::Q(harness.dir / "photos/p1.png")));
    ProgramWindows windows(harness.window->context());
    QStringList said;
    windows.sheet.showMessage = [&](const QString& text) { said << text; };
    windows.sheet.openInFileManager = [](const QString&) { return true; };
    windows.main.findChild<QLineEdit*>("Edit1")->setText(test::Q(harness.dir / "photos"));
    windows.main.findChild<QLineEdit*>("Edit2")->setText(test::Q(harness.dir / "save"));
    windows.main.findChild<QPushButton*>("SpeedButton2")->click();
    windows.main.findChild<QPushButton*>("SpeedButton4")->click();
    auto* layouts = windows.sheet.findChild<QComboBox*>("ComboBox1");
    layouts->setCurrentIndex(layouts->findText("one"));
    windows.sheet.findChild<QAbstractButton*>("CheckBox5")->setChecked(true);

    // The run lets events run before it asks: wait for the dialog to come up.
    QString opened;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            watch.stop();
            opened = modal->objectName();
            if (auto* decide = modal->findChild<QPushButton*>("Button3"))
                decide->click(); // "決定"
            else
                modal->close();
        }
    });
    watch.start(20);
    windows.sheet.findChild<QPushButton*>("Button1")->click();
    EXPECT_EQ(opened, "TForm18");
    EXPECT_EQ(said, QStringList{"シートを作成しました。"});
    QDirIterator pages(test::Q(harness.dir / "save"), {"page0001.jpg"}, QDir::Files,
                       QDirIterator::Subdirectories);
    EXPECT_TRUE(pages.hasNext());
}

// Photos named in bytes that are not UTF-8 (folders from Windows archives) are adjusted like any
// other: the dialog loads the listed photo by its exact bytes and the run places it.
TEST(ProgramWindows, AnAdjustedRunTakesPhotosNamedInForeignBytes) {
    const struct {
        const char* name; // bytes on disk
        const char* shown;
    } cases[] = {{"\x83\x65\x83\x58\x83\x67.png", "テスト.png"}, // CP932
                 {"caf\xe9.png", "caf\\xe9.png"}};               // Latin-1
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        test::WindowHarness harness(kLanguageJapanese);
        test::WriteFile(harness.dir / "config/Quorvane/initdata/CustomSize0009.ini",
                        "[PAPER]\nname=one\nwidth=300\nheight=220\n[PHOTO]\nphoto_ct=1\n"
                        "photo_row=1\nphoto_col=1\nphoto_width=200\nphoto_height=160\n[INPUT]\n"
                        "CHECKBOX7=1\n");
        QImage photo(400, 320, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        ASSERT_TRUE(photo.save(test::Q(harness.dir / "p.png")));
        std::filesystem::create_directories(harness.dir / "photos");
        std::filesystem::rename(harness.dir / "p.png", harness.dir / "photos" / c.name);
        ProgramWindows windows(harness.window->context());
        QStringList said, adjustSaid;
        windows.sheet.showMessage = [&](const QString& text) { said << text; };
        windows.adjust.showMessage = [&](const QString& text) { adjustSaid << text; };
        windows.sheet.openInFileManager = [](const QString&) { return true; };
        windows.main.findChild<QLineEdit*>("Edit1")->setText(test::Q(harness.dir / "photos"));
        windows.main.findChild<QLineEdit*>("Edit2")->setText(test::Q(harness.dir / "save"));
        windows.main.findChild<QPushButton*>("SpeedButton2")->click();
        windows.main.findChild<QPushButton*>("SpeedButton4")->click();
        auto* layouts = windows.sheet.findChild<QComboBox*>("ComboBox1");
        layouts->setCurrentIndex(layouts->findText("one"));
        windows.sheet.findChild<QAbstractButton*>("CheckBox5")->setChecked(true);

        QRgb centre = 0;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != &windows.adjust)
                return;
            watch.stop();
            const QImage& preview = windows.adjust.preview();
            centre = preview.pixel(preview.width() / 2, preview.height() / 2);
            windows.adjust.findChild<QPushButton*>("Button3")->click(); // "決定"
            if (windows.adjust.isVisible()) // refused without a photo: cancel the run
                windows.adjust.close();
        });
        watch.start(20);
        windows.sheet.findChild<QPushButton*>("Button1")->click();
        EXPECT_EQ(adjustSaid, QStringList{});
        EXPECT_EQ(centre, QColor(Qt::darkCyan).rgb());
        EXPECT_EQ(said, QStringList{"シートを作成しました。"});
        QDirIterator pages(test::Q(harness.dir / "save"), {"page0001.jpg"}, QDir::Files,
                           QDirIterator::Subdirectories);
        EXPECT_TRUE(pages.hasNext());
    }
}
