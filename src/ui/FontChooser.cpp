#include "ui/FontChooser.h"

#include "catalogue/Wording.h"
#include "imaging/Fonts.h"
#include "render/FontSample.h"
#include "ui/BitmapView.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

namespace {

constexpr int kClientWidth = 501;
constexpr int kClientHeight = 346;
constexpr int kViewerWidth = 457;
constexpr int kViewerHeight = 161;

} // namespace

FontChooser::FontChooser(bool japanese, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("TForm16"));
    setWindowTitle(ApplicationTitle(japanese) + QString::fromUtf8("　<フォント選択>"));
    setModal(true);
    setFixedSize(kClientWidth, kClientHeight);

    auto* label1 = new QLabel(QString::fromUtf8("フォント名"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(16, 10, 469, 22);
    comboBox1_ = new QComboBox(this);
    comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    comboBox1_->setGeometry(16, 34, 469, 30);
    comboBox1_->setMaxVisibleItems(20);
    comboBox1_->setAccessibleName(label1->text());
    label1->setBuddy(comboBox1_);

    auto* label3 = new QLabel(QString::fromUtf8("サンプル"), this);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setGeometry(16, 72, 469, 22);
    auto* panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    panel1->setFrameShape(QFrame::StyledPanel);
    panel1->setGeometry(16, 96, 469, 6 + 28 + 4 + kViewerHeight + 6);
    edit1_ = new QLineEdit(kFontSampleText, panel1);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit1_->setReadOnly(true);
    edit1_->setEnabled(false);
    edit1_->setGeometry(6, 6, kViewerWidth, 28);
    edit1_->setAccessibleName(label3->text());
    imageViewer1_ = new BitmapView(panel1);
    imageViewer1_->setObjectName(QStringLiteral("ImageViewer1"));
    imageViewer1_->setGeometry(6, 38, kViewerWidth, kViewerHeight);
    imageViewer1_->setAccessibleName(label3->text());

    button1_ = new QPushButton(QString::fromUtf8("決定"), this);
    button1_->setObjectName(QStringLiteral("Button1"));
    button2_ = new QPushButton(QString::fromUtf8("キャンセル"), this);
    button2_->setObjectName(QStringLiteral("Button2"));
    button1_->setGeometry(kClientWidth - 2 * 120 - 16 - 10, kClientHeight - 32 - 10, 120, 32);
    button2_->setGeometry(kClientWidth - 120 - 16, kClientHeight - 32 - 10, 120, 32);
    for (QPushButton* button : {button1_, button2_})
        button->setAutoDefault(false);

    connect(comboBox1_, &QComboBox::currentIndexChanged, this, &FontChooser::familySelected);
    connect(button1_, &QPushButton::clicked, this, &FontChooser::choose);
    connect(button2_, &QPushButton::clicked, this, &FontChooser::cancelChoice);
    setTabOrder(comboBox1_, imageViewer1_);
    setTabOrder(imageViewer1_, button1_);
    setTabOrder(button1_, button2_);
}

void FontChooser::FillFontList() {
    if (comboBox1_->count() > 0)
        return;
    const bool wasBusy = busy_;
    busy_ = true;
    comboBox1_->addItems(JapaneseFontFamilies());
    comboBox1_->setCurrentIndex(-1);
    busy_ = wasBusy;
}

QString FontChooser::PickFontFamily(QWidget* over) {
    // Only while shown: the windows that made the chooser own it, and the window it opens over
    // should not find the chooser's controls among its own.
    QWidget* const owner = parentWidget();
    const bool lent = over && over != owner;
    if (lent)
        setParent(over, windowFlags());
    exec();
    if (lent)
        setParent(owner, windowFlags());
    return cancelled_ ? QString() : chosen_;
}

void FontChooser::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    cancelled_ = false;
    chosen_.clear();
    comboBox1_->setCurrentIndex(-1);
    imageViewer1_->clear(); // no sample until a family is chosen again
    button1_->setEnabled(false);
    busy_ = false;
    comboBox1_->setFocus(Qt::OtherFocusReason);
}

void FontChooser::familySelected(int index) {
    if (busy_ || index < 0)
        return;
    imageViewer1_->setBitmap(DrawFontSample(comboBox1_->itemText(index), edit1_->text(),
                                            imageViewer1_->width(), imageViewer1_->height()));
    button1_->setEnabled(true);
}

void FontChooser::choose() {
    const int index = comboBox1_->currentIndex();
    if (index < 0)
        return;
    cancelled_ = false;
    chosen_ = comboBox1_->itemText(index);
    accept();
}

void FontChooser::cancelChoice() {
    cancelled_ = true;
    reject();
}

} // namespace quorvane
