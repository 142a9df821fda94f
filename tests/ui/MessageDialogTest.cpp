// The message dialog: its size by the message, button places, answers and self-closing timers.
#include "ui/MessageDialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using quorvane::MessageDialog;

namespace {

QPushButton* Button(MessageDialog& d, const char* name) {
    return d.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Runs `whileShown` once the dialog's modal loop is running. A safety close ends the loop when
// the step itself did not, so a faulty dialog fails the test instead of hanging it.
void WhileShown(MessageDialog& d, std::function<void()> whileShown) {
    QTimer::singleShot(0, &d, [&d, whileShown] {
        EXPECT_TRUE(d.isVisible());
        whileShown();
        if (d.isVisible()) {
            ADD_FAILURE() << "the dialog is still open";
            d.reject();
        }
    });
}

struct Geometry {
    int height;
    QRect button1, button2, button3;
    bool button2Visible, button3Visible;
    QString caption1, caption2, caption3;
    bool timerActive;
    int timerInterval;
    QPoint position;
};

Geometry Capture(MessageDialog& d) {
    return {d.height(),
            Button(d, "Button1")->geometry(),
            Button(d, "Button2")->geometry(),
            Button(d, "Button3")->geometry(),
            Button(d, "Button2")->isVisible(),
            Button(d, "Button3")->isVisible(),
            Button(d, "Button1")->text(),
            Button(d, "Button2")->text(),
            Button(d, "Button3")->text(),
            d.timer()->isActive(),
            d.timer()->interval(),
            d.frameGeometry().topLeft()};
}

QPoint Centred(const MessageDialog& d) {
    QRect screen = QGuiApplication::primaryScreen()->geometry();
    QSize frame = d.frameGeometry().size();
    return {screen.x() + (screen.width() - frame.width()) / 2,
            screen.y() + (screen.height() - frame.height()) / 2};
}

} // namespace

TEST(MessageDialog, IsBuiltWithItsNamesAndCaption) {
    MessageDialog d(QStringLiteral("Quorvane"));
    EXPECT_EQ(d.objectName(), "TForm15");
    EXPECT_EQ(d.windowTitle(), "Quorvane");
    EXPECT_TRUE(d.isReady());
    EXPECT_EQ(d.width(), 656);
    ASSERT_NE(d.findChild<QLabel*>("Label1"), nullptr);
    EXPECT_EQ(d.timer()->objectName(), "Timer1");
    EXPECT_FALSE(d.timer()->isActive());
    EXPECT_EQ(Button(d, "Button3")->text(), QString::fromUtf8("キャンセル"));
    EXPECT_EQ(Button(d, "Button1")->size(), QSize(137, 33));
}

TEST(MessageDialog, AOneLineMessageIs120HighWithOKCentred) {
    MessageDialog d(QStringLiteral("Quorvane"));
    Geometry g{};
    WhileShown(d, [&] {
        g = Capture(d);
        Button(d, "Button1")->click();
    });
    d.ShowInfo(QString::fromUtf8("シートを作成しました。"), nullptr);
    EXPECT_EQ(g.height, 120);
    EXPECT_EQ(g.button1, QRect(259, 77, 137, 33));
    EXPECT_EQ(g.caption1, "OK");
    EXPECT_FALSE(g.button2Visible);
    EXPECT_FALSE(g.button3Visible);
    EXPECT_TRUE(g.timerActive);
    EXPECT_EQ(g.timerInterval, 15000);
    EXPECT_EQ(g.position, Centred(d));
    EXPECT_EQ(d.findChild<QLabel*>("Label1")->geometry().topLeft(), QPoint(16, 8));
    EXPECT_EQ(d.answer(), MessageDialog::kYes); // Button1's code
    EXPECT_FALSE(d.timer()->isActive());
}

TEST(MessageDialog, AManyLineMessageGrowsTheWindow) {
    MessageDialog d(QStringLiteral("Quorvane"));
    QString text = QString::fromUtf8("サイズ名称が未入力です。");
    for (int i = 0; i < 20; ++i)
        text += QString::fromUtf8("\n用紙幅が未定義です。");
    Geometry g{};
    int labelHeight = 0;
    WhileShown(d, [&] {
        g = Capture(d);
        labelHeight = d.findChild<QLabel*>("Label1")->height();
        d.fireTimer();
    });
    d.ShowInfo(text, nullptr);
    EXPECT_GT(labelHeight, 200);
    EXPECT_EQ(g.height, labelHeight + 33 + 30);
    EXPECT_EQ(g.button1.top(), g.height - 33 - 10);
    EXPECT_EQ(d.answer(), MessageDialog::kOk); // the timer keeps the preset
    EXPECT_EQ(g.position, Centred(d));
}

// A name that looks like markup is shown as it is, one line per line.
TEST(MessageDialog, ShowsMessagesAsPlainText) {
    MessageDialog d(QStringLiteral("Quorvane"));
    auto labelHeight = [&d](const char* text) {
        int height = 0;
        WhileShown(d, [&] {
            height = d.findChild<QLabel*>("Label1")->height();
            d.fireTimer();
        });
        d.ShowInfo(QString::fromUtf8(text), nullptr);
        return height;
    };
    const int plain = labelHeight("photo.jpg\n2\n3\n4");
    EXPECT_EQ(labelHeight("<i>photo</i>.jpg\n2\n3\n4"), plain);
}

TEST(MessageDialog, AskPlacesThreeButtonsAndReturnsTheAnswer) {
    MessageDialog d(QStringLiteral("Quorvane"));
    struct Case {
        const char* press;
        int expected;
    } cases[] = {{"Button1", 6}, {"Button2", 7}, {"Button3", 2}};
    for (const auto& c : cases) {
        Geometry g{};
        WhileShown(d, [&] {
            g = Capture(d);
            Button(d, c.press)->click();
        });
        EXPECT_EQ(d.Ask(QString::fromUtf8("編集中ですが破棄してよろしいですか？")), c.expected)
            << c.press;
        EXPECT_EQ(g.height, 120);
        EXPECT_EQ(g.button1, QRect(112, 77, 137, 33));
        EXPECT_EQ(g.button2, QRect(259, 77, 137, 33));
        EXPECT_EQ(g.button3, QRect(406, 77, 137, 33));
        EXPECT_TRUE(g.button2Visible && g.button3Visible);
        EXPECT_EQ(g.caption1, "Yes");
        EXPECT_EQ(g.caption2, "No");
        EXPECT_EQ(g.caption3, QString::fromUtf8("キャンセル"));
        EXPECT_EQ(g.timerInterval, 30000);
        EXPECT_TRUE(g.timerActive);
        EXPECT_FALSE(d.timer()->isActive());
    }
}

TEST(MessageDialog, AskAnswersCancelWhenClosedOrLeftAlone) {
    MessageDialog d(QStringLiteral("Quorvane"));
    std::function<void()> closers[] = {
        [&] { d.fireTimer(); },
        [&] { d.close(); },
        [&] {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(&d, &press);
        },
    };
    for (auto& closer : closers) {
        WhileShown(d, closer);
        EXPECT_EQ(d.Ask(QStringLiteral("?")), MessageDialog::kCancel);
        EXPECT_FALSE(d.timer()->isActive());
    }
}

TEST(MessageDialog, EachShowingResetsButtonsAndTimer) {
    MessageDialog d(QStringLiteral("Quorvane"));
    WhileShown(d, [&] { Button(d, "Button2")->click(); });
    EXPECT_EQ(d.Ask(QStringLiteral("?")), MessageDialog::kNo);
    Geometry g{};
    WhileShown(d, [&] {
        g = Capture(d);
        d.fireTimer();
    });
    d.ShowInfo(QStringLiteral("done"), nullptr);
    EXPECT_EQ(g.caption1, "OK");
    EXPECT_EQ(g.button1.left(), 259);
    EXPECT_FALSE(g.button2Visible || g.button3Visible);
    EXPECT_EQ(g.timerInterval, 15000);
    EXPECT_EQ(d.answer(), MessageDialog::kOk);
}

TEST(MessageDialog, ShowsAboveItsOwnerWithoutBelongingToIt) {
    MessageDialog d(QStringLiteral("Quorvane"));
    {
        QWidget owner;
        owner.show();
        WhileShown(d, [&] { d.fireTimer(); });
        d.ShowInfo(QStringLiteral("owned"), &owner);
        EXPECT_EQ(d.parent(), nullptr);
    }
    // The owner is gone; the dialog lives on and shows again.
    WhileShown(d, [&] { d.fireTimer(); });
    d.ShowInfo(QStringLiteral("again"), nullptr);
}
