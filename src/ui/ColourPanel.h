// The settings editor's colour panel (Panel2): a hue strip (ColorPicker1) driving a saturation and
// brightness square (ColorQuad1), the swatch of the chosen colour (ColorBox1), its four byte labels
// (Label45-Label48) and "決定" (Button11) / "取消" (Button12). One panel serves every colour field
// of the editor; the last opener wins.
#pragma once

#include <QFrame>
#include <QPointer>
#include <QRgb>

class QLabel;
class QLineEdit;
class QPushButton;

namespace quorvane {

class HueStrip;
class SaturationSquare;
class ColourSwatch;

class ColourPanel : public QFrame {
    Q_OBJECT
  public:
    explicit ColourPanel(bool japanese, QWidget* parent = nullptr);

    // Opens the panel for a colour field: the field's text read as a hexadecimal number, of which
    // the low 32 bits become the swatch colour (alpha first); the panel remembers the opener and
    // the field, moves to the position (in its parent) and shows. The strip and the square keep
    // what they showed. A text that does not convert (an empty one too) changes nothing and
    // returns false.
    bool openFor(QWidget* opener, QLineEdit* field, const QPoint& position);

    // The swatch colour, 0xAARRGGBB.
    QRgb colour() const { return colour_; }
    QWidget* opener() const { return opener_; }

    // "決定": hides the panel and writes the swatch colour as eight lower-case hexadecimal digits
    // into the field it was opened for.
    void accept();
    // "取消": hides the panel.
    void cancel();

    // A colour picked in the square: the swatch takes its red, green and blue and keeps its alpha;
    // the byte labels show the new value.
    void pick(QRgb rgb);

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void showBytes();
    void closeAndRefocus(QWidget* focusTo);

    QRgb colour_ = 0xff000000;
    QPointer<QWidget> opener_;
    QPointer<QLineEdit> field_;
    HueStrip* hue_ = nullptr;
    SaturationSquare* square_ = nullptr;
    ColourSwatch* swatch_ = nullptr;
    QLabel* alphaByte_ = nullptr;         // Label45
    QLabel* redByte_ = nullptr;           // Label46
    QLabel* greenByte_ = nullptr;         // Label47
    QLabel* blueByte_ = nullptr;          // Label48
    QPushButton* okButton_ = nullptr;     // Button11 "決定"
    QPushButton* cancelButton_ = nullptr; // Button12 "取消"
};

} // namespace quorvane
