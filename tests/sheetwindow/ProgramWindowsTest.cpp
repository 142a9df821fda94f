// The program's windows linked as start-up makes them: the sheet creation window's
// "シート設定編集" opens the settings editor, and a save there reloads the sheet window's layouts.
#include "ui/ProgramWindows.h"
#include "language/Language.h"
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
        windows.sheet.askAdjustment(LocalPath::FromText(path), layout::DefaultSheetLayout(false));
    EXPECT_EQ(opened, "TForm18");
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(result->accepted);
    EXPECT_EQ(said, QStringList{"Multiple sheet setting can not be adjusted."});
}

namespace {

// What a run with the adjustment dialog showed and said.
struct AdjustedRun {
    QString opened;  // the modal window that came up
    QRgb centre = 0; // the middle of the adjustment dialog's preview
    QStringList said, adjustSaid;
    bool pageWritten = false;
};

// A run of a one-photo layout with "プレビューで調整する" over one dark cyan photo, on disk under
// the bytes `name`: "決定" at the start state as the dialog comes up (closed when it stays open,
// which ends the run).
AdjustedRun RunAdjusted(const std::string& name) {
    test::WindowHarness harness(kLanguageJapanese);
    test::WriteFile(harness.dir / "config/Quorvane/initdata/CustomSize0009.ini",
                    "[PAPER]\nname=one\nwidth=300\nheight=220\n[PHOTO]\nphoto_ct=1\nphoto_row=1\n"
                    "photo_col=1\nphoto_width=200\nphoto_height=160\n[INPUT]\nCHECKBOX7=1\n");
    QImage photo(400, 320, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    const QString drawn = test::Q(harness.dir / "drawn.png");
    EXPECT_TRUE(photo.save(drawn));
    std::filesystem::create_directories(harness.dir / "photos");
    std::filesystem::rename(drawn.toStdString(), harness.dir / "photos" / name);
    ProgramWindows windows(harness.window->context());
    AdjustedRun run;
    windows.sheet.showMessage = [&](const QString& text) { run.said << text; };
    windows.adjust.showMessage = [&](const QString& text) { run.adjustSaid << text; };
    windows.sheet.openInFileManager = [](const LocalPath&) { return true; };
    windows.main.findChild<QLineEdit*>("Edit1")->setText(test::Q(harness.dir / "photos"));
    windows.main.findChild<QLineEdit*>("Edit2")->setText(test::Q(harness.dir / "save"));
    windows.main.findChild<QPushButton*>("SpeedButton2")->click();
    windows.main.findChild<QPushButton*>("SpeedButton4")->click();
    auto* layouts = windows.sheet.findChild<QComboBox*>("ComboBox1");
    layouts->setCurrentIndex(layouts->findText("one"));
    windows.sheet.findChild<QAbstractButton*>("CheckBox5")->setChecked(true);

    // The run lets events run before it asks: wait for the dialog to come up.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        watch.stop();
        run.opened = modal->objectName();
        if (modal == &windows.adjust) {
            const QImage& preview = windows.adjust.preview();
            run.centre = preview.pixel(preview.width() / 2, preview.height() / 2);
        }
        if (auto* decide = modal->findChild<QPushButton*>("Button3"))
            decide->click(); // "決定"
        if (modal->isVisible())
            modal->close();
    });
    watch.start(20);
    windows.sheet.findChild<QPushButton*>("Button1")->click();
    run.pageWritten = QDirIterator(test::Q(harness.dir / "save"), {"page0001.jpg"}, QDir::Files,
                                   QDirIterator::Subdirectories)
                          .hasNext();
    return run;
}

} // namespace

// A run of a one-photo layout with "プレビューで調整する": the dialog comes up for the photo, and
// "決定" at the start state places it as the layout would.
TEST(ProgramWindows, ARunOffersEachPhotoToTheAdjustmentDialog) {
    const AdjustedRun run = RunAdjusted("p1.png");
    EXPECT_EQ(run.opened, "TForm18");
    EXPECT_EQ(run.said, QStringList{"シートを作成しました。"});
    EXPECT_TRUE(run.pageWritten);
}

// Photos named in bytes that are not UTF-8 (folders from Windows archives) are adjusted like any
// other: the dialog loads the listed photo by its exact bytes and the run places it.
TEST(ProgramWindows, AnAdjustedRunTakesPhotosNamedInForeignBytes) {
    for (const char* name : {"\x83\x65\x83\x58\x83\x67.png", // CP932 "テスト.png"
                             "caf\xe9.png"}) {               // Latin-1 "café.png"
        SCOPED_TRACE(name);
        const AdjustedRun run = RunAdjusted(name);
        EXPECT_EQ(run.adjustSaid, QStringList{});
        EXPECT_EQ(run.centre, QColor(Qt::darkCyan).rgb());
        EXPECT_EQ(run.said, QStringList{"シートを作成しました。"});
        EXPECT_TRUE(run.pageWritten);
    }
}
