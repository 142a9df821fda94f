// The program's windows linked as start-up makes them: the sheet creation window's
// "シート設定編集" opens the settings editor, and a save there reloads the sheet window's layouts.
#include "ui/ProgramWindows.h"
#include "app/Language.h"
#include "ui/InputFilter.h"

#include "WindowHarness.h"

#include <QApplication>
#include <QComboBox>
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
