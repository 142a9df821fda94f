// The main window's texts in both languages, its hidden controls, grid columns and resize rule.
#include "WindowHarness.h"

#include "app/Language.h"
#include "app/MainWindowGrid.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QTableView>
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
    {"CheckBox2", "時分秒も表示", "Disp H:M:S"},
    {"CheckBox3", "EXIF情報名を日本語で表示", "Use Japanese ExifTagName"},
    {"CheckBox4", "メーカーノートがあれば表示", "Display maker note if there is"},
    {"CheckBox5", "サブフォルダも検索する", "Also search subfolders"},
    {"DropTarget1", "ここへ写真フォルダをドロップ", "Drop a photo folder here"},
};

bool Checked(const WindowHarness& h, const char* name) {
    auto* box = qobject_cast<QCheckBox*>(h.find(name));
    return box && box->isChecked();
}

QStringList Headers(const WindowHarness& h) {
    QStringList out;
    for (int c = 0; c < PhotoGridModel::kColumnCount; ++c)
        out << h.window->gridModel()->headerData(c, Qt::Horizontal).toString();
    return out;
}

TEST(MainWindowTexts, JapaneseInterface) {
    WindowHarness h(kLanguageJapanese);
    ASSERT_TRUE(h.window->japanese());
    EXPECT_EQ(h.window->objectName(), "TForm2");
    EXPECT_EQ(h.window->windowTitle(), "Quorvane インデックスシート作成");
    for (const TextCase& c : kTexts)
        EXPECT_EQ(h.text(c.name), QString::fromUtf8(c.ja)) << c.name;
    EXPECT_EQ(h.text("CheckBox1"), "和暦表示(平成)");
    EXPECT_EQ(Headers(h), (QStringList{"No.", "", "ファイル名", "撮影日時", "フォルダパス"}));
    for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5"})
        EXPECT_FALSE(h.find(name)->isHidden()) << name;
    EXPECT_TRUE(Checked(h, "CheckBox3")); // Japanese tag names by default
    for (const char* name : {"CheckBox1", "CheckBox2", "CheckBox4", "CheckBox5"})
        EXPECT_FALSE(Checked(h, name)) << name;
    EXPECT_TRUE(h.window->japaneseTagNames());
}

// "-EN" in capitals selects English whatever the system language is.
TEST(MainWindowTexts, EnglishInterfaceFromTheSwitchInCapitals) {
    WindowHarness h(std::nullopt, {QStringLiteral("nodx"), QStringLiteral("-EN")});
    EXPECT_EQ(h.window->context().language, kLanguageEnglishSwitch);
    ASSERT_FALSE(h.window->japanese());
    EXPECT_EQ(h.window->windowTitle(), "Quorvane Index Sheet Maker");
    for (const TextCase& c : kTexts)
        EXPECT_EQ(h.text(c.name), QString::fromUtf8(c.en)) << c.name;
    EXPECT_EQ(Headers(h), (QStringList{"No.", "", "FileName", "ShootingDate", "FolderPath"}));
    for (const char* name : {"CheckBox1", "CheckBox3"}) {
        EXPECT_TRUE(h.find(name)->isHidden()) << name;
        EXPECT_FALSE(Checked(h, name)) << name;
    }
    EXPECT_FALSE(h.find("CheckBox4")->isHidden());
    EXPECT_FALSE(h.window->japaneseTagNames());
}

TEST(MainWindowTexts, NonJapaneseSystemGivesEnglish) {
    WindowHarness h(kLanguageEnglishUs);
    EXPECT_EQ(h.text("SpeedButton2"), "Image list creation");
    EXPECT_TRUE(h.find("CheckBox1")->isHidden());
}

TEST(MainWindowStart, BoxesStartEmptyAndFixedControlsAreHidden) {
    WindowHarness h(kLanguageJapanese);
    EXPECT_TRUE(h.text("Edit1").isEmpty());
    EXPECT_TRUE(h.text("Edit2").isEmpty());
    EXPECT_TRUE(h.find("CornerButton2")->isHidden());
    EXPECT_TRUE(h.find("Memo1")->isHidden());
    EXPECT_FALSE(h.window->busy());
    EXPECT_FALSE(h.window->stopRequested());
    EXPECT_EQ(h.window->listedCount(), 0);
    EXPECT_EQ(h.window->gridModel()->rowCount(), kPhotoListRows);
    EXPECT_TRUE(h.window->photoList().isEmpty());
    // A fresh settings folder: no Quorvane.ini yet, so the built-in limits.
    EXPECT_EQ(h.window->context().config.maxTagLineCol, 16);
    EXPECT_EQ(h.window->context().config.maxDumpBinCt, 32);
    const exif::ExifOptions options = h.window->reportOptions();
    EXPECT_EQ(options.maxTagLineCol, 16);
    EXPECT_EQ(options.maxDumpBinCt, 32);
    EXPECT_TRUE(options.japaneseNames);
    EXPECT_FALSE(options.makerNotes);
    EXPECT_EQ(QString::fromStdString(options.settingsFolder), h.settingsFolder());
}

TEST(MainWindowLayout, GridColumnsAtTheFirstShowing) {
    WindowHarness h(kLanguageJapanese);
    h.window->show();
    QCoreApplication::processEvents();
    auto* view = qobject_cast<QTableView*>(h.find("StringGrid1"));
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->columnWidth(PhotoGridModel::kFolderColumn), 520);
    EXPECT_TRUE(view->isColumnHidden(PhotoGridModel::kCheckColumn));
    // Clearing keeps the widths and the hidden column.
    view->setColumnWidth(PhotoGridModel::kFolderColumn, 300);
    h.click("SpeedButton1");
    EXPECT_EQ(view->columnWidth(PhotoGridModel::kFolderColumn), 300);
    EXPECT_TRUE(view->isColumnHidden(PhotoGridModel::kCheckColumn));
}

TEST(MainWindowLayout, ResizeRuleAndMinimumSize) {
    WindowHarness h(kLanguageJapanese);
    h.window->show();
    h.window->resize(1200, 700);
    QCoreApplication::processEvents();
    ASSERT_EQ(h.window->size(), QSize(1200, 700));
    const QRect grid = h.find("StringGrid1")->geometry();
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
    EXPECT_EQ(h.find("StringGrid1")->width(), 1040 - 2 * grid.left() - 10);
}

} // namespace
