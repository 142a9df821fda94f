// Building, stopping and clearing the photo list from the main window's buttons.
#include "WindowHarness.h"

#include "app/Language.h"
#include "app/MainWindowGrid.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::Q;
using quorvane::test::WindowHarness;

namespace {

void SetBoxes(WindowHarness& h, const QString& source, const QString& save) {
    qobject_cast<QLineEdit*>(h.find("Edit1"))->setText(source);
    qobject_cast<QLineEdit*>(h.find("Edit2"))->setText(save);
}

void Tick(WindowHarness& h, const char* name) {
    qobject_cast<QCheckBox*>(h.find(name))->setChecked(true);
}

// Empty photo files p0.jpg ... in a folder of the harness.
QString MakePhotos(WindowHarness& h, const char* folder, int count) {
    for (int i = 0; i < count; ++i)
        test::WriteFile(h.dir / folder / ("p" + std::to_string(i) + ".jpg"), "x");
    return Q(h.dir / folder);
}

// Calls `onRow` with each row index the build fills (not for the emptying of the whole grid).
template <typename F> void OnRowFilled(WindowHarness& h, F onRow) {
    QObject::connect(h.window->gridModel(), &QAbstractItemModel::dataChanged, h.window.get(),
                     [onRow](const QModelIndex& from, const QModelIndex& to) {
                         if (from.row() == to.row())
                             onRow(from.row());
                     });
}

TEST(MainWindowBuild, FillsTheGridAsTheCoreListsAndEmptiesTheRestFirst) {
    WindowHarness h(kLanguageJapanese);
    const std::filesystem::path examples = test::SourceDir() / "examples/photos";
    ASSERT_TRUE(std::filesystem::is_directory(examples));
    std::filesystem::copy(examples, h.dir / "src");
    test::WriteFile(h.dir / "src/sub/Z.PNG", "x");
    test::WriteFile(h.dir / "src/sub/Z.exif", "データ撮影日時: 2001:02:03 04:05:06 \r\n");
    test::WriteFile(h.dir / "src/notes.txt", "x");
    Tick(h, "CheckBox2");
    Tick(h, "CheckBox5");
    h.click("SpeedButton1"); // numbers every row, so the emptying before the build shows
    ASSERT_EQ(h.cell(0, kPhotoListRows - 1), "10000");

    const QString save = Q(h.dir / "out/sheets");
    SetBoxes(h, Q(h.dir / "src"), save);
    h.click("SpeedButton2");

    PhotoListRequest request;
    request.sourceFolder = Q(h.dir / "src");
    request.saveFolder = save;
    request.subfolders = true;
    request.withTime = true;
    const PhotoListResult expected = BuildPhotoList(request);
    ASSERT_GE(expected.rows.size(), 7);
    EXPECT_EQ(h.window->photoList(), expected.rows);
    EXPECT_TRUE(QDir(save).exists());
    EXPECT_TRUE(h.messages.isEmpty());
    EXPECT_FALSE(h.window->busy());
    EXPECT_EQ(h.window->listedCount(), expected.rows.size());

    const int n = static_cast<int>(expected.rows.size());
    for (int r = 0; r < n; ++r) {
        EXPECT_EQ(h.cell(0, r), QString::number(r + 1));
        EXPECT_EQ(h.cell(2, r) + h.cell(3, r) + h.cell(4, r), expected.rows[r].fileName +
                                                                  expected.rows[r].shootingDate +
                                                                  expected.rows[r].folder);
    }
    EXPECT_EQ(h.cell(2, n - 1), "Z.PNG");
    EXPECT_EQ(h.cell(3, n - 1), "2001/02/03 04:05:06");
    EXPECT_EQ(h.cell(4, n - 1), Q(h.dir / "src/sub") + "/");
    for (int c = 0; c < PhotoGridModel::kColumnCount; ++c)
        EXPECT_TRUE(h.cell(c, n).isEmpty()) << c; // "No." included
    EXPECT_TRUE(h.cell(0, kPhotoListRows - 1).isEmpty());

    auto* progress = qobject_cast<QProgressBar*>(h.find("ProgressBar1"));
    EXPECT_EQ(progress->value(), progress->maximum());
    EXPECT_EQ(h.text("Label4"), QStringLiteral("%1 / %1").arg(n));
}

TEST(MainWindowBuild, StopKeepsTheRowsSoFarAndPressesDuringTheBuildAreIgnored) {
    WindowHarness h(kLanguageJapanese);
    const QString source = MakePhotos(h, "src", 8);
    SetBoxes(h, source, source);
    test::WriteFile(h.dir / "other/x.jpg", "x");
    h.nextChoice = Q(h.dir / "other");
    int filled = 0; // counts the filled rows, so each press is sent once even if a build re-ran
    OnRowFilled(h, [&h, &filled](int row) {
        ++filled;
        if (row == 1 && filled == 2) {
            // Each of these would disturb the list; a build in progress ignores them.
            h.clickLater("SpeedButton1");
            h.clickLater("SpeedButton2");
            h.clickLater("CornerButton1");
            h.clickLater("CornerButton3");
            QMetaObject::invokeMethod(
                h.window.get(), [&h] { h.drop({QUrl::fromLocalFile(Q(h.dir / "other/x.jpg"))}); },
                Qt::QueuedConnection);
        }
        if (row == 2 && filled == 3)
            h.clickLater("SpeedButton3");
    });
    h.click("SpeedButton2");

    const QVector<PhotoEntry> rows = h.window->photoList();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].fileName, "p0.jpg");
    EXPECT_EQ(rows[2].fileName, "p2.jpg");
    EXPECT_TRUE(h.cell(2, 3).isEmpty());
    EXPECT_EQ(h.window->listedCount(), 3);
    EXPECT_EQ(h.text("Label4"), "3 / 8");
    EXPECT_TRUE(h.dialogs.empty());
    EXPECT_EQ(h.text("Edit1"), source);
    EXPECT_FALSE(QFile::exists(h.iniPath()));
    EXPECT_TRUE(h.messages.isEmpty());
    EXPECT_FALSE(h.window->busy());

    // After a stop the next build starts afresh and lists everything.
    QObject::disconnect(h.window->gridModel(), nullptr, h.window.get(), nullptr);
    h.click("SpeedButton2");
    EXPECT_EQ(h.window->photoList().size(), 8);
}

TEST(MainWindowBuild, StopAndClearWhenIdle) {
    WindowHarness h(kLanguageJapanese);
    const QString source = MakePhotos(h, "src", 2);
    SetBoxes(h, source, source);
    h.click("SpeedButton3"); // nothing to stop: no lasting request
    EXPECT_FALSE(h.window->stopRequested());
    h.click("SpeedButton2");
    ASSERT_EQ(h.window->photoList().size(), 2);
    h.click("SpeedButton1");
    EXPECT_TRUE(h.window->photoList().isEmpty());
    for (int r : {0, 1, 4999, kPhotoListRows - 1}) {
        EXPECT_EQ(h.cell(0, r), QString::number(r + 1));
        EXPECT_TRUE(h.cell(2, r).isEmpty());
        EXPECT_TRUE(h.cell(4, r).isEmpty());
    }
    EXPECT_TRUE(h.text("Label4").isEmpty());
}

struct BoxCase {
    int language;
    bool source;
    bool save;
    const char* message;
};

TEST(MainWindowBuild, EmptyFolderBoxOrUnmakeableSaveFolderLeavesTheListAlone) {
    const BoxCase cases[] = {
        {kLanguageJapanese, false, true, "読込み元フォルダと保存先フォルダを設定してください。"},
        {kLanguageJapanese, true, false, "読込み元フォルダと保存先フォルダを設定してください。"},
        {kLanguageEnglishUs, false, false, "Please set the source folder and destination folder."},
    };
    for (const BoxCase& c : cases) {
        WindowHarness h(c.language);
        const QString source = MakePhotos(h, "src", 2);
        SetBoxes(h, source, source);
        h.click("SpeedButton2");
        SetBoxes(h, c.source ? source : QString(), c.save ? source : QString());
        h.click("SpeedButton2");
        EXPECT_EQ(h.messages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_EQ(h.window->photoList().size(), 2);
        EXPECT_FALSE(h.window->busy());
    }
    WindowHarness h(kLanguageJapanese);
    test::WriteFile(h.dir / "blocker", "x");
    const QString save = Q(h.dir / "blocker/out");
    SetBoxes(h, MakePhotos(h, "src", 1), save);
    h.click("SpeedButton2");
    EXPECT_EQ(h.messages, QStringList{"保存先フォルダが作成できません。\n" + save});
    EXPECT_TRUE(h.window->photoList().isEmpty());
}

TEST(MainWindowBuild, MissingSourceFolderEmptiesTheGrid) {
    WindowHarness h(kLanguageJapanese);
    const QString source = MakePhotos(h, "src", 2);
    SetBoxes(h, source, source);
    h.click("SpeedButton2");
    SetBoxes(h, Q(h.dir / "gone"), source);
    h.click("SpeedButton2");
    EXPECT_TRUE(h.window->photoList().isEmpty());
    EXPECT_TRUE(h.cell(0, 0).isEmpty());
    EXPECT_TRUE(h.messages.isEmpty());
    EXPECT_EQ(h.window->listedCount(), 0);
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
    const QVector<PhotoEntry> rows = h.window->photoList();
    ASSERT_EQ(rows.size(), kPhotoListRows);
    EXPECT_EQ(rows.back().fileName, "p109999.gif");
    EXPECT_EQ(h.cell(0, kPhotoListRows - 1), "10000");
    EXPECT_FALSE(h.window->busy());
}

} // namespace
