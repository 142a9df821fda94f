#include "ui/MessageDialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>

namespace quorvane {

namespace {

constexpr int kClientWidth = 656;
constexpr int kLabelLeft = 16;
constexpr int kLabelTop = 8;
constexpr int kLabelWidth = 633;
constexpr int kButtonWidth = 137;
constexpr int kButtonHeight = 33;
constexpr int kButtonBottomGap = 10;

QPushButton* MakeButton(QWidget* parent, const char* objectName, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->resize(kButtonWidth, kButtonHeight);
    return button;
}

} // namespace

MessageDialog::MessageDialog(const QString& applicationTitle, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("TForm15"));
    setWindowTitle(applicationTitle);
    setModal(true);
    setFixedSize(kClientWidth, 122);

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("Label1"));
    // Messages carry file and folder names, which may hold "<" and ">": never read as markup.
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setGeometry(kLabelLeft, kLabelTop, kLabelWidth, kButtonHeight);

    button1_ = MakeButton(this, "Button1", QStringLiteral("OK"));
    button2_ = MakeButton(this, "Button2", QStringLiteral("No"));
    button3_ = MakeButton(this, "Button3", QString::fromUtf8("キャンセル"));
    button2_->hide();
    button3_->hide();
    connect(button1_, &QPushButton::clicked, this, [this] { answerWith(kYes); });
    connect(button2_, &QPushButton::clicked, this, [this] { answerWith(kNo); });
    connect(button3_, &QPushButton::clicked, this, [this] { answerWith(kCancel); });

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    timer_->setInterval(10000);
    connect(timer_, &QTimer::timeout, this, &MessageDialog::fireTimer);

    ready_ = true;
}

int MessageDialog::prepare(const QString& text, int presetAnswer, QWidget* owner) {
    timer_->stop();
    label_->setText(text);
    answer_ = presetAnswer;

    // The label keeps its width and grows with the text; the buttons sit 10 above the bottom.
    int labelHeight = label_->heightForWidth(kLabelWidth);
    if (labelHeight < 0)
        labelHeight = label_->sizeHint().height();
    label_->setGeometry(kLabelLeft, kLabelTop, kLabelWidth, labelHeight);
    int clientHeight = std::max(labelHeight + kButtonHeight + 30, kMinClientHeight);
    setFixedSize(kClientWidth, clientHeight);

    // Show above the reporting window without handing it the dialog's lifetime.
    winId();
    QWindow* handle = windowHandle();
    if (handle)
        handle->setTransientParent(owner ? owner->window()->windowHandle() : nullptr);

    // Centre the whole window, frame included, on the primary screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect area = screen->geometry();
        QSize frame = size();
        if (handle) {
            QMargins margins = handle->frameMargins();
            frame += QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
        }
        move(area.x() + (area.width() - frame.width()) / 2,
             area.y() + (area.height() - frame.height()) / 2);
    }
    return clientHeight;
}

void MessageDialog::ShowInfo(const QString& text, QWidget* owner) {
    if (!ready_)
        return;
    int clientHeight = prepare(text, kOk, owner);
    button1_->setText(QStringLiteral("OK"));
    button1_->move((kClientWidth - kButtonWidth) / 2,
                   clientHeight - kButtonHeight - kButtonBottomGap);
    button2_->hide();
    button3_->hide();
    timer_->setInterval(kInfoTimeoutMs);
    timer_->start();
    exec();
}

int MessageDialog::Ask(const QString& text, QWidget* owner) {
    int clientHeight = prepare(text, kCancel, owner);
    button1_->setText(QStringLiteral("Yes"));
    int top = clientHeight - kButtonHeight - kButtonBottomGap;
    int x = (kClientWidth - 3 * kButtonWidth - 20) / 2;
    button1_->move(x, top);
    button2_->move(x + kButtonWidth + 10, top);
    button3_->move(x + 2 * kButtonWidth + 20, top);
    button2_->show();
    button3_->show();
    timer_->setInterval(kAskTimeoutMs);
    timer_->start();
    exec();
    return answer_;
}

void MessageDialog::fireTimer() {
    // The preset answer stays: 1 for a message, 2 (キャンセル) for a question.
    timer_->stop();
    if (isVisible())
        reject();
}

void MessageDialog::answerWith(int code) {
    timer_->stop();
    answer_ = code;
    accept();
}

void MessageDialog::done(int r) {
    timer_->stop();
    QDialog::done(r);
}

} // namespace quorvane
