// Sheets made through the real windows: a fixture folder listed in the main window, the sheet
// window opened from it, a layout picked and "シート作成" pressed; page files, continuation,
// stops, closes and the preview.
#include "SheetHarness.h"

#include "language/Language.h"
#include "text/Numbers.h"
#include "ui/FolderOpener.h"
#include "ui/PageViewer.h"
#include "ui/PhotoPreview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::Q;
using quorvane::test::SheetHarness;

namespace {

QStringList Pages(const QString& folder) {
    return QDir(folder).entryList({"*.jpg"}, QDir::Files, QDir::Name);
}

// Ten photos, four a page, the window opened with the layout chosen.
void Prepare(SheetHarness& h) {
    h.writeLayout(1, "four", "");
    h.listPhotos(10);
    h.click("SpeedButton4");
    h.control<QComboBox>("ComboBox1")->setCurrentIndex(0);
}

TEST(SheetWindowRun, OnePagePerPressContinuesInOneFolderAndTheLastPressResets) {
    SheetHarness h(kLanguageJapanese);
    Prepare(h);
    int editorRequests = 0;
    QObject::connect(h.sheet, &SheetWindow::settingsEditorRequested, [&] { ++editorRequests; });
    const char* const created = "シートを作成しました。";
    struct Press {
        QStringList pages;
        bool pending; // a continuation waits, with the stop button shown
    };
    const Press presses[] = {
        {{"page0001.jpg"}, true},
        {{"page0001.jpg", "page0002.jpg"}, true},
        {{"page0001.jpg", "page0002.jpg", "page0003.jpg"}, false},
    };
    for (const Press& p : presses) {
        // The last press finds no file manager: the folder's path is shown after the message.
        h.fileManager = p.pending;
        h.press("Button1");
        ASSERT_EQ(h.opened.size(), 1);
        EXPECT_EQ(Pages(h.opened.first()), p.pages);
        if (!p.pending) {
            EXPECT_EQ(h.sheetMessages.takeLast(),
                      FolderNotOpenedMessage(LocalPath::FromText(h.opened.first()), true));
        }
        EXPECT_EQ(h.sheetMessages.last(), created);
        EXPECT_EQ(h.sheet->job().continuationPending(), p.pending);
        EXPECT_EQ(h.control("Button2")->isVisible(), p.pending);
        EXPECT_FALSE(h.sheet->busy());
        h.opened.clear();

        // "シート設定編集" refuses while a continuation waits.
        const int messages = h.sheetMessages.size();
        h.press("Button3");
        EXPECT_EQ(h.sheetMessages.size(), messages + (p.pending ? 1 : 0));
        if (p.pending) {
            EXPECT_EQ(h.sheetMessages.last(), "シート作成中は編集できません。");
        }
    }
    EXPECT_EQ(editorRequests, 1);
    EXPECT_TRUE(QDir(Q(h.dir / "save/一覧フォルダ")).exists());

    // The previews: the last page fitted with its zoom factor, and the last photo placed.
    auto* viewer = h.sheet->findChild<PageViewer*>("ImageViewer1");
    EXPECT_EQ(viewer->image().size(), QSize(300, 220));
    const float fit = std::min(static_cast<float>(viewer->width()) / 300.0f,
                               static_cast<float>(viewer->height()) / 220.0f);
    EXPECT_EQ(h.sheetText("Label5"), "拡大率: " + QString::fromStdString(text::ShortestText(fit)));
    EXPECT_EQ(h.sheet->findChild<PhotoPreview*>("Image1")->image().pixel(50, 40),
              qRgb(200, 90, 200));
    auto* bar = h.control<QProgressBar>("ProgressBar1");
    EXPECT_EQ(bar->value(), bar->maximum());

    // "中止" while idle drops a pending continuation: the next press starts afresh.
    h.press("Button1");
    ASSERT_TRUE(h.sheet->job().continuationPending());
    h.press("Button2");
    EXPECT_FALSE(h.sheet->job().continuationPending());
    EXPECT_TRUE(h.control("Button2")->isHidden());
}

// Presses that arrive during a continuous run, which lets events run between photos: "中止",
// closing the window, and closing then reopening it from the main window. Each stops the run
// after the photo being placed; page 1 (photos 1 to 4) is written, page 2 is not.
TEST(SheetWindowRun, StopCloseAndReopenDuringARunEndItAfterTheCurrentPhoto) {
    enum Action { kStop, kClose, kCloseAndReopen };
    for (const Action action : {kStop, kClose, kCloseAndReopen}) {
        SCOPED_TRACE(action);
        SheetHarness h(kLanguageEnglishUs);
        Prepare(h);
        h.control<QCheckBox>("CheckBox1")->setChecked(true);
        int pages = 0, placed = 0;
        auto* bar = h.control<QProgressBar>("ProgressBar1");
        QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
            if (value == 0)
                return;
            placed = pages * bar->maximum() + value;
            if (value == bar->maximum())
                ++pages;
            if (placed != 6)
                return;
            if (action == kStop)
                h.pressLater("Button2");
            else
                h.sheet->close();
            if (action == kCloseAndReopen)
                h.clickLater("SpeedButton4");
        });
        h.writeLayout(2, "added during the run", "");
        h.press("Button1");

        EXPECT_EQ(placed, 6);
        const QString folder = Q(h.dir / "save/IndexSheetFolder");
        const QStringList stamped = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        ASSERT_EQ(stamped.size(), 1);
        EXPECT_EQ(Pages(folder + "/" + stamped.first()), QStringList{"page0001.jpg"});
        EXPECT_TRUE(h.sheetMessages.isEmpty());
        EXPECT_TRUE(h.opened.isEmpty());
        EXPECT_EQ(h.sheet->isVisible(), action != kClose);
        // Closed: busy until shown again, so a press does nothing.
        EXPECT_EQ(h.sheet->busy(), action == kClose);
        // Reopened during the run: prepared once the run ended, with the layouts read again.
        EXPECT_EQ(h.control<QComboBox>("ComboBox1")->count(), action == kCloseAndReopen ? 2 : 1);
        if (action == kClose) {
            h.press("Button1");
            EXPECT_EQ(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size(), 1);
        }
    }
}

// "中止" during a continuous run: the status line says how many pages this press wrote, and the
// small preview shows the last photo that went onto a written page (before any page is written,
// what it showed before the press). Photo n is drawn in qRgb(20 n, 90, 200).
TEST(SheetWindowRun, AStopSaysHowManyPagesWereWritten) {
    const struct {
        bool ja;
        int stopAfter; // photos placed when "中止" is pressed
        const char* status;
        int lastWrittenPhoto; // 0: none
    } cases[] = {{true, 2, "中止しました（0 ページ作成）", 0},
                 {true, 6, "中止しました（1 ページ作成）", 4},
                 {true, 9, "中止しました（2 ページ作成）", 8},
                 {false, 6, "Stopped (1 page written)", 4},
                 {false, 9, "Stopped (2 pages written)", 8}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ja << " " << c.stopAfter);
        SheetHarness h(c.ja ? kLanguageJapanese : kLanguageEnglishUs);
        Prepare(h);
        h.control<QCheckBox>("CheckBox1")->setChecked(true);
        auto* photo = h.sheet->findChild<PhotoPreview*>("Image1");
        const QImage before = photo->image();
        int pages = 0;
        auto* bar = h.control<QProgressBar>("ProgressBar1");
        const auto stopper = QObject::connect(bar, &QProgressBar::valueChanged, [&](int value) {
            if (value == 0)
                return;
            if (pages * bar->maximum() + value == c.stopAfter)
                h.pressLater("Button2");
            if (value == bar->maximum())
                ++pages;
        });
        h.press("Button1");
        EXPECT_EQ(h.sheetText("Label5"), QString::fromUtf8(c.status));
        if (c.lastWrittenPhoto == 0) {
            EXPECT_EQ(photo->image(), before);
        } else {
            EXPECT_EQ(photo->image().pixel(50, 40), qRgb(20 * c.lastWrittenPhoto, 90, 200));
        }
        EXPECT_TRUE(h.sheetMessages.isEmpty());
        // The next run's pages show their zoom there again.
        QObject::disconnect(stopper);
        h.press("Button1");
        EXPECT_TRUE(h.sheetText("Label5").startsWith("拡大率: "));
    }
}

// "シート作成" without a chosen layout makes nothing and asks for one: with no enabled layout
// (ComboBox1 stays empty), and with layouts listed but none chosen yet.
TEST(SheetWindowRun, NoEnabledLayoutMeansNothingToCreate) {
    const struct {
        bool ja;
        bool listed; // an enabled layout is listed
        const char* message;
        const char* baseFolder;
    } cases[] = {{true, false, "レイアウトを選択してください。", "save/一覧フォルダ"},
                 {true, true, "レイアウトを選択してください。", "save/一覧フォルダ"},
                 {false, true, "Choose a layout.", "save/IndexSheetFolder"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.ja << c.listed);
        SheetHarness h(c.ja ? kLanguageJapanese : kLanguageEnglishUs);
        if (c.listed)
            h.writeLayout(1, "four", "");
        else
            test::WriteFile(std::filesystem::path(h.settingsFolder().toStdString()) /
                                "CustomSize0001.ini",
                            "[PAPER]\nname=off\n[INPUT]\nCHECKBOX7=0\n");
        h.listPhotos(2);
        h.click("SpeedButton4");
        EXPECT_EQ(h.control<QComboBox>("ComboBox1")->count(), c.listed ? 1 : 0);
        EXPECT_EQ(h.control<QComboBox>("ComboBox1")->currentIndex(), -1);
        h.press("Button1");
        EXPECT_FALSE(QDir(Q(h.dir / c.baseFolder)).exists());
        EXPECT_EQ(h.sheetMessages, QStringList{QString::fromUtf8(c.message)});
        EXPECT_TRUE(h.opened.isEmpty());
        EXPECT_FALSE(h.sheet->busy());
    }
}

} // namespace
