// The main window's texts and start state in both languages, its grid columns and resize rule.
#include "WindowHarness.h"

#include "language/Language.h"
#include "ui/MainWindowGrid.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::WindowHarness;

namespace {

struct TextCase {
    const char* name;
    const char* ja;
    const char* en;
};

constexpr TextCase kTexts[] = {
    {"SpeedButton1", "新規作成", "Clear List"},
    {"SpeedButton2", "画像リスト作成", "Image list creation"},
    {"SpeedButton3", "読込み中断", "Break"},
    {"SpeedButton4", "インデックスシート作成", "Make Sheets"},
    {"SpeedButton5", "サイズ設定フォルダを開く", "Open setting folder"},
    {"Label1", "読込みフォルダ", "Photo Folder"},
    {"Label3", "保存先フォルダ", "Save Folder"},
    {"CornerButton1", "フォルダ選択", "Select Folder"},
    {"CornerButton2", "設定済みフォルダ", "Set Folder"},
    {"CornerButton3", "フォルダ選択", "Select Folder"},
    {"CheckBox1", "和暦表示(平成)", "和暦表示(平成)"},
    {"CheckBox2", "時分秒も表示", "Disp H:M:S"},
    {"CheckBox3", "EXIF情報名を日本語で表示", "Use Japanese ExifTagName"},
    {"CheckBox4", "メーカーノートがあれば表示", "Display maker note if there is"},
    {"CheckBox5", "サブフォルダも検索する", "Also search subfolders"},
    {"DropTarget1", "ここへ写真フォルダをドロップ", "Drop a photo folder here"},
};

// Japanese from the system's language; English from "-EN" typed in capitals.
TEST(MainWindowStart, TextsAndStartStateInBothLanguages) {
    for (const bool ja : {true, false}) {
        SCOPED_TRACE(ja ? "Japanese" : "English");
        WindowHarness h(ja ? std::optional<int>(kLanguageJapanese) : std::nullopt,
                        ja ? QStringList() : QStringList{"nodx", "-EN"});
        ASSERT_EQ(h.window->japanese(), ja);
        EXPECT_EQ(h.window->objectName(), "TForm2");
        EXPECT_EQ(h.window->windowTitle(),
                  ja ? "Quorvane インデックスシート作成" : "Quorvane Index Sheet Maker");
        for (const TextCase& c : kTexts)
            EXPECT_EQ(h.text(c.name), QString::fromUtf8(ja ? c.ja : c.en)) << c.name;
        QStringList headers;
        for (int c = 0; c < PhotoGridModel::kColumnCount; ++c)
            headers << h.window->gridModel()->headerData(c, Qt::Horizontal).toString();
        const QStringList expected =
            ja ? QStringList{"No.", "", "ファイル名", "撮影日時", "フォルダパス"}
               : QStringList{"No.", "", "FileName", "ShootingDate", "FolderPath"};
        EXPECT_EQ(headers, expected);

        // The era and tag-name boxes are Japanese only; the tag-name box starts ticked there.
        for (int i = 1; i <= 5; ++i) {
            auto* box = h.window->findChild<QCheckBox*>(QStringLiteral("CheckBox%1").arg(i));
            const bool japaneseOnly = i == 1 || i == 3;
            EXPECT_EQ(box->isHidden(), japaneseOnly && !ja) << i;
            EXPECT_EQ(box->isChecked(), i == 3 && ja) << i;
        }
        EXPECT_TRUE(h.find("CornerButton2")->isHidden());
        EXPECT_TRUE(h.find("Memo1")->isHidden());
        EXPECT_TRUE(h.text("Edit1").isEmpty());
        EXPECT_TRUE(h.text("Edit2").isEmpty());
        EXPECT_TRUE(h.window->photoList().isEmpty());
        EXPECT_EQ(h.window->gridModel()->rowCount(), kPhotoListRows);

        const exif::ExifOptions options = h.window->reportOptions();
        EXPECT_EQ(options.maxTagLineCol, 16); // no Quorvane.ini yet
        EXPECT_EQ(options.maxDumpBinCt, 32);
        EXPECT_EQ(options.japaneseNames, ja);
        EXPECT_EQ(QString::fromStdString(options.settingsFolder), h.settingsFolder());
    }
}

// Tab reaches every shown control row by row; each is announced by its caption.
TEST(MainWindowStart, TabOrderAndAccessibleNamesInBothLanguages) {
    for (const bool ja : {true, false}) {
        SCOPED_TRACE(ja ? "Japanese" : "English");
        WindowHarness h(ja ? kLanguageJapanese : kLanguageEnglishUs);
        QStringList reached;
        QWidget* w = h.find("SpeedButton1");
        do {
            if (w->isVisibleTo(h.window.get()) && (w->focusPolicy() & Qt::TabFocus))
                reached << w->objectName();
            w = w->nextInFocusChain();
        } while (w != h.find("SpeedButton1"));
        QStringList expected{"SpeedButton1",  "SpeedButton2", "SpeedButton3",
                             "SpeedButton4",  "SpeedButton5", "Edit1",
                             "CornerButton1", "Edit2",        "CornerButton3"};
        expected << (ja ? QStringList{"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4",
                                      "CheckBox5"}
                        : QStringList{"CheckBox2", "CheckBox4", "CheckBox5"});
        expected << "StringGrid1";
        EXPECT_EQ(reached.join(" "), expected.join(" "));

        const std::pair<const char*, const char*> named[] = {{"Edit1", "Label1"},
                                                             {"Edit2", "Label3"},
                                                             {"SpeedButton2", "SpeedButton2"},
                                                             {"CheckBox5", "CheckBox5"},
                                                             {"DropTarget1", "DropTarget1"}};
        for (const auto& [control, caption] : named)
            EXPECT_EQ(
                QAccessible::queryAccessibleInterface(h.find(control))->text(QAccessible::Name),
                h.text(caption))
                << control;
        EXPECT_EQ(h.find("StringGrid1")->accessibleName(), ja ? "画像リスト" : "Image list");
    }
}

// The window opens with the keyboard in the photo folder field, the first thing to fill in, not
// on a button that a stray key would press: the listed rows survive Enter and Space.
TEST(MainWindowStart, KeyboardStartsInThePhotoFolderField) {
    for (const bool ja : {true, false}) {
        SCOPED_TRACE(ja ? "Japanese" : "English");
        WindowHarness h(ja ? kLanguageJapanese : kLanguageEnglishUs);
        for (const char* name : {"p1.jpg", "p2.jpg"})
            test::WriteFile(h.dir / "src" / name, "x");
        qobject_cast<QLineEdit*>(h.find("Edit1"))->setText(test::Q(h.dir / "src"));
        qobject_cast<QLineEdit*>(h.find("Edit2"))->setText(test::Q(h.dir / "save"));
        h.click("SpeedButton2");
        ASSERT_EQ(h.window->photoList().size(), 2);
        h.window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(h.window.get()));
        EXPECT_EQ(QApplication::focusWidget(), h.find("Edit1"));
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
            QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(h.window->photoList().size(), 2);
    }
}

TEST(MainWindowLayout, FolderColumnResizeRuleAndMinimumSize) {
    WindowHarness h(kLanguageJapanese);
    h.window->show();
    auto* view = qobject_cast<QTableView*>(h.find("StringGrid1"));
    EXPECT_EQ(view->columnWidth(PhotoGridModel::kFolderColumn), 520);
    EXPECT_TRUE(view->isColumnHidden(PhotoGridModel::kCheckColumn));
    view->setColumnWidth(PhotoGridModel::kFolderColumn, 300);
    h.click("SpeedButton1"); // clearing keeps the widths and the hidden column
    EXPECT_EQ(view->columnWidth(PhotoGridModel::kFolderColumn), 300);
    EXPECT_TRUE(view->isColumnHidden(PhotoGridModel::kCheckColumn));

    h.window->resize(1200, 700);
    QCoreApplication::processEvents();
    ASSERT_EQ(h.window->size(), QSize(1200, 700));
    const QRect grid = view->geometry();
    const QRect progress = h.find("ProgressBar1")->geometry();
    const QRect status = h.find("StatusBar1")->geometry();
    const QRect label4 = h.find("Label4")->geometry();
    EXPECT_EQ(grid.width(), 1200 - 2 * grid.left() - 10);
    EXPECT_EQ(grid.height(), 700 - grid.top() - 25 - progress.height() - status.height());
    EXPECT_EQ(progress.top(), grid.top() + grid.height() + 5);
    EXPECT_EQ(progress.width(), grid.width());
    EXPECT_EQ(status.bottom(), 699);
    EXPECT_EQ(label4.width(), status.width() - label4.left() - 50);

    h.window->resize(800, 400);
    QCoreApplication::processEvents();
    EXPECT_EQ(h.window->size(), QSize(1040, 600));
    EXPECT_EQ(view->width(), 1040 - 2 * grid.left() - 10);
}

} // namespace
