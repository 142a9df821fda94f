// Folder choice, the drop area, the settings-folder and sheet-window buttons, and what each writes
// to Quorvane.ini.
#include "WindowHarness.h"

#include "app/Language.h"

#include <QFile>
#include <QLineEdit>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::Q;
using quorvane::test::WindowHarness;

namespace {

constexpr const char* kIni = "[SETTING]\nreadPath=/photos/last\nsavePath=/out/last/\n"
                             "maxTagLineCol=8\nmaxDumpBinCt=100\nother=kept\n";

std::string IniText(const WindowHarness& h) {
    return test::ReadFile(h.iniPath().toStdString());
}

TEST(MainWindowFolders, CancelledDialogsChangeNothing) {
    WindowHarness h(kLanguageJapanese);
    const AppConfig before = h.window->context().config;
    h.click("CornerButton1");
    h.click("CornerButton3");
    ASSERT_EQ(h.dialogs.size(), 2u);
    // Without Quorvane.ini the photo dialog starts at home, the save dialog at "/".
    EXPECT_EQ(h.dialogs[0].title, "読込みフォルダ選択");
    EXPECT_EQ(h.dialogs[0].startFolder, h.window->context().homeFolder);
    EXPECT_EQ(h.dialogs[1].title, "保存先フォルダ選択");
    EXPECT_EQ(h.dialogs[1].startFolder, "/");
    EXPECT_TRUE(h.text("Edit1").isEmpty());
    EXPECT_TRUE(h.text("Edit2").isEmpty());
    EXPECT_EQ(h.window->context().config.readPath, before.readPath);
    EXPECT_EQ(h.window->context().config.savePath, before.savePath);
    EXPECT_FALSE(QFile::exists(h.iniPath()));

    WindowHarness kept(kLanguageJapanese, {}, kIni);
    kept.click("CornerButton1");
    kept.click("CornerButton3");
    EXPECT_EQ(IniText(kept), kIni);
}

TEST(MainWindowFolders, ChoicesAreStrippedIntoTheBoxesAndWritten) {
    WindowHarness h(kLanguageEnglishUs, {}, kIni); // the dialog titles are Japanese in English too
    EXPECT_TRUE(h.text("Edit1").isEmpty());        // the stored paths only start the dialogs
    EXPECT_TRUE(h.text("Edit2").isEmpty());
    h.nextChoice = QStringLiteral("/photos/夏 2024/");
    h.click("CornerButton1");
    ASSERT_EQ(h.dialogs.size(), 1u);
    EXPECT_EQ(h.dialogs[0].title, "読込みフォルダ選択");
    EXPECT_EQ(h.dialogs[0].startFolder, "/photos/last");
    EXPECT_EQ(h.text("Edit1"), "/photos/夏 2024");
    EXPECT_EQ(h.window->context().config.readPath, "/photos/夏 2024");
    EXPECT_EQ(IniText(h), "[SETTING]\nreadPath=/photos/夏 2024\nsavePath=/out/last/\n"
                          "maxTagLineCol=8\nmaxDumpBinCt=100\nother=kept\n");

    h.nextChoice = QStringLiteral("/out/new/");
    h.click("CornerButton3");
    ASSERT_EQ(h.dialogs.size(), 2u);
    EXPECT_EQ(h.dialogs[1].title, "保存先フォルダ選択");
    EXPECT_EQ(h.dialogs[1].startFolder, "/out/last");
    EXPECT_EQ(h.text("Edit2"), "/out/new");
    EXPECT_EQ(h.window->saveFolder(), "/out/new");
    EXPECT_EQ(IniText(h), "[SETTING]\nreadPath=/photos/夏 2024\nsavePath=/out/new\n"
                          "maxTagLineCol=8\nmaxDumpBinCt=100\nother=kept\n");
}

TEST(MainWindowFolders, FirstChoiceCreatesQuorvaneIniWithTheBuiltInLimits) {
    WindowHarness h(kLanguageJapanese);
    h.nextChoice = QStringLiteral("/photos");
    h.click("CornerButton1");
    EXPECT_EQ(h.iniValue("readPath"), "/photos");
    EXPECT_EQ(h.iniValue("maxTagLineCol"), "16");
    EXPECT_EQ(h.iniValue("maxDumpBinCt"), "32");
    EXPECT_EQ(h.iniValue("savePath"), std::nullopt);
}

TEST(MainWindowDrop, DroppedFileSetsItsFolderAndClearsWithoutBuilding) {
    WindowHarness h(kLanguageJapanese);
    test::WriteFile(h.dir / "old/a.jpg", "x");
    test::WriteFile(h.dir / "Photos/a.jpg", "x");
    test::WriteFile(h.dir / "Photos/b.jpg", "x");
    qobject_cast<QLineEdit*>(h.find("Edit1"))->setText(Q(h.dir / "old"));
    qobject_cast<QLineEdit*>(h.find("Edit2"))->setText(Q(h.dir / "old"));
    h.click("SpeedButton2");
    ASSERT_EQ(h.window->photoList().size(), 1);

    EXPECT_TRUE(h.drop(
        {QUrl::fromLocalFile(Q(h.dir / "Photos/a.jpg")), QUrl::fromLocalFile(Q(h.dir / "old"))}));
    EXPECT_EQ(h.text("Edit1"), Q(h.dir / "Photos"));
    EXPECT_TRUE(h.window->photoList().isEmpty());
    EXPECT_EQ(h.cell(0, 0), "1");
    EXPECT_EQ(h.cell(0, kPhotoListRows - 1), "10000");
    EXPECT_TRUE(h.cell(2, 0).isEmpty());
    EXPECT_EQ(h.window->context().config.readPath, Q(h.dir / "Photos"));
    EXPECT_EQ(h.iniValue("readPath"), Q(h.dir / "Photos").toStdString());
    EXPECT_EQ(h.iniValue("maxTagLineCol"), "16");
    EXPECT_EQ(h.iniValue("maxDumpBinCt"), "32");
    EXPECT_TRUE(h.messages.isEmpty());
    EXPECT_FALSE(h.window->busy());

    // A folder is taken as it is, with a trailing "/" stripped.
    EXPECT_TRUE(h.drop({QUrl::fromLocalFile(Q(h.dir / "old") + "/")}));
    EXPECT_EQ(h.text("Edit1"), Q(h.dir / "old"));
    EXPECT_EQ(h.iniValue("readPath"), Q(h.dir / "old").toStdString());
}

TEST(MainWindowDrop, NameWithACommaShowsTheMessageAndChangesNothing) {
    WindowHarness h(kLanguageEnglishUs);
    test::WriteFile(h.dir / "src/a.jpg", "x");
    test::WriteFile(h.dir / "a,b/c.jpg", "x");
    qobject_cast<QLineEdit*>(h.find("Edit1"))->setText(Q(h.dir / "src"));
    qobject_cast<QLineEdit*>(h.find("Edit2"))->setText(Q(h.dir / "src"));
    h.click("SpeedButton2");
    h.drop({QUrl::fromLocalFile(Q(h.dir / "a,b/c.jpg"))});
    // The message has no English form.
    EXPECT_EQ(h.messages,
              QStringList{"ドロップ処理\nフォルダ名にカンマが含まれています。中断しました。"});
    EXPECT_EQ(h.text("Edit1"), Q(h.dir / "src"));
    EXPECT_EQ(h.window->photoList().size(), 1);
    EXPECT_FALSE(QFile::exists(h.iniPath()));
    EXPECT_FALSE(h.window->busy());
}

TEST(MainWindowDrop, OnlyLocalNamesCount) {
    WindowHarness h(kLanguageJapanese);
    h.drop({QUrl(QStringLiteral("https://example.com/photos/"))});
    EXPECT_TRUE(h.text("Edit1").isEmpty());
    EXPECT_FALSE(QFile::exists(h.iniPath()));
}

TEST(MainWindowButtons, SheetWindowNeedsBothFolderBoxes) {
    WindowHarness h(kLanguageJapanese);
    int requested = 0;
    QObject::connect(h.window.get(), &MainWindow::sheetWindowRequested, [&] { ++requested; });
    h.click("SpeedButton4");
    qobject_cast<QLineEdit*>(h.find("Edit1"))->setText(QStringLiteral("/photos"));
    h.click("SpeedButton4");
    EXPECT_EQ(h.messages, QStringList(2, "読込み元フォルダと保存先フォルダを設定してください。"));
    EXPECT_EQ(requested, 0);
    qobject_cast<QLineEdit*>(h.find("Edit2"))->setText(QStringLiteral("/out"));
    h.click("SpeedButton4");
    EXPECT_EQ(requested, 1);
    EXPECT_EQ(h.messages.size(), 2);

    WindowHarness en(kLanguageEnglishSwitch);
    en.click("SpeedButton4");
    EXPECT_EQ(en.messages, QStringList{"Please set the source folder and destination folder."});
}

TEST(MainWindowButtons, SettingsFolderOpensOnlyWhenItExists) {
    WindowHarness h(kLanguageJapanese);
    h.click("SpeedButton5");
    EXPECT_EQ(h.opened, QStringList{h.settingsFolder()});
    std::filesystem::remove_all(h.settingsFolder().toStdString());
    h.click("SpeedButton5");
    EXPECT_EQ(h.opened.size(), 1);
}

} // namespace
