// The windows the settings editor opens: its colour panel, the font chooser and the message
// dialog that carries its messages and its question.
#include "EditorHarness.h"

#include "catalogue/Wording.h"
#include "imaging/Argb.h"
#include "render/FontSample.h"
#include "ui/BitmapView.h"
#include "ui/ColourPanel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

using namespace quorvane;
using quorvane::test::EditorHarness;

namespace {

// Steps (see EditorHarness::run), the swatch after them as text, where the panel was last
// placed, and the fields after them; the fields not named keep the values they were reset to.
// "ColorQuad1" picks the square's bright, saturated corner: red at the strip's first hue.
TEST(EditorDialogs, ColourPanelReadsAndWritesItsOpenersField) {
    struct Case {
        const char* steps;
        const char* swatch;
        QPoint at;
        const char* fields;
    };
    const Case cases[] = {
        {"Edit25=ff000000 Button9 Button11", "ff000000", {650, 500}, "Edit25=ff000000"},
        {"Edit9=ff Button6 Button11", "000000ff", {700, 120}, "Edit9=000000ff"},
        {"Button6 Edit23=ff123456 Button7 Button11",
         "ff123456",
         {500, 300},
         "Edit9=ffffffff Edit23=ff123456"},
        {"Edit27=80000000 Button13 ColorQuad1 Button11", "80ff0000", {500, 300}, "Edit27=80ff0000"},
        {"Edit33=FF00AA00 Button16 Button11", "ff00aa00", {500, 300}, "Edit33=ff00aa00"},
        {"Edit33=12345678 Button16 ColorQuad1 Button12", "12ff0000", {500, 300}, "Edit33=12345678"},
        {"Edit25= Button9", "ff000000", {}, "Edit25="}, // an empty field keeps the panel closed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.steps);
        EditorHarness h;
        auto* panel = h.editor.findChild<ColourPanel*>("Panel2");
        QPoint at;
        for (const QString& step : QString::fromLatin1(c.steps).split(' ')) {
            h.run(step);
            if (panel->isVisible())
                at = panel->pos();
        }
        EXPECT_FALSE(panel->isVisible());
        EXPECT_EQ(at, c.at);
        EXPECT_EQ(ArgbText(panel->colour()), c.swatch);
        if (!c.at.isNull()) {
            const QString s = QString::fromLatin1(c.swatch);
            EXPECT_EQ(h.text("Label45") + h.text("Label46") + h.text("Label47") + h.text("Label48"),
                      QString::fromUtf8("α：%1Ｒ：%2Ｇ：%3Ｂ：%4")
                          .arg(s.mid(0, 2), s.mid(2, 2), s.mid(4, 2), s.mid(6, 2)));
        }
        for (const QString& field : QString::fromLatin1(c.fields).split(' '))
            EXPECT_EQ(h.text(field.section('=', 0, 0)), field.section('=', 1))
                << field.toStdString();
    }
}

// The chooser's texts are Japanese in both interface languages; only the title before them varies.
TEST(EditorDialogs, FontChooserTextsInBothLanguages) {
    const char* const texts[][2] = {{"Label1", "フォント名"},
                                    {"Label3", "サンプル"},
                                    {"Edit1", "あいうえお写真展示"},
                                    {"Button1", "決定"},
                                    {"Button2", "キャンセル"}};
    for (const bool ja : {true, false}) {
        FontChooser chooser(ja);
        EXPECT_EQ(chooser.windowTitle(),
                  ApplicationTitle(ja) + QString::fromUtf8("　<フォント選択>"));
        for (const auto& [name, text] : texts)
            EXPECT_EQ(chooser.findChild<QWidget*>(name)->property("text").toString(),
                      QString::fromUtf8(text))
                << name;
    }
}

TEST(EditorDialogs, FontChooserListsJapaneseFamiliesAndDrawsTheSample) {
    FontChooser chooser(true);
    chooser.FillFontList();
    auto* families = chooser.findChild<QComboBox*>("ComboBox1");
    const int count = families->count();
    ASSERT_GT(count, 0);
    bool ipa = false;
    for (int i = 0; i < count; ++i) {
        EXPECT_FALSE(families->itemText(i).contains('@')) << families->itemText(i).toStdString();
        ipa = ipa || families->itemText(i).contains(QStringLiteral("IPA"));
    }
    EXPECT_TRUE(ipa) << "no IPA family among " << count;
    chooser.FillFontList();
    EXPECT_EQ(families->count(), count);

    chooser.show();
    auto* choose = chooser.findChild<QPushButton*>("Button1");
    EXPECT_FALSE(choose->isEnabled());
    families->setCurrentIndex(0);
    EXPECT_TRUE(choose->isEnabled());
    const QImage sample = chooser.findChild<BitmapView*>("ImageViewer1")->bitmap();
    EXPECT_EQ(sample.size(), QSize(457, 161));
    EXPECT_NE(sample.pixel(228, 80) & 0xffffff, 0xffffffu & sample.pixel(2, 2)) << "no text";
    chooser.hide();
}

// The sample is centred in a rectangle as wide as the viewer or the text: a text wider than the
// viewer starts at its left edge and is cut off at its right. The text is "あ" and ideographic
// spaces, so the only ink is that of its first character.
TEST(EditorDialogs, FontSampleCentredOrCutOff) {
    // Spaces after "あ", and the columns where the ink may begin and end.
    const std::tuple<int, int, int> cases[] = {{5, 130, 175}, {20, 0, 31}};
    for (const auto& [spaces, from, to] : cases) {
        SCOPED_TRACE(spaces);
        const QString text = QString::fromUtf8("あ") + QString(spaces, QChar(0x3000));
        const QImage sample = DrawFontSample(QStringLiteral("IPAGothic"), text, 457, 161);
        ASSERT_EQ(sample.size(), QSize(457, 161));
        int first = sample.width(), last = -1;
        for (int y = 0; y < sample.height(); ++y)
            for (int x = 0; x < sample.width(); ++x)
                if (qGray(sample.pixel(x, y)) < 128) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        EXPECT_GE(first, from);
        EXPECT_LE(last, to);
        EXPECT_LT(first, last);
    }
}

// The "..." buttons: a choice fills the box beside them; cancel or closing leaves it alone.
TEST(EditorDialogs, FontButtonsFillTheirBoxOnlyOnAChoice) {
    struct Case {
        const char* button;
        const char* field;
        const char* close; // "Button1" chooses, "Button2" cancels, "" closes the window
        bool changed;
    };
    const Case cases[] = {{"Button14", "Edit24", "Button2", false},
                          {"Button15", "Edit30", "Button1", true},
                          {"Button17", "Edit36", "", false}};
    EditorHarness h;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        const QString before = h.text(c.field);
        QString chosen;
        h.whileModal([&](QWidget* chooser) {
            EXPECT_EQ(chooser->objectName(), "TForm16");
            auto* families = chooser->findChild<QComboBox*>("ComboBox1");
            families->setCurrentIndex(families->count() - 1);
            chosen = families->currentText();
            if (*c.close)
                chooser->findChild<QPushButton*>(c.close)->click();
            else
                chooser->close();
        });
        h.click(c.button);
        EXPECT_EQ(h.text(c.field), c.changed ? chosen : before);
    }
}

// The chooser opens as the settings editor's child, so it stays above it (never behind the other
// windows) and is centred on it wherever the editor stands; afterwards it is its maker's again.
TEST(EditorDialogs, FontChooserOpensOverTheEditorCentredOnIt) {
    EditorHarness h;
    const QRect screen = h.editor.screen()->availableGeometry();
    for (const QPoint at : {QPoint(0, 0), QPoint(screen.width() / 3, screen.height() / 4)}) {
        SCOPED_TRACE(testing::Message() << at.x() << "," << at.y());
        h.editor.resize(h.editor.minimumSizeHint());
        h.editor.move(at);
        QCoreApplication::processEvents();
        h.whileModal([&](QWidget* chooser) {
            EXPECT_EQ(chooser->objectName(), "TForm16");
            EXPECT_EQ(chooser->parentWidget(), &h.editor);
            ASSERT_NE(chooser->windowHandle(), nullptr);
            EXPECT_EQ(chooser->windowHandle()->transientParent(), h.editor.windowHandle());
            // Centred on the editor as far as the screen allows, give or take the room the
            // toolkit keeps for a window frame.
            const QRect own = chooser->geometry();
            const QPoint want(
                std::clamp(h.editor.geometry().center().x(), screen.left() + own.width() / 2,
                           screen.right() - own.width() / 2),
                std::clamp(h.editor.geometry().center().y(), screen.top() + own.height() / 2,
                           screen.bottom() - own.height() / 2));
            EXPECT_LE((own.center() - want).manhattanLength(), 50)
                << own.center().x() << "," << own.center().y();
            chooser->close();
        });
        h.click("Button14");
        EXPECT_EQ(h.fonts.parentWidget(), nullptr);
    }
}

// Without replacements the question reaches the message dialog, and "No" keeps the layout.
TEST(EditorDialogs, QuestionGoesThroughTheMessageDialog) {
    EditorHarness h(true, false, false);
    test::WriteFile(h.folder() / "CustomSize0001.ini", "[PAPER]\nname=A\n[INPUT]\nEDIT8=A\n");
    test::WriteFile(h.folder() / "CustomSize0002.ini", "[PAPER]\nname=B\n[INPUT]\nEDIT8=B\n");
    h.editor.show();
    h.editRow(0);
    QString asked;
    h.whileModal([&](QWidget* dialog) {
        asked = dialog->findChild<QLabel*>("Label1")->text();
        dialog->findChild<QPushButton*>("Button2")->click();
    });
    h.editRow(1);
    EXPECT_EQ(asked, QString::fromUtf8("編集中ですが破棄してよろしいですか？"));
    EXPECT_EQ(h.text("Edit8"), "A");
}

} // namespace
