// Folder choice, the drop area, the settings-folder and sheet-window buttons, and what each writes
// to Quorvane.ini.
#include "WindowHarness.h"

#include "language/Language.h"

#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QFile>
#include <QLineEdit>
#include <QMimeData>
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
    h.click("CornerButton1");
    h.click("CornerButton3");
    ASSERT_EQ(h.dialogs.size(), 2u);
    // Without Quorvane.ini the photo dialog starts at home, the save dialog at "/".
    EXPECT_EQ(h.dialogs[0].startFolder, h.window->context().homeFolder);
    EXPECT_EQ(h.dialogs[1].startFolder, "/");
    EXPECT_TRUE(h.text("Edit1").isEmpty());
    EXPECT_TRUE(h.text("Edit2").isEmpty());
    EXPECT_EQ(h.window->context().config.readPath, h.window->context().homeFolder);
    EXPECT_FALSE(QFile::exists(h.iniPath()));
}

TEST(MainWindowFolders, ChoicesAreStrippedIntoTheBoxesAndWritten) {
    WindowHarness h(kLanguageEnglishUs, {}, kIni); // the dialog titles are Japanese in English too
    h.nextChoice = QStringLiteral("/photos/夏 2024/");
    h.click("CornerButton1");
    h.nextChoice = QStringLiteral("/out/new/");
    h.click("CornerButton3");
    ASSERT_EQ(h.dialogs.size(), 2u);
    EXPECT_EQ(h.dialogs[0].title, "読込みフォルダ選択");
    EXPECT_EQ(h.dialogs[0].startFolder, "/photos/last");
    EXPECT_EQ(h.dialogs[1].title, "保存先フォルダ選択");
    EXPECT_EQ(h.dialogs[1].startFolder, "/out/last");
    EXPECT_EQ(h.text("Edit1"), "/photos/夏 2024");
    EXPECT_EQ(h.text("Edit2"), "/out/new");
    EXPECT_EQ(h.window->context().config.readPath, "/photos/夏 2024");
    EXPECT_EQ(h.window->context().config.savePath, "/out/new");
    EXPECT_EQ(IniText(h), "[SETTING]\nreadPath=/photos/夏 2024\nsavePath=/out/new\n"
                          "maxTagLineCol=8\nmaxDumpBinCt=100\nother=kept\n");
}

TEST(MainWindowDrop, DroppedFileSetsItsFolderAndClearsWithoutBuilding) {
    WindowHarness h(kLanguageJapanese);
    test::WriteFile(h.dir / "old/a.jpg", "x");
    test::WriteFile(h.dir / "Photos/a.jpg", "x");
    qobject_cast<QLineEdit*>(h.find("Edit1"))->setText(Q(h.dir / "old"));
    qobject_cast<QLineEdit*>(h.find("Edit2"))->setText(Q(h.dir / "old"));
    h.click("SpeedButton2");
    ASSERT_EQ(h.window->photoList().size(), 1);

    // Only the first name counts.
    EXPECT_TRUE(h.drop(
        {QUrl::fromLocalFile(Q(h.dir / "Photos/a.jpg")), QUrl::fromLocalFile(Q(h.dir / "old"))}));
    EXPECT_EQ(h.text("Edit1"), Q(h.dir / "Photos"));
    EXPECT_TRUE(h.window->photoList().isEmpty());
    EXPECT_EQ(h.cell(0, 0), "1");
    EXPECT_EQ(h.cell(0, kPhotoListRows - 1), "10000");
    EXPECT_EQ(h.window->context().config.readPath, Q(h.dir / "Photos"));
    EXPECT_EQ(h.iniValue("readPath"), Q(h.dir / "Photos").toStdString());
    EXPECT_EQ(h.iniValue("maxTagLineCol"), "16");
    EXPECT_EQ(h.iniValue("maxDumpBinCt"), "32");
    EXPECT_EQ(h.iniValue("savePath"), std::nullopt);
    EXPECT_TRUE(h.messages.isEmpty());

    // A folder goes into the box as dropped; the remembered read path loses its trailing "/".
    EXPECT_TRUE(h.drop({QUrl::fromLocalFile(Q(h.dir / "old") + "/")}));
    EXPECT_EQ(h.text("Edit1"), Q(h.dir / "old") + "/");
    EXPECT_EQ(h.window->context().config.readPath, Q(h.dir / "old"));
    EXPECT_EQ(h.iniValue("readPath"), Q(h.dir / "old").toStdString());
    EXPECT_FALSE(h.window->busy());
}

TEST(MainWindowDrop, NameWithACommaShowsTheMessageAndChangesNothing) {
    WindowHarness h(kLanguageEnglishUs);
    test::WriteFile(h.dir / "src/a.jpg", "x");
    test::WriteFile(h.dir / "a,b/c.jpg", "x");
    qobject_cast<QLineEdit*>(h.find("Edit1"))->setText(Q(h.dir / "src"));
    qobject_cast<QLineEdit*>(h.find("Edit2"))->setText(Q(h.dir / "src"));
    h.click("SpeedButton2");
    h.drop({QUrl::fromLocalFile(Q(h.dir / "a,b/c.jpg"))});
    EXPECT_EQ(h.messages, // the same in English
              QStringList{"ドロップ処理\nフォルダ名にカンマが含まれています。中断しました。"});
    EXPECT_EQ(h.text("Edit1"), Q(h.dir / "src"));
    EXPECT_EQ(h.window->photoList().size(), 1);
    EXPECT_FALSE(QFile::exists(h.iniPath()));
    EXPECT_FALSE(h.window->busy());
}

// Any drag is offered the copy operation; one without a local name drops nothing.
TEST(MainWindowDrop, EveryDragIsOfferedCopyAndOneWithoutNamesChangesNothing) {
    struct Case {
        const char* name;
        const char* text; // plain text of the drag, or nullptr
        const char* url;  // the one URL of the drag, or nullptr
    };
    const Case cases[] = {{"PlainText", "/photos/summer", nullptr},
                          {"RemoteAddress", nullptr, "https://example.com/a.jpg"},
                          {"Nothing", nullptr, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness h(kLanguageJapanese);
        qobject_cast<QLineEdit*>(h.find("Edit1"))->setText(QStringLiteral("/kept"));
        QMimeData mime;
        if (c.text)
            mime.setText(QString::fromUtf8(c.text));
        if (c.url)
            mime.setUrls({QUrl(QString::fromUtf8(c.url))});
        const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
        QDragEnterEvent enter(QPoint(5, 5), offered, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h.find("DropTarget1"), &enter);
        EXPECT_TRUE(enter.isAccepted());
        EXPECT_EQ(enter.dropAction(), Qt::CopyAction);
        QDropEvent drop(QPointF(5, 5), offered, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(h.find("DropTarget1"), &drop);
        EXPECT_EQ(h.text("Edit1"), "/kept");
        EXPECT_TRUE(h.messages.isEmpty());
        EXPECT_TRUE(h.cell(0, 0).isEmpty()); // the list was not cleared
        EXPECT_FALSE(QFile::exists(h.iniPath()));
        EXPECT_FALSE(h.window->busy());
    }
}

TEST(MainWindowButtons, SheetWindowNeedsBothBoxesAndSettingsFolderMustExist) {
    WindowHarness h(kLanguageJapanese);
    int requested = 0;
    QObject::connect(h.window.get(), &MainWindow::sheetWindowRequested, [&] { ++requested; });
    qobject_cast<QLineEdit*>(h.find("Edit1"))->setText(QStringLiteral("/photos"));
    h.click("SpeedButton4");
    EXPECT_EQ(h.messages, QStringList{"読込み元フォルダと保存先フォルダを設定してください。"});
    EXPECT_EQ(requested, 0);
    qobject_cast<QLineEdit*>(h.find("Edit2"))->setText(QStringLiteral("/out"));
    h.click("SpeedButton4");
    EXPECT_EQ(requested, 1);
    EXPECT_EQ(h.messages.size(), 1);

    h.click("SpeedButton5");
    EXPECT_EQ(h.opened, QStringList{h.settingsFolder()});
    // Without a file manager the operator is told where the folder is.
    h.fileManager = false;
    h.click("SpeedButton5");
    EXPECT_EQ(h.messages.last(),
              "フォルダを開けるファイルマネージャーがありません。フォルダの場所:\n" +
                  h.settingsFolder());
    std::filesystem::remove_all(h.settingsFolder().toStdString());
    h.click("SpeedButton5");
    EXPECT_EQ(h.opened.size(), 2);
}

} // namespace
