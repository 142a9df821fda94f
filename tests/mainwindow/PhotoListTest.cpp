// Building, stopping and clearing the photo list from the main window's buttons.
#include "WindowHarness.h"

#include "language/Language.h"
#include "ui/MainWindowGrid.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::Q;
using quorvane::test::WindowHarness;

namespace {

void SetBoxes(WindowHarness& h, const QString& source, const QString& save) {
    qobject_cast<QLineEdit*>(h.find("Edit1"))->setText(source);
    qobject_cast<QLineEdit*>(h.find("Edit2"))->setText(save);
}

// Empty photo files p0.jpg ... in a folder of the harness.
QString MakePhotos(WindowHarness& h, const char* folder, int count) {
    for (int i = 0; i < count; ++i)
        test::WriteFile(h.dir / folder / ("p" + std::to_string(i) + ".jpg"), "x");
    return Q(h.dir / folder);
}

TEST(MainWindowBuild, FillsTheGridAsTheCoreListsAfterEmptyingEveryCell) {
    WindowHarness h(kLanguageJapanese);
    std::filesystem::copy(test::SourceDir() / "examples/photos", h.dir / "src");
    test::WriteFile(h.dir / "src/sub/Z.PNG", "x");
    test::WriteFile(h.dir / "src/sub/Z.exif", "データ撮影日時: 2001:02:03 04:05:06 \r\n");
    for (const char* name : {"CheckBox2", "CheckBox5"})
        qobject_cast<QCheckBox*>(h.find(name))->setChecked(true);
    h.click("SpeedButton1"); // numbers every row, so the emptying before the build shows
    const QString save = Q(h.dir / "out/sheets");
    SetBoxes(h, Q(h.dir / "src"), save);
    h.click("SpeedButton2");

    PhotoListRequest request;
    request.sourceFolder = LocalPath::FromText(Q(h.dir / "src"));
    request.saveFolder = LocalPath::FromText(save);
    request.subfolders = true;
    request.withTime = true;
    const QVector<PhotoEntry> expected = BuildPhotoList(request).rows;
    const int n = static_cast<int>(expected.size());
    ASSERT_GE(n, 7);
    EXPECT_EQ(h.window->photoList(), expected);
    EXPECT_EQ(h.cell(0, n - 1), QString::number(n));
    EXPECT_EQ(h.cell(2, n - 1) + "|" + h.cell(3, n - 1) + "|" + h.cell(4, n - 1),
              "Z.PNG|2001/02/03 04:05:06|" + Q(h.dir / "src/sub") + "/");
    for (int c = 0; c < PhotoGridModel::kColumnCount; ++c)
        EXPECT_TRUE(h.cell(c, n).isEmpty()) << c; // "No." included
    EXPECT_TRUE(h.cell(0, kPhotoListRows - 1).isEmpty());
    EXPECT_TRUE(QDir(save).exists());
    EXPECT_TRUE(h.messages.isEmpty());
    EXPECT_EQ(h.window->listedCount(), n);
    EXPECT_EQ(h.text("Label4"), QStringLiteral("%1 / %1").arg(n));
    EXPECT_FALSE(h.window->busy());
}

// Presses that arrive while the list is built (the build lets events run between photos).
TEST(MainWindowBuild, StopKeepsTheRowsSoFarAndOtherPressesAreIgnored) {
    WindowHarness h(kLanguageJapanese);
    const QString source = MakePhotos(h, "src", 8);
    SetBoxes(h, source, source);
    test::WriteFile(h.dir / "other/x.jpg", "x");
    h.nextChoice = Q(h.dir / "other");
    int filled = 0; // each press is sent once, even if a faulty build started again
    auto onRow = [&h, &filled](const QModelIndex& from, const QModelIndex& to) {
        if (from.row() != to.row()) // the emptying of the whole grid
            return;
        ++filled;
        if (filled == 2) {
            // Clearing here used to empty the rows under the build, which then went on filling
            // from row 3: a list that read as empty.
            for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton4", "SpeedButton5",
                                     "CornerButton1", "CornerButton3"})
                h.clickLater(name);
            QMetaObject::invokeMethod(
                h.window.get(), [&h] { h.drop({QUrl::fromLocalFile(Q(h.dir / "other/x.jpg"))}); },
                Qt::QueuedConnection);
        }
        if (filled == 3)
            h.clickLater("SpeedButton3");
    };
    const auto connection =
        QObject::connect(h.window->gridModel(), &QAbstractItemModel::dataChanged, onRow);
    int sheetRequests = 0;
    QObject::connect(h.window.get(), &MainWindow::sheetWindowRequested, [&] { ++sheetRequests; });
    h.click("SpeedButton2");

    const QVector<PhotoEntry> rows = h.window->photoList();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[2].fileName, "p2.jpg");
    EXPECT_EQ(h.window->listedCount(), 3);
    EXPECT_EQ(h.text("Label4"), "3 / 8");
    EXPECT_TRUE(h.dialogs.empty());
    EXPECT_TRUE(h.opened.isEmpty());
    EXPECT_EQ(sheetRequests, 0);
    EXPECT_TRUE(h.messages.isEmpty());
    EXPECT_EQ(h.text("Edit1"), source);
    EXPECT_FALSE(QFile::exists(h.iniPath()));
    EXPECT_FALSE(h.window->busy());

    // The request ended with its build: EXIF reads of later windows poll it too.
    EXPECT_FALSE(h.window->stopRequested());
    EXPECT_FALSE(h.window->reportOptions().stopRequested());

    // The next build starts afresh; a stop when idle leaves no request.
    QObject::disconnect(connection);
    h.click("SpeedButton3");
    EXPECT_FALSE(h.window->stopRequested());
    h.click("SpeedButton2");
    EXPECT_EQ(h.window->photoList().size(), 8);
    h.click("SpeedButton1");
    EXPECT_TRUE(h.window->photoList().isEmpty());
    EXPECT_EQ(h.cell(0, 0), "1");
    EXPECT_EQ(h.cell(0, kPhotoListRows - 1), "10000");
    EXPECT_TRUE(h.cell(2, 0).isEmpty());
}

TEST(MainWindowBuild, EmptyFolderBoxShowsTheMessageAndKeepsTheList) {
    WindowHarness h(kLanguageEnglishUs);
    const QString source = MakePhotos(h, "src", 2);
    SetBoxes(h, source, source);
    h.click("SpeedButton2");
    SetBoxes(h, source, QString());
    h.click("SpeedButton2");
    EXPECT_EQ(h.messages, QStringList{"Please set the source folder and destination folder."});
    EXPECT_EQ(h.window->photoList().size(), 2);
    EXPECT_FALSE(h.window->busy());
}

// A folder that lists nothing because its photos are all in subfolders says so in the status
// line, naming the box to tick; any other list shows its count there.
TEST(MainWindowBuild, PhotosOnlyInSubfoldersAreHintedInTheStatusLine) {
    const struct {
        bool ja;
        const char* files; // under the photo folder, separated by blanks
        bool subfolders;   // CheckBox5 ticked
        int listed;
        const char* status;
    } cases[] = {
        {true, "day1/a.jpg day1/b.JPG", false, 0,
         "このフォルダに写真はありませんが、サブフォルダにあります。"
         "「サブフォルダも検索する」にチェックを入れてください。"},
        {false, "day1/deeper/a.png", false, 0,
         "No photos in this folder itself, but its subfolders have some: tick \"Also search "
         "subfolders\"."},
        {true, "day1/a.jpg day1/b.JPG", true, 2, "2 / 2"},
        {false, "notes.txt day1/notes.txt", false, 0, "0 / 0"},
        {false, "top.jpg day1/a.jpg", false, 1, "1 / 1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files);
        WindowHarness h(c.ja ? kLanguageJapanese : kLanguageEnglishUs);
        for (const QString& file : QString(c.files).split(' '))
            test::WriteFile(h.dir / "src" / file.toStdString(), "x");
        qobject_cast<QCheckBox*>(h.find("CheckBox5"))->setChecked(c.subfolders);
        SetBoxes(h, Q(h.dir / "src"), Q(h.dir / "save"));
        h.click("SpeedButton2");
        EXPECT_EQ(h.window->photoList().size(), c.listed);
        EXPECT_EQ(h.text("Label4"), QString::fromUtf8(c.status));
        EXPECT_TRUE(h.messages.isEmpty());
    }
}

TEST(MainWindowBuild, StopsAtTheMaximumWithItsMessage) {
    WindowHarness h(kLanguageJapanese);
    const std::filesystem::path folder = h.dir / "many";
    std::filesystem::create_directories(folder);
    for (int i = 0; i < kPhotoListRows + 1; ++i)
        QFile(Q(folder / ("p" + std::to_string(100000 + i) + ".gif"))).open(QIODevice::WriteOnly);
    SetBoxes(h, Q(folder), Q(folder));
    h.click("SpeedButton2");
    EXPECT_EQ(h.messages, QStringList{"最大枚数に達したので中断しました。"});
    EXPECT_EQ(h.window->listedCount(), kPhotoListRows);
    EXPECT_EQ(h.window->photoList().size(), kPhotoListRows);
    EXPECT_EQ(h.cell(2, kPhotoListRows - 1), "p109999.gif");
    EXPECT_FALSE(h.window->busy());

    // A short list after a long one scrolled to its end starts at the top (it looked empty).
    h.window->show();
    auto* view = qobject_cast<QTableView*>(h.find("StringGrid1"));
    view->scrollToBottom();
    ASSERT_GT(view->verticalScrollBar()->value(), 0);
    SetBoxes(h, MakePhotos(h, "few", 2), Q(folder));
    h.click("SpeedButton2");
    EXPECT_EQ(h.window->photoList().size(), 2);
    EXPECT_EQ(view->verticalScrollBar()->value(), 0);
    EXPECT_EQ(view->rowAt(0), 0);
}

} // namespace

namespace {

// Camera RAW files are not listed: the status line says how many were skipped beside the count,
// and a press shows their names, in the interface's language; a new list forgets them.
TEST(MainWindowBuild, SaysHowManyRawFilesWereSkippedAndNamesThemOnDemand) {
    const struct {
        int language;
        QString note;
        QString names;
    } cases[] = {
        {kLanguageJapanese, "読み込めない形式 2 件をスキップ（名前を表示）",
         "読み込めない形式のためスキップしました: a.CR3\n"
         "読み込めない形式のためスキップしました: b.arw"},
        {kLanguageEnglishSwitch, "2 skipped, format not supported (show names)",
         "skipped, format not supported: a.CR3\nskipped, format not supported: b.arw"},
    };
    for (const auto& c : cases) {
        WindowHarness h(c.language);
        for (const char* name : {"a.CR3", "b.arw", "c.jpg", "d.heic"})
            test::WriteFile(h.dir / "src" / name, "x");
        SetBoxes(h, Q(h.dir / "src"), Q(h.dir / "out"));
        h.click("SpeedButton2");
        auto* note = qobject_cast<QPushButton*>(h.find("SkippedPhotos"));
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(h.window->photoList().size(), 2);
        EXPECT_TRUE(note->isVisibleTo(h.window.get()));
        EXPECT_EQ(note->text(), c.note);
        h.messages.clear();
        note->click();
        EXPECT_EQ(h.messages, QStringList{c.names});

        std::filesystem::remove(h.dir / "src/a.CR3");
        std::filesystem::remove(h.dir / "src/b.arw");
        h.click("SpeedButton2");
        EXPECT_FALSE(note->isVisibleTo(h.window.get()));
    }
}

} // namespace
