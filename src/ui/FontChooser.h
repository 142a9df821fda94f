// The font chooser (TForm16): the installed families that can write Japanese in ComboBox1, a
// sample of "あいうえお写真展示" in the selected family, "決定" (Button1) and "キャンセル"
// (Button2). Its texts are Japanese in both interface languages.
#pragma once

#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvane {

class BitmapView;

class FontChooser : public QDialog {
    Q_OBJECT
  public:
    explicit FontChooser(bool japanese, QWidget* parent = nullptr);

    // Puts the Japanese-capable families into the list, in the font database's order, names
    // with "@" left out. The settings editor calls it each time it is shown; a list that is
    // already filled is left as it is, so that no family appears twice.
    void FillFontList();

    // Shows the chooser modally; the chosen family, or empty text when it was cancelled or closed
    // without a choice. With `over`, the chooser is that window's child while it is shown, so that
    // it stays above it and opens centred on it; then it goes back to its own parent.
    QString PickFontFamily(QWidget* over = nullptr);

    bool cancelled() const { return cancelled_; }
    QString chosenName() const { return chosen_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void familySelected(int index);
    void choose();
    void cancelChoice();

    bool busy_ = true; // change events are ignored until the first showing has been prepared
    bool cancelled_ = false;
    QString chosen_;
    QComboBox* comboBox1_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    BitmapView* imageViewer1_ = nullptr;
    QPushButton* button1_ = nullptr;
    QPushButton* button2_ = nullptr;
};

} // namespace quorvane
