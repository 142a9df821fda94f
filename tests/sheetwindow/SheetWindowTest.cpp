// The sheet creation window opened from the main window: texts and start state in both
// languages, keyboard reach, the resize rule, the layout choice and the page viewer's zoom.
#include "SheetHarness.h"

#include "language/Language.h"
#include "text/Numbers.h"
#include "ui/PageViewer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QSlider>
#include <QTest>
#include <gtest/gtest.h>

using namespace quorvane;
using quorvane::test::SheetHarness;

namespace {

struct TextCase {
    const char* name;
    const char* ja;
    const char* en;
};

constexpr TextCase kTexts[] = {
    {"Label2", "インデックスシート設定", "Index sheet setting"},
    {"Label3", "開始写真行番号", "Start photo line number"},
    {"Label4", "終了写真行番号", "End photo line number"},
    {"Label10", "表示番号の加算", "Addition of display number"},
    {"Label1", "タイトル文字列", "Title string"},
    {"Label7", "jpg品質", "Jpeg quality"},
    {"Label8", "0", "0"},
    {"Label9", "100", "100"},
    {"CheckBox1", "連続して出力する", "Continuously output"},
    {"CheckBox2", "作成時間毎にサブフォルダを作成する",
     "Create a subfolder for each creation time"},
    {"CheckBox3", "既存のファイルは上書きしない", "Do not overwrite existing files"},
    {"CheckBox4", "連続処理中はビュワーを更新しない",
     "Do not update the viewer during continuous processing"},
    {"CheckBox5", "プレビューで調整する", "Adjust in preview"},
    {"Button1", "シート作成", "Sheet creation"},
    {"Button3", "シート設定編集", "Sheet setting editing"},
    {"Button2", "中止", "Stop"},
};

TEST(SheetWindowStart, OpenedFromTheMainWindowWithItsTextsAndStartState) {
    for (const bool ja : {true, false}) {
        SCOPED_TRACE(ja ? "Japanese" : "English");
        SheetHarness h(ja ? kLanguageJapanese : kLanguageEnglishUs);
        h.writeLayout(1, "one", "");
        h.writeLayout(3, "three", "");
        EXPECT_EQ(h.sheet->objectName(), "TForm7");
        EXPECT_EQ(h.sheet->windowTitle(),
                  ja ? "Quorvane インデックスシート作成　<インデックスシート作成>"
                     : "Quorvane Index Sheet Maker　<Create index sheet>");
        for (const TextCase& c : kTexts)
            EXPECT_EQ(h.sheetText(c.name), QString::fromUtf8(ja ? c.ja : c.en)) << c.name;
        EXPECT_TRUE(h.sheet->busy()); // until it is shown

        // Without both folders the main window says so and the window stays closed.
        h.click("SpeedButton4");
        EXPECT_FALSE(h.sheet->isVisible());
        EXPECT_EQ(h.messages.size(), 1);
        h.listPhotos(1);
        h.click("SpeedButton4");
        ASSERT_TRUE(h.sheet->isVisible());
        EXPECT_FALSE(h.sheet->busy());
        auto* layouts = h.control<QComboBox>("ComboBox1");
        EXPECT_EQ(layouts->count(), 2);
        EXPECT_EQ(layouts->itemText(1), "three");
        EXPECT_EQ(layouts->currentIndex(), -1);
        for (const char* name : {"Label3", "Label4", "Label10", "Edit2", "Edit3", "Edit5"})
            EXPECT_TRUE(h.control(name)->isVisible()) << name;
        EXPECT_TRUE(h.control("Button2")->isHidden());
        EXPECT_TRUE(h.control<QCheckBox>("CheckBox2")->isChecked());
        EXPECT_FALSE(h.control("CheckBox5")->isEnabled());
        EXPECT_FALSE(h.control("Edit4")->isEnabled());
        EXPECT_EQ(h.sheet->findChild<PageViewer*>("ImageViewer1")->image().pixel(0, 0),
                  SheetWindow::kClearedPreview);
        EXPECT_TRUE(h.sheetMessages.isEmpty());

        // The slider's value shows in Edit4.
        for (const int value : {0, 55, 100}) {
            h.control<QSlider>("TrackBar1")->setValue(value);
            EXPECT_EQ(h.sheetText("Edit4"), QString::number(value));
        }

        // Tab reaches every control that can be used; fields and viewers carry a name.
        QStringList reached;
        QWidget* w = layouts;
        do {
            if (w->focusPolicy() & Qt::TabFocus)
                reached << w->objectName();
            w = w->nextInFocusChain();
        } while (w != layouts);
        for (const char* name : {"ComboBox1", "Edit1", "Edit2", "Edit3", "Edit5", "TrackBar1",
                                 "CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5",
                                 "Button1", "Button2", "Button3", "ScrollBox1", "ImageViewer1"}) {
            EXPECT_TRUE(reached.contains(name)) << name;
            if (!qobject_cast<QAbstractButton*>(h.control(name))) {
                EXPECT_FALSE(h.control(name)->accessibleName().isEmpty()) << name;
            }
        }
    }
}

TEST(SheetWindowStart, ResizeRuleKeepsTheDesignedBounds) {
    SheetHarness h(kLanguageJapanese);
    h.listPhotos(1);
    h.click("SpeedButton4");
    struct Case {
        QSize asked, expected;
    };
    for (const Case c : {Case{{1200, 700}, {1200, 700}}, Case{{2000, 900}, {1280, 775}},
                         Case{{800, 400}, {1100, 600}}}) {
        h.sheet->resize(c.asked);
        QCoreApplication::processEvents();
        ASSERT_EQ(h.sheet->size(), c.expected);
        const QRect viewer = h.control("ImageViewer1")->geometry();
        const QRect bar = h.control("ProgressBar1")->geometry();
        const int status = h.control("StatusBar1")->height();
        EXPECT_EQ(viewer.width(), c.expected.width() - 2 * viewer.left());
        EXPECT_EQ(viewer.height(), c.expected.height() - viewer.top() - 15 - bar.height() - status);
        EXPECT_EQ(bar.top(), viewer.top() + viewer.height() + 5);
        EXPECT_EQ(bar.width(), viewer.width());
        const int buttonX = c.expected.width() - h.control("Button1")->width() - 15;
        for (const char* name : {"Button1", "Button2", "Button3"})
            EXPECT_EQ(h.control(name)->mapTo(h.sheet, QPoint(0, 0)).x(), buttonX) << name;
    }
}

// The title field and status labels follow titled layouts only; the adjust box follows every
// change: unticked, and enabled only for one photo per page.
TEST(SheetWindowLayouts, ChoosingALayoutSetsTitleStatusAndTheAdjustBox) {
    SheetHarness h(kLanguageJapanese);
    h.writeLayout(1, "titled four", "T4");
    h.writeLayout(2, "untitled one", "", 1);
    h.writeLayout(3, "untitled four", "");
    h.writeLayout(4, "titled one", "T1 [$DATE]", 1);
    h.listPhotos(1);
    h.click("SpeedButton4");
    struct Case {
        int index;
        const char* title;
        const char* label5;
        bool adjustable;
    };
    const Case cases[] = {
        {0, "T4", "titled four ファイル：CustomSize0001.ini", false},
        {1, "T4", "titled four ファイル：CustomSize0001.ini", true},
        {2, "T4", "titled four ファイル：CustomSize0001.ini", false},
        {3, "T1 [$DATE]", "titled one ファイル：CustomSize0004.ini", true},
    };
    auto* adjust = h.control<QCheckBox>("CheckBox5");
    for (const Case& c : cases) {
        adjust->setEnabled(true);
        adjust->setChecked(true);
        h.control<QComboBox>("ComboBox1")->setCurrentIndex(c.index);
        EXPECT_EQ(h.sheetText("Edit1"), QString::fromUtf8(c.title)) << c.index;
        EXPECT_EQ(h.sheetText("Label5"), QString::fromUtf8(c.label5)) << c.index;
        EXPECT_EQ(h.sheetText("Label6"), "タイトル色：ff112233") << c.index;
        EXPECT_FALSE(adjust->isChecked()) << c.index;
        EXPECT_EQ(adjust->isEnabled(), c.adjustable) << c.index;
    }

    // Double click fits the selected layout into the viewer and shows the factor; Ctrl + wheel
    // zooms the viewer only, the status field keeps what it shows.
    auto* viewer = h.sheet->findChild<PageViewer*>("ImageViewer1");
    QTest::mouseDClick(viewer->viewport(), Qt::LeftButton);
    const float fit = std::min(static_cast<float>(viewer->width()) / 300.0f,
                               static_cast<float>(viewer->height()) / 220.0f);
    EXPECT_EQ(viewer->zoom(), fit);
    const QString fitText = "拡大率: " + QString::fromStdString(text::ShortestText(fit));
    EXPECT_EQ(h.sheetText("Label5"), fitText);
    QWheelEvent wheel(QPointF(10, 10), viewer->viewport()->mapToGlobal(QPointF(10, 10)), {},
                      QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(viewer->viewport(), &wheel);
    EXPECT_FLOAT_EQ(viewer->zoom(), fit * 1.25f);
    EXPECT_EQ(h.sheetText("Label5"), fitText);

    // A closed window is busy: choosing and fitting do nothing until it is shown again.
    h.sheet->close();
    h.control<QComboBox>("ComboBox1")->setCurrentIndex(0);
    EXPECT_EQ(h.sheetText("Edit1"), "T1 [$DATE]");
    QTest::mouseDClick(viewer->viewport(), Qt::LeftButton);
    EXPECT_FLOAT_EQ(viewer->zoom(), fit * 1.25f);

    // Reloading for the settings editor: the new file is listed, nothing selected.
    h.writeLayout(5, "five", "");
    h.click("SpeedButton4");
    h.writeLayout(6, "six", "");
    EXPECT_EQ(h.sheet->reloadLayouts(), 6);
    EXPECT_EQ(h.control<QComboBox>("ComboBox1")->currentIndex(), -1);
    EXPECT_FALSE(h.sheet->busy());
}

// After the settings editor saved, the layout list is read again and the layout that was chosen
// is chosen again when it is still listed, as it now reads; a title the operator typed stays.
TEST(SheetWindowLayouts, TheChosenLayoutIsChosenAgainAfterTheEditorSaved) {
    const struct {
        const char* what;
        const char* typed;   // typed into Edit1 before the editor opened, or nullptr
        const char* rewrite; // the chosen layout's file as the editor left it: name, title, photos
        int index;           // chosen afterwards
        const char* title;   // Edit1 afterwards
        const char* label5;
        bool adjustable;
    } cases[] = {
        {"unchanged", nullptr, "two|T2|4", 1, "T2", "two ファイル：CustomSize0002.ini", false},
        {"retitled", nullptr, "second|New|1", 1, "New", "second ファイル：CustomSize0002.ini",
         true},
        {"typed title kept", "Smith 様", "second|New|1", 1, "Smith 様",
         "second ファイル：CustomSize0002.ini", true},
        {"disabled", nullptr, "", -1, "T2", "two ファイル：CustomSize0002.ini", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SheetHarness h(kLanguageJapanese);
        h.writeLayout(1, "one", "T1");
        h.writeLayout(2, "two", "T2");
        h.writeLayout(3, "three", "T3");
        h.listPhotos(1);
        h.click("SpeedButton4");
        h.control<QComboBox>("ComboBox1")->setCurrentIndex(1);
        if (c.typed)
            h.control<QLineEdit>("Edit1")->setText(QString::fromUtf8(c.typed));
        const QStringList parts = QString::fromUtf8(c.rewrite).split('|');
        if (parts.size() == 3)
            h.writeLayout(2, parts[0].toStdString(), parts[1].toStdString(), parts[2].toInt());
        else
            test::WriteFile(std::filesystem::path(h.settingsFolder().toStdString()) /
                                "CustomSize0002.ini",
                            "[PAPER]\nname=two\n[INPUT]\nCHECKBOX7=0\n");
        EXPECT_EQ(h.sheet->reloadLayouts(), parts.size() == 3 ? 3 : 2);
        EXPECT_EQ(h.control<QComboBox>("ComboBox1")->currentIndex(), c.index);
        EXPECT_EQ(h.sheetText("Edit1"), QString::fromUtf8(c.title));
        EXPECT_EQ(h.sheetText("Label5"), QString::fromUtf8(c.label5));
        EXPECT_EQ(h.control("CheckBox5")->isEnabled(), c.adjustable);
        EXPECT_FALSE(h.sheet->busy());
    }
}

// A layout written on Windows names its background by a Windows path: the first press says so,
// naming the layout; every press then fails on the background as designed.
TEST(SheetWindowLayouts, AWindowsBackgroundPathIsPointedOutOnce) {
    SheetHarness h(kLanguageJapanese);
    h.writeLayout(1, "win", "", 4, "[FILEANDDATE]\nbackground_image=C:\\photos\\bg.jpg\n");
    h.listPhotos(1);
    h.click("SpeedButton4");
    h.control<QComboBox>("ComboBox1")->setCurrentIndex(0);
    h.press("Button1");
    h.press("Button1");
    const QString notice = "レイアウト CustomSize0001.ini（win）の背景画像は Windows のパスで、";
    const QString failed = "背景画像を読み込めませんでした。\n";
    ASSERT_EQ(h.sheetMessages.size(), 3);
    EXPECT_TRUE(h.sheetMessages[0].startsWith(notice)) << h.sheetMessages[0].toStdString();
    EXPECT_EQ(h.sheetMessages[1], failed);
    EXPECT_EQ(h.sheetMessages[2], failed);
}

} // namespace
