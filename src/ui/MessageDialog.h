// The program's own modal message box (form TForm15): an information message with "OK" that closes
// itself after 15 seconds, and a Yes / No / キャンセル question that answers キャンセル by itself
// after 30 seconds. It sizes itself to the message and centres itself on the primary screen.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTimer;

namespace quorvane {

class MessageDialog : public QDialog {
    Q_OBJECT

  public:
    // Result codes: the preset of an information message, and the three answers of a question.
    enum Answer : int { kOk = 1, kCancel = 2, kYes = 6, kNo = 7 };
    static constexpr int kInfoTimeoutMs = 15000;
    static constexpr int kAskTimeoutMs = 30000;
    static constexpr int kMinClientHeight = 120;

    // The caption is the application's title.
    explicit MessageDialog(const QString& applicationTitle, QWidget* parent = nullptr);

    // Shows the message modally above the owner (may be null) until "OK", a close or the timer.
    void ShowInfo(const QString& text, QWidget* owner);
    // Asks modally; returns kYes, kNo, or kCancel for "キャンセル", a close or the timer.
    int Ask(const QString& text, QWidget* owner = nullptr);

    // The result code of the last showing.
    int answer() const { return answer_; }
    // Set once the window is built; an information message is shown only then.
    bool isReady() const { return ready_; }
    // The self-closing timer (objectName "Timer1"), so that callers and tests can see its state.
    QTimer* timer() const { return timer_; }
    // Runs the timer's expiry now, as if its interval had passed.
    void fireTimer();

  protected:
    void done(int r) override;

  private:
    // Label text, height by the message, centring; returns the client height.
    int prepare(const QString& text, int presetAnswer, QWidget* owner);
    void answerWith(int code);

    QLabel* label_;
    QPushButton* button1_;
    QPushButton* button2_;
    QPushButton* button3_;
    QTimer* timer_;
    int answer_ = kOk;
    bool ready_ = false;
};

} // namespace quorvane
