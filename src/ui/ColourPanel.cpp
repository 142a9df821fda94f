#include "ui/ColourPanel.h"

#include "catalogue/Wording.h"
#include "imaging/Argb.h"
#include "ui/InputFilter.h"

#include <QColor>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>

namespace quorvane {

namespace {

constexpr int kSquareSide = 180;
constexpr int kStripWidth = 22;

double Clamp01(double value) {
    return std::clamp(value, 0.0, 1.0);
}

void PaintFocus(QWidget* widget, QPainter& painter) {
    if (!widget->hasFocus())
        return;
    painter.setPen(QPen(widget->palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(widget->rect()).adjusted(1, 1, -1, -1));
}

} // namespace

// ColorPicker1: the hue, picked along a vertical rainbow by pointer or by the arrow keys.
class HueStrip : public QWidget {
  public:
    explicit HueStrip(QWidget* parent) : QWidget(parent) {
        setFixedSize(kStripWidth, kSquareSide);
        setFocusPolicy(Qt::StrongFocus);
    }
    std::function<void(int)> changed;
    int hue() const { return hue_; }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, 0, height());
        for (int i = 0; i <= 6; ++i)
            gradient.setColorAt(i / 6.0, QColor::fromHsv((i * 60) % 360, 255, 255));
        painter.fillRect(rect(), gradient);
        const int y = hue_ * (height() - 1) / 359;
        painter.setPen(QPen(Qt::black, 2));
        painter.drawLine(0, y, width(), y);
        PaintFocus(this, painter);
    }
    void mousePressEvent(QMouseEvent* event) override { pointAt(event->position().y()); }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (event->buttons() & Qt::LeftButton)
            pointAt(event->position().y());
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() == Qt::Key_Up)
            set(hue_ - 5);
        else if (event->key() == Qt::Key_Down)
            set(hue_ + 5);
        else
            QWidget::keyPressEvent(event);
    }

  private:
    void pointAt(double y) {
        set(static_cast<int>(std::lround(Clamp01(y / (height() - 1)) * 359)));
    }
    void set(int hue) {
        hue_ = std::clamp(hue, 0, 359);
        update();
        if (changed)
            changed(hue_);
    }
    int hue_ = 0;
};

// ColorQuad1: saturation across and brightness down at the strip's hue.
class SaturationSquare : public QWidget {
  public:
    explicit SaturationSquare(QWidget* parent) : QWidget(parent) {
        setFixedSize(kSquareSide, kSquareSide);
        setFocusPolicy(Qt::StrongFocus);
    }
    std::function<void(QRgb)> changed;

    void setHue(int hue) {
        hue_ = hue;
        shades_ = QImage();
        update();
        report();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (shades_.isNull()) {
            shades_ = QImage(size(), QImage::Format_RGB32);
            for (int y = 0; y < height(); ++y)
                for (int x = 0; x < width(); ++x)
                    shades_.setPixel(x, y, colourAt(x / (width() - 1.0), 1 - y / (height() - 1.0)));
        }
        QPainter painter(this);
        painter.drawImage(0, 0, shades_);
        const QPointF mark(saturation_ * (width() - 1), (1 - value_) * (height() - 1));
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(value_ > 0.5 ? Qt::black : Qt::white, 1.5));
        painter.drawEllipse(mark, 5, 5);
        PaintFocus(this, painter);
    }
    void mousePressEvent(QMouseEvent* event) override { pointAt(event->position()); }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (event->buttons() & Qt::LeftButton)
            pointAt(event->position());
    }
    void keyPressEvent(QKeyEvent* event) override {
        constexpr double kStep = 1.0 / 36;
        switch (event->key()) {
        case Qt::Key_Left:
            set(saturation_ - kStep, value_);
            break;
        case Qt::Key_Right:
            set(saturation_ + kStep, value_);
            break;
        case Qt::Key_Up:
            set(saturation_, value_ + kStep);
            break;
        case Qt::Key_Down:
            set(saturation_, value_ - kStep);
            break;
        default:
            QWidget::keyPressEvent(event);
        }
    }

  private:
    QRgb colourAt(double saturation, double value) const {
        return QColor::fromHsvF(static_cast<float>(hue_ / 360.0),
                                static_cast<float>(Clamp01(saturation)),
                                static_cast<float>(Clamp01(value)))
            .rgb();
    }
    void pointAt(const QPointF& p) { set(p.x() / (width() - 1), 1 - p.y() / (height() - 1)); }
    void set(double saturation, double value) {
        saturation_ = Clamp01(saturation);
        value_ = Clamp01(value);
        update();
        report();
    }
    void report() {
        if (changed)
            changed(colourAt(saturation_, value_));
    }

    int hue_ = 0;
    double saturation_ = 0;
    double value_ = 0;
    QImage shades_;
};

// ColorBox1: the chosen colour over a chequered ground, so that its transparency shows.
class ColourSwatch : public QWidget {
  public:
    explicit ColourSwatch(QWidget* parent) : QWidget(parent) { setFixedSize(72, 48); }
    void setColour(QRgb colour) {
        colour_ = colour;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        constexpr int kCheck = 8;
        for (int y = 0; y < height(); y += kCheck)
            for (int x = 0; x < width(); x += kCheck)
                painter.fillRect(x, y, kCheck, kCheck,
                                 ((x + y) / kCheck) % 2 ? QColor(0xcc, 0xcc, 0xcc) : Qt::white);
        painter.fillRect(rect(), QColor::fromRgba(colour_));
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }

  private:
    QRgb colour_ = 0xff000000;
};

ColourPanel::ColourPanel(bool japanese, QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel2"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);

    hue_ = new HueStrip(this);
    hue_->setObjectName(QStringLiteral("ColorPicker1"));
    hue_->setAccessibleName(Pick(japanese, "色相", "Hue"));
    square_ = new SaturationSquare(this);
    square_->setObjectName(QStringLiteral("ColorQuad1"));
    square_->setAccessibleName(Pick(japanese, "彩度と明度", "Saturation and brightness"));
    swatch_ = new ColourSwatch(this);
    swatch_->setObjectName(QStringLiteral("ColorBox1"));
    swatch_->setAccessibleName(Pick(japanese, "選択色", "Chosen colour"));

    auto* bytes = new QVBoxLayout;
    bytes->setSpacing(4);
    bytes->addWidget(swatch_);
    auto byteLabel = [&](const char* name, const char* ja, const char* en) {
        auto* label = new QLabel(Pick(japanese, ja, en), this);
        label->setObjectName(QString::fromLatin1(name));
        bytes->addWidget(label);
        return label;
    };
    alphaByte_ = byteLabel("Label45", "α：0xff", "A：0xff");
    redByte_ = byteLabel("Label46", "R： 0xff", "R：0xff");
    greenByte_ = byteLabel("Label47", "G： 0xff", "G：0xff");
    blueByte_ = byteLabel("Label48", "B： 0xff", "B：0xff");
    bytes->addStretch(1);

    okButton_ = new QPushButton(Pick(japanese, "決定", "OK"), this);
    okButton_->setObjectName(QStringLiteral("Button11"));
    cancelButton_ = new QPushButton(Pick(japanese, "取消", "Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("Button12"));
    for (QPushButton* button : {okButton_, cancelButton_}) {
        button->setAutoDefault(false);
        bytes->addWidget(button);
    }

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(10, 10, 10, 10);
    grid->setHorizontalSpacing(10);
    grid->addWidget(hue_, 0, 0);
    grid->addWidget(square_, 0, 1);
    grid->addLayout(bytes, 0, 2);

    hue_->changed = [this](int hue) { square_->setHue(hue); };
    square_->changed = [this](QRgb rgb) { pick(rgb); };
    connect(okButton_, &QPushButton::clicked, this, &ColourPanel::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &ColourPanel::cancel);

    setTabOrder(hue_, square_);
    setTabOrder(square_, okButton_);
    setTabOrder(okButton_, cancelButton_);
    adjustSize();
    hide();
}

bool ColourPanel::openFor(QWidget* opener, QLineEdit* field, const QPoint& position) {
    if (!field)
        return false;
    const auto colour = ParseArgbLow32(field->text());
    if (!colour)
        return false;
    colour_ = *colour;
    swatch_->setColour(colour_);
    showBytes();
    opener_ = opener;
    field_ = field;
    move(position);
    raise();
    show();
    square_->setFocus(Qt::OtherFocusReason);
    return true;
}

void ColourPanel::pick(QRgb rgb) {
    colour_ = (colour_ & 0xff000000u) | (rgb & 0x00ffffffu);
    swatch_->setColour(colour_);
    showBytes();
}

void ColourPanel::showBytes() {
    // The byte pairs of the eight-digit text, full-width letters in both languages.
    const QString digits = ArgbText(colour_);
    alphaByte_->setText(QString::fromUtf8("α：") + digits.mid(0, 2));
    redByte_->setText(QString::fromUtf8("Ｒ：") + digits.mid(2, 2));
    greenByte_->setText(QString::fromUtf8("Ｇ：") + digits.mid(4, 2));
    blueByte_->setText(QString::fromUtf8("Ｂ：") + digits.mid(6, 2));
}

void ColourPanel::accept() {
    QLineEdit* field = field_;
    closeAndRefocus(opener_);
    if (field)
        InputFilter::SetText(field, ArgbText(colour_));
}

void ColourPanel::cancel() {
    closeAndRefocus(opener_);
}

void ColourPanel::closeAndRefocus(QWidget* focusTo) {
    const bool hadFocus = isAncestorOf(QWidget::focusWidget());
    hide();
    if (hadFocus && focusTo)
        focusTo->setFocus(Qt::OtherFocusReason);
}

void ColourPanel::keyPressEvent(QKeyEvent* event) {
    // Escape closes the panel only, not the window around it.
    if (event->key() == Qt::Key_Escape) {
        cancel();
        event->accept();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace quorvane
