// The settings editor's controls: texts in both languages, reset values, input filters, the
// standard sizes, the tabs, accessible names and the keyboard's reach.
#include "EditorHarness.h"

#include "catalogue/Wording.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

using namespace quorvane;
using quorvane::test::EditorHarness;

namespace {

struct TextCase {
    const char* name;
    const char* ja;
    const char* en;
};

constexpr TextCase kTexts[] = {
    {"Button1", "サイズ計算", "Size calc"},
    {"Button5", "＜＞", "< >"},
    {"Button16", "..", ".."},
    {"Label24", "タイトル", "Ttile"},
    {"Label68", "（縦位置は写真下固定です）", " (vertical position is fixed at the bottom)"},
    {"CheckBox1", "番号　横列方向優先", "Number row priority direction priority"},
    {"RadioButton7", "中央", "中央"},
    {"RadioButton14", "中央", "Center"},
    {"Button11", "決定", "OK"},
    {"Label45", "α：0xff", "A：0xff"},
    {"Label46", "R： 0xff", "R：0xff"},
    {"Button12", "取消", "Cancel"},
};

// The non-empty fields after showing or "初期化", as number=text.
const char* const kResetJa = "1=300|9=ffffffff|15=1.5|17=200|19=4|20=2|21=1|23=ff000000|"
                             "24=ＭＳ ゴシック|25=ff000000|26=0.0|27=ff000000|28=ページ[$PAGE]|"
                             "29=4|30=ＭＳ ゴシック|31=0.0|32=1";
const char* const kResetEn = "1=300|9=ffffffff|15=1.5|17=200|19=4|20=2|21=1|23=ff000000|"
                             "24=MS Gothic|25=ff000000|26=0.0|27=ff000000|28=Page.[$PAGE]|"
                             "29=4|30=MS Gothic|31=0.0|32=1";

QString Fields(const EditorHarness& h) {
    QStringList filled;
    for (int n = 1; n <= 37; ++n)
        if (const QString text = h.text(QStringLiteral("Edit%1").arg(n)); !text.isEmpty())
            filled << QStringLiteral("%1=%2").arg(n).arg(text);
    return filled.join('|');
}

TEST(EditorForm, TextsCaptionsAndResetValuesInBothLanguages) {
    for (const bool ja : {true, false}) {
        SCOPED_TRACE(ja ? "Japanese" : "English");
        // The caption the window is created with, before its first showing resets it.
        EXPECT_EQ(EditorHarness(ja, false).editor.windowTitle(),
                  ApplicationTitle(ja) + QString::fromUtf8(ja ? "　<インデックスシート　サイズ設定>"
                                                              : "　<IndexSheet Setting>"));
        EditorHarness h(ja);
        for (const TextCase& c : kTexts)
            EXPECT_EQ(h.text(c.name), QString::fromUtf8(ja ? c.ja : c.en)) << c.name;
        EXPECT_EQ(h.editor.windowTitle(),
                  ApplicationTitle(ja) + QString::fromUtf8(ja ? "　<インデックスシート　サイズ設定>"
                                                              : "　<IndexSheet Size setting>"));
        auto* tabs = h.editor.findChild<QTabBar*>("TabControl1");
        EXPECT_EQ(tabs->tabText(2), ja ? QString::fromUtf8("その他の設定") : "Other settings");

        // "初期化" brings back the values of a fresh showing; "EXIF全情報を表示" keeps its state.
        h.type("Edit19", "9");
        h.setChecked("CheckBox15", true);
        h.setChecked("RadioButton1", true);
        h.click("Button4");
        EXPECT_EQ(Fields(h), QString::fromUtf8(ja ? kResetJa : kResetEn));
        const layout::LayoutInput in = h.editor.input();
        for (int n = 1; n <= 15; ++n)
            EXPECT_EQ(in.check(n), n == 1 || n == 2 || n == 4 || n == 14 || n == 15) << n;
        for (int n = 1; n <= 17; ++n)
            EXPECT_EQ(in.radio(n), n == 2 || n == 10 || n == 16) << "RadioButton" << n;
        EXPECT_EQ(h.editor.findChild<QComboBox*>("ComboBox1")->currentIndex(), -1);
        for (const char* hidden : {"Panel2", "Edit17", "CheckBox9"})
            EXPECT_TRUE(h.find(hidden)->isHidden()) << hidden;
    }
}

// What typing leaves in a field: its filter and its length limit.
TEST(EditorForm, FieldFiltersAndLengths) {
    // Field, keys typed, text kept.
    const char* const cases[][3] = {{"Edit2", "12a.5-x", "12.5"},
                                    {"Edit13", "-7,5", "75"},
                                    {"Edit26", "-1.5e", "-1.5"},
                                    {"Edit31", "x-2", "-2"},
                                    {"Edit37", "+3", "3"},
                                    {"Edit1", "1200dpi9", "1200"},
                                    {"Edit9", "FFab12cdef99", "ab12cdef"},
                                    {"Edit33", "80GG00ff00", "8000ff00"},
                                    {"Edit24", "IPAGothic", "IPAGothic"}};
    EditorHarness h;
    for (const auto& [field, typed, kept] : cases) {
        h.type(field, typed);
        EXPECT_EQ(h.text(field), kept) << field << " " << typed;
    }
    // Text the program put there stays; only what is typed is filtered.
    h.setText("Edit9", "FF00");
    QTest::keyClicks(h.find("Edit9"), "aZ-b");
    EXPECT_EQ(h.text("Edit9"), "FF00ab");
    h.type("Edit8", QString(70, QLatin1Char('n')));
    EXPECT_EQ(h.text("Edit8").size(), 60);
    h.type("Edit22", QString(70, QChar(0x5199)));
    EXPECT_EQ(h.text("Edit22").size(), 64);
}

TEST(EditorForm, StandardSizesSwapAndTabs) {
    EditorHarness h;
    auto* sizes = h.editor.findChild<QComboBox*>("ComboBox1");
    ASSERT_EQ(sizes->count(), 19);
    EXPECT_EQ(sizes->maxVisibleItems(), 30);
    const std::pair<int, const char*> cases[] = {{1, "Ｌ判   127*89mm 127 89"},
                                                 {7, "８つ切り  216*152 216 152"},
                                                 {18, "長尺305*900mm 900 305"},
                                                 {0, "  "}};
    for (const auto& [item, expected] : cases) {
        sizes->setCurrentIndex(item);
        EXPECT_EQ(sizes->itemText(item) + ' ' + h.text("Edit2") + ' ' + h.text("Edit3"),
                  QString::fromUtf8(expected));
    }
    sizes->setCurrentIndex(18);
    h.click("Button5");
    EXPECT_EQ(h.text("Edit2"), "305");
    EXPECT_EQ(h.text("Edit3"), "900");

    auto* tabs = h.editor.findChild<QTabBar*>("TabControl1");
    for (int tab : {1, 2, 0}) {
        tabs->setCurrentIndex(tab);
        EXPECT_EQ(h.find("GroupBox3")->isVisible(), tab == 0);
        EXPECT_EQ(h.find("GroupBox6")->isVisible(), tab == 1);
        EXPECT_EQ(h.find("GroupBox7")->isVisible(), tab == 2);
    }
}

// Every field is named by its caption, "mm" stands beside every length, and Tab reaches every
// visible control (one button of a group of radio buttons; the arrows move within the group).
TEST(EditorForm, AccessibleNamesUnitsAndTabReach) {
    EditorHarness h;
    const std::pair<int, int> captions[] = {{8, 10}, {1, 2}, {11, 13}, {18, 25}, {33, 63}};
    for (const auto& [edit, label] : captions)
        EXPECT_EQ(h.find(QStringLiteral("Edit%1").arg(edit))->accessibleName(),
                  h.text(QStringLiteral("Label%1").arg(label)));
    for (int n = 1; n <= 37; ++n)
        EXPECT_FALSE(h.find(QStringLiteral("Edit%1").arg(n))->accessibleName().isEmpty()) << n;
    for (int n : {2, 3, 4, 5, 6, 7, 13, 14, 15, 18, 19, 20, 21, 26, 29, 31, 35, 37})
        EXPECT_EQ(h.text(QStringLiteral("Edit%1Unit").arg(n)), "mm") << n;

    QApplication::setActiveWindow(&h.editor);
    QWidget* panel = h.find("Panel2");
    for (int tab = 0; tab < 3; ++tab) {
        SCOPED_TRACE(tab);
        h.editor.findChild<QTabBar*>("TabControl1")->setCurrentIndex(tab);
        h.find("StringGrid1")->setFocus();
        std::set<QWidget*> reached;
        for (int i = 0; i < 120; ++i) {
            reached.insert(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        // Parts of the toolkit's controls (scroll buttons, headers) carry no name.
        for (QWidget* w : h.editor.findChildren<QWidget*>()) {
            if (!w->objectName().isEmpty() && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() &&
                !w->inherits("QRadioButton") && !panel->isAncestorOf(w)) {
                EXPECT_TRUE(reached.count(w)) << w->objectName().toStdString();
            }
        }
        const std::pair<int, int> groups[] = {{1, 7}, {8, 7}, {15, 3}};
        const auto [first, count] = groups[tab];
        int groupReached = 0;
        for (int n = first; n < first + count; ++n)
            groupReached +=
                static_cast<int>(reached.count(h.find(QStringLiteral("RadioButton%1").arg(n))));
        EXPECT_EQ(groupReached, 1);
    }
}

// Each field has one caption that names it, and each ".." or "..." button says which field it
// serves.
TEST(EditorForm, EveryFieldHasOneCaptionAndEveryHelperNamesItsField) {
    EditorHarness h(false);
    for (int n = 1; n <= 37; ++n) {
        QWidget* field = h.find(QStringLiteral("Edit%1").arg(n));
        QStringList captions;
        for (QLabel* label : h.editor.findChildren<QLabel*>())
            if (label->buddy() == field)
                captions << label->objectName();
        ASSERT_EQ(captions.size(), 1) << "Edit" << n << ": " << captions.join(' ').toStdString();
        EXPECT_EQ(field->accessibleName(), h.text(captions.first())) << "Edit" << n;
    }
    const std::pair<const char*, const char*> helpers[] = {
        {"Button6", "Edit9"},   {"Button7", "Edit23"},  {"Button9", "Edit25"},
        {"Button13", "Edit27"}, {"Button16", "Edit33"}, {"Button14", "Edit24"},
        {"Button15", "Edit30"}, {"Button17", "Edit36"}};
    for (const auto& [button, field] : helpers)
        EXPECT_EQ(h.find(button)->accessibleDescription(), h.find(field)->accessibleName())
            << button;
}

} // namespace
