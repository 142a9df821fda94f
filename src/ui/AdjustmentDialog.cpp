#include "ui/AdjustmentDialog.h"

#include "catalogue/Wording.h"
#include "files/LocalPath.h"
#include "imaging/AdjustmentPreview.h"
#include "imaging/Argb.h"
#include "imaging/Raster.h"
#include "render/PhotoPlan.h"
#include "render/PhotoSource.h"
#include "text/Numbers.h"
#include "ui/AdjustmentViews.h"
#include "ui/BitmapView.h"
#include "ui/BusyScope.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDial>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvane {

namespace {

constexpr int kStatusHeight = 24;
constexpr int kResetButtonWidth = 56;
constexpr int kMainButtonWidth = 160;
constexpr int kMainButtonHeight = 30;
constexpr int kDialSize = 84;
constexpr int kUprightBarHeight = 96;
constexpr int kResizeSettleMs = 120;
constexpr int kDefaultZoomMaximum = 200;
constexpr QRgb kPreviewBackground = 0xff8a8a8a;

// The photo is a listed path that may hold bytes that are not UTF-8 (see LocalPath.h): it is
// reached through the path layer only, never by QFileInfo or QImageReader by name.
bool PhotoExists(const LocalPath& path) {
    return IsLocalFile(path);
}

QString Shortest(double value) {
    return QString::fromStdString(text::ShortestText(value));
}

QString Shortest(float value) {
    return QString::fromStdString(text::ShortestText(value));
}

// The wait cursor for one scope.
class WaitCursor {
  public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

QImage OpaqueBlack(QSize size) {
    QImage image = CreateBitmap(std::max(1, size.width()), std::max(1, size.height()));
    Clear(image, 0xff000000);
    return image;
}

} // namespace

AdjustmentDialog::AdjustmentDialog(bool japanese, QWidget* parent)
    : QDialog(parent), japanese_(japanese) {
    setObjectName(QStringLiteral("TForm18"));
    setModal(true);
    setMinimumSize(kMinClientWidth, kMinClientHeight);
    showMessage = [this](const QString& text) {
        QMessageBox::information(this, ApplicationTitle(japanese_), text);
    };
    resizeReset_ = new QTimer(this);
    resizeReset_->setSingleShot(true);
    resizeReset_->setInterval(kResizeSettleMs);
    connect(resizeReset_, &QTimer::timeout, this, [this] {
        if (isVisible() && !busy_ && previewSize_ != image2_->size())
            resetAll();
    });
    createControls();
    layOutControls();
    applyTexts();
    resize(kMinClientWidth, kMinClientHeight);
}

AdjustmentDialog::~AdjustmentDialog() = default;

void AdjustmentDialog::createControls() {
    const std::pair<QLabel**, const char*> labels[] = {
        {&zoomLabel_, "Label1"},    {&shiftXLabel_, "Label2"},     {&shiftYLabel_, "Label3"},
        {&turnStatus_, "Label4"},   {&selectionStatus_, "Label5"}, {&zoomStatus_, "Label6"},
        {&shiftXStatus_, "Label7"}, {&shiftYStatus_, "Label8"},    {&redLabel_, "Label9"},
        {&greenLabel_, "Label10"},  {&blueLabel_, "Label11"},      {&turnLabel_, "Label12"},
        {&colourLabel_, "Label13"}, {&histogramLabel_, "Label14"}};
    for (const auto& [label, name] : labels) {
        *label = new QLabel(this);
        (*label)->setObjectName(QLatin1String(name));
    }
    const std::pair<QPushButton**, const char*> buttons[] = {
        {&resetAllButton_, "Button1"},    {&cancelButton_, "Button2"},
        {&decideButton_, "Button3"},      {&zoomResetButton_, "Button4"},
        {&shiftXResetButton_, "Button5"}, {&turnResetButton_, "Button6"},
        {&shiftYResetButton_, "Button7"}, {&colourResetButton_, "Button8"}};
    for (const auto& [button, name] : buttons) {
        *button = new QPushButton(this);
        (*button)->setObjectName(QLatin1String(name));
        // Enter does not decide by accident while a slider has the focus.
        (*button)->setAutoDefault(false);
        (*button)->setFocusPolicy(Qt::StrongFocus);
        (*button)->setFixedWidth(kResetButtonWidth);
    }
    for (QPushButton* button : {resetAllButton_, cancelButton_, decideButton_}) {
        button->setFixedWidth(kMainButtonWidth);
        button->setFixedHeight(kMainButtonHeight);
    }

    const std::pair<QSlider**, const char*> bars[] = {
        {&zoomBar_, "TrackBar1"}, {&shiftXBar_, "TrackBar2"}, {&shiftYBar_, "TrackBar3"},
        {&redBar_, "TrackBar4"},  {&greenBar_, "TrackBar5"},  {&blueBar_, "TrackBar6"}};
    for (const auto& [bar, name] : bars) {
        *bar = new QSlider(bar == &shiftYBar_ ? Qt::Vertical : Qt::Horizontal, this);
        (*bar)->setObjectName(QLatin1String(name));
        (*bar)->setFocusPolicy(Qt::StrongFocus);
        (*bar)->setSingleStep(1);
    }
    zoomBar_->setRange(100, kDefaultZoomMaximum);
    zoomBar_->setPageStep(10);
    zoomBar_->setValue(100);
    for (QSlider* bar : {shiftXBar_, shiftYBar_}) {
        bar->setRange(-kMaxShift, kMaxShift);
        bar->setPageStep(5);
    }
    // The upright bar runs from -50 at the top to 50 at the bottom (positive moves down), and
    // the arrow keys move its handle the way they point.
    shiftYBar_->setInvertedAppearance(true);
    shiftYBar_->setInvertedControls(true);
    shiftYBar_->setFixedHeight(kUprightBarHeight);
    for (QSlider* bar : colourBars()) {
        bar->setRange(-25, 25);
        bar->setPageStep(5);
        bar->setMinimumWidth(130);
    }
    zoomBar_->setMinimumWidth(170);
    shiftXBar_->setMinimumWidth(170);

    for (const auto& [edit, name] :
         {std::pair{&redEdit_, "Edit1"}, {&greenEdit_, "Edit2"}, {&blueEdit_, "Edit3"}}) {
        *edit = new QLineEdit(QStringLiteral("0"), this);
        (*edit)->setObjectName(QLatin1String(name));
        (*edit)->setReadOnly(true);
        (*edit)->setFixedWidth(44);
        (*edit)->setAlignment(Qt::AlignRight);
    }

    // The dial's own value is its angle in degrees, 0 at the top, growing clockwise; the photo
    // turns by a tenth of it.
    arcDial1_ = new QDial(this);
    arcDial1_->setObjectName(QStringLiteral("ArcDial1"));
    arcDial1_->setRange(-180, 180);
    arcDial1_->setWrapping(true);
    arcDial1_->setNotchesVisible(true);
    arcDial1_->setNotchTarget(6);
    arcDial1_->setSingleStep(1);
    arcDial1_->setPageStep(10);
    arcDial1_->setValue(0);
    arcDial1_->setFixedSize(kDialSize, kDialSize);
    arcDial1_->setFocusPolicy(Qt::StrongFocus);

    checkBox1_ = new QCheckBox(this);
    checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
    checkBox1_->setChecked(true);

    image4_ = new BitmapView(this);
    image4_->setObjectName(QStringLiteral("Image4"));
    image4_->setFixedSize(Histogram::kWidth, Histogram::kHeight);

    scrollBox1_ = new QScrollArea(this);
    scrollBox1_->setObjectName(QStringLiteral("ScrollBox1"));
    scrollBox1_->setFocusPolicy(Qt::StrongFocus);
    scrollBox1_->setWidgetResizable(false);
    scrollBox1_->setMinimumSize(kImageInset * 4, kImageInset * 4);
    // The photo stands on grey, the margin round the pictures included.
    QPalette grey = scrollBox1_->viewport()->palette();
    grey.setColor(QPalette::Window, QColor::fromRgba(kPreviewBackground));
    scrollBox1_->viewport()->setPalette(grey);
    scrollBox1_->viewport()->setAutoFillBackground(true);
    previewArea_ = new QWidget;
    previewArea_->setAutoFillBackground(true);
    previewArea_->setPalette(grey);
    image1_ = new TurningPhotoView(previewArea_);
    image1_->setObjectName(QStringLiteral("Image1"));
    image2_ = new CropFrameView(previewArea_);
    image2_->setObjectName(QStringLiteral("Image2"));
    image2_->raise();
    image3_ = new BitmapView(previewArea_);
    image3_->setObjectName(QStringLiteral("Image3"));
    image3_->setFocusPolicy(Qt::NoFocus);
    image3_->hide();
    scrollBox1_->setWidget(previewArea_);
    scrollBox1_->installEventFilter(this);

    statusBar1_ = new QWidget(this);
    statusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar1_->setAttribute(Qt::WA_StyledBackground, true);
    statusBar1_->setStyleSheet(QStringLiteral("#StatusBar1 { border-top: 1px solid #c4c4c4; }"));
    statusBar1_->setFixedHeight(kStatusHeight);
    for (QLabel* label : {selectionStatus_, turnStatus_, zoomStatus_, shiftXStatus_, shiftYStatus_})
        label->setParent(statusBar1_);

    const std::pair<QLabel*, QWidget*> buddies[] = {
        {zoomLabel_, zoomBar_},  {shiftXLabel_, shiftXBar_}, {shiftYLabel_, shiftYBar_},
        {turnLabel_, arcDial1_}, {redLabel_, redBar_},       {greenLabel_, greenBar_},
        {blueLabel_, blueBar_},  {histogramLabel_, image4_}};
    for (const auto& [label, control] : buddies)
        label->setBuddy(control);

    connect(decideButton_, &QPushButton::clicked, this, &AdjustmentDialog::decide);
    connect(cancelButton_, &QPushButton::clicked, this, &AdjustmentDialog::reject);
    connect(resetAllButton_, &QPushButton::clicked, this, &AdjustmentDialog::resetAll);
    // A reset button puts its control back and then runs the control's handler, also when the
    // value was already there, so the frame and the status line always show the reset state.
    const auto resetTo = [this](QAbstractSlider* control, int value,
                                void (AdjustmentDialog::*handler)()) {
        {
            const QSignalBlocker quiet(control);
            control->setValue(value);
        }
        (this->*handler)();
    };
    connect(zoomResetButton_, &QPushButton::clicked, this,
            [resetTo, this] { resetTo(zoomBar_, 100, &AdjustmentDialog::zoomChanged); });
    connect(shiftXResetButton_, &QPushButton::clicked, this,
            [resetTo, this] { resetTo(shiftXBar_, 0, &AdjustmentDialog::shiftXChanged); });
    connect(shiftYResetButton_, &QPushButton::clicked, this,
            [resetTo, this] { resetTo(shiftYBar_, 0, &AdjustmentDialog::shiftYChanged); });
    connect(turnResetButton_, &QPushButton::clicked, this,
            [resetTo, this] { resetTo(arcDial1_, 0, &AdjustmentDialog::dialTurned); });
    connect(colourResetButton_, &QPushButton::clicked, this, &AdjustmentDialog::resetColours);
    connect(zoomBar_, &QSlider::valueChanged, this, &AdjustmentDialog::zoomChanged);
    connect(shiftXBar_, &QSlider::valueChanged, this, &AdjustmentDialog::shiftXChanged);
    connect(shiftYBar_, &QSlider::valueChanged, this, &AdjustmentDialog::shiftYChanged);
    connect(arcDial1_, &QDial::valueChanged, this, &AdjustmentDialog::dialTurned);
    for (QSlider* bar : colourBars())
        connect(bar, &QSlider::valueChanged, this, &AdjustmentDialog::colourChanged);
    connect(checkBox1_, &QCheckBox::toggled, this, &AdjustmentDialog::correctionTicked);
}

void AdjustmentDialog::layOutControls() {
    // Enlargement and left/right: caption above, bar and its reset beside each other.
    auto* shifts = new QGridLayout;
    shifts->setHorizontalSpacing(6);
    shifts->setVerticalSpacing(2);
    shifts->addWidget(zoomLabel_, 0, 0, 1, 2);
    shifts->addWidget(zoomBar_, 1, 0);
    shifts->addWidget(zoomResetButton_, 1, 1);
    shifts->setRowMinimumHeight(2, 8);
    shifts->addWidget(shiftXLabel_, 3, 0, 1, 2);
    shifts->addWidget(shiftXBar_, 4, 0);
    shifts->addWidget(shiftXResetButton_, 4, 1);
    shifts->setRowStretch(5, 1);

    auto* upright = new QVBoxLayout;
    upright->setSpacing(4);
    upright->addWidget(shiftYLabel_, 0, Qt::AlignHCenter);
    upright->addWidget(shiftYBar_, 0, Qt::AlignHCenter);
    upright->addWidget(shiftYResetButton_, 0, Qt::AlignHCenter);
    upright->addStretch(1);

    auto* turn = new QVBoxLayout;
    turn->setSpacing(4);
    turn->addWidget(turnLabel_, 0, Qt::AlignHCenter);
    turn->addWidget(arcDial1_, 0, Qt::AlignHCenter);
    turn->addWidget(turnResetButton_, 0, Qt::AlignHCenter);
    turn->addStretch(1);

    // The colour group: heading and its reset, the three bars with their value boxes, the box.
    auto* colours = new QGridLayout;
    colours->setHorizontalSpacing(4);
    colours->setVerticalSpacing(2);
    colours->addWidget(colourLabel_, 0, 0, 1, 2);
    colours->addWidget(colourResetButton_, 0, 2, Qt::AlignRight);
    QLabel* const colourNames[] = {redLabel_, greenLabel_, blueLabel_};
    for (int i = 0; i < 3; ++i) {
        colours->addWidget(colourNames[i], 1 + i, 0);
        colours->addWidget(colourBars()[static_cast<size_t>(i)], 1 + i, 1);
        colours->addWidget(colourEdits()[static_cast<size_t>(i)], 1 + i, 2);
    }
    colours->addWidget(checkBox1_, 4, 0, 1, 3);
    colours->setRowStretch(5, 1);

    auto* histogram = new QVBoxLayout;
    histogram->setSpacing(2);
    histogram->addWidget(histogramLabel_);
    histogram->addWidget(image4_);
    histogram->addStretch(1);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(decideButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(resetAllButton_);
    buttons->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(kEdgeGap, 10, kEdgeGap, 8);
    top->setSpacing(10);
    top->addLayout(shifts);
    top->addLayout(upright);
    top->addLayout(turn);
    top->addLayout(colours);
    top->addLayout(histogram);
    top->addStretch(1);
    top->addLayout(buttons);

    auto* preview = new QHBoxLayout;
    preview->setContentsMargins(kEdgeGap, 0, kEdgeGap, kEdgeGap);
    preview->addWidget(scrollBox1_);

    auto* status = new QHBoxLayout(statusBar1_);
    status->setContentsMargins(8, 0, 8, 0);
    status->setSpacing(24);
    status->addWidget(selectionStatus_, 1);
    for (QLabel* label : {turnStatus_, zoomStatus_, shiftXStatus_, shiftYStatus_})
        status->addWidget(label);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addLayout(top);
    window->addLayout(preview, 1);
    window->addWidget(statusBar1_);

    QWidget* const order[] = {zoomBar_,   zoomResetButton_,   shiftXBar_,    shiftXResetButton_,
                              shiftYBar_, shiftYResetButton_, arcDial1_,     turnResetButton_,
                              redBar_,    redEdit_,           greenBar_,     greenEdit_,
                              blueBar_,   blueEdit_,          checkBox1_,    colourResetButton_,
                              image4_,    decideButton_,      cancelButton_, resetAllButton_,
                              scrollBox1_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void AdjustmentDialog::applyTexts() {
    const bool ja = japanese_;
    setWindowTitle(ApplicationTitle(ja) + Pick(ja, "　<画像調整>", "　<Image adjustment>"));
    decideButton_->setText(Pick(ja, "決定", "Decision"));
    cancelButton_->setText(Pick(ja, "キャンセル", "Cancel"));
    resetAllButton_->setText(Pick(ja, "再表示・初期状態", "Redisplay / initialization"));
    zoomLabel_->setText(Pick(ja, "拡大(100~200%)", "Expansion(100~200%)"));
    shiftXLabel_->setText(Pick(ja, "左右( -200px ～　200px )", "Adjust left"));
    shiftYLabel_->setText(Pick(ja, "上下", "Vertical\n adjustment"));
    turnLabel_->setText(Pick(ja, "回転", "Tilt adjustment"));
    colourLabel_->setText(Pick(ja, "色補正(RGB)", "Color correction"));
    redLabel_->setText(QStringLiteral("R"));
    greenLabel_->setText(QStringLiteral("G"));
    blueLabel_->setText(QStringLiteral("B"));
    histogramLabel_->setText(Pick(ja, "ヒスグラム", "Histogram"));
    for (QPushButton* button : {zoomResetButton_, shiftXResetButton_, turnResetButton_,
                                shiftYResetButton_, colourResetButton_})
        button->setText(Pick(ja, "リセット", "reset"));
    checkBox1_->setText(Pick(ja, "色補正を行う", "Perform color correction"));

    // Fields and pictures are named by their captions.
    const auto caption = [](const QLabel* label) { return label->text().simplified(); };
    zoomBar_->setAccessibleName(caption(zoomLabel_));
    shiftXBar_->setAccessibleName(caption(shiftXLabel_));
    shiftYBar_->setAccessibleName(caption(shiftYLabel_));
    arcDial1_->setAccessibleName(caption(turnLabel_));
    QLabel* const colourNames[] = {redLabel_, greenLabel_, blueLabel_};
    for (size_t i = 0; i < 3; ++i) {
        const QString name = caption(colourLabel_) + QLatin1Char(' ') + caption(colourNames[i]);
        colourBars()[i]->setAccessibleName(name);
        colourEdits()[i]->setAccessibleName(name);
    }
    image4_->setAccessibleName(caption(histogramLabel_));
    scrollBox1_->setAccessibleName(Pick(ja, "写真と切り抜き枠", "Photo and crop frame"));
}

bool AdjustmentDialog::makeBuffers() {
    const bool ja = japanese_;
    if (image1_->image().isNull()) {
        const QImage preview = OpaqueBlack(image2_->size());
        if (preview.isNull()) {
            fail(Pick(ja, "画像バッファー1を確保できませんでした。",
                      "Image buffer 1 could not be secured."));
            return false;
        }
        image1_->setImage(preview);
    }
    if (image3_->bitmap().isNull()) {
        const QImage uncorrected = OpaqueBlack(image2_->size());
        if (uncorrected.isNull()) {
            fail(Pick(ja, "画像バッファー2を確保できませんでした。",
                      "Image buffer 2 could not be secured."));
            return false;
        }
        image3_->setBitmap(uncorrected);
    }
    if (histogramPicture_.isNull()) {
        histogramPicture_ = CreateBitmap(Histogram::kWidth, Histogram::kHeight);
        if (histogramPicture_.isNull()) {
            fail(Pick(ja, "画像バッファー4を確保できませんでした。",
                      "Image buffer 4 could not be secured."));
            return false;
        }
        Clear(histogramPicture_, 0xffffffff);
        image4_->setBitmap(histogramPicture_);
    }
    return true;
}

void AdjustmentDialog::sizeImages() {
    const QSize inner(std::max(1, scrollBox1_->width() - kImageInset),
                      std::max(1, scrollBox1_->height() - kImageInset));
    previewArea_->resize(inner);
    for (QWidget* image : {static_cast<QWidget*>(image1_), static_cast<QWidget*>(image2_),
                           static_cast<QWidget*>(image3_)})
        image->setGeometry(QRect(QPoint(0, 0), inner));
}

PhotoAdjustment AdjustmentDialog::AdjustPhoto(const LocalPath& path,
                                              const layout::SheetLayout& layout) {
    if (isVisible())
        return {}; // already open for another photo
    path_ = path;
    layout_ = layout;
    closed_ = false;
    result_ = PhotoAdjustment{};
    exec();
    PhotoAdjustment out = result_;
    out.accepted = accepted_;
    return out;
}

void AdjustmentDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    sizeImages();
    makeBuffers();
    busy_ = false;
    accepted_ = false;
    shownOnce_ = true;
    resetAll();
    // The keyboard starts on the zoom, or on the first adjusting control this photo leaves
    // usable: never on a reset button, nor on the button that decided the last photo.
    for (QWidget* control :
         std::initializer_list<QWidget*>{zoomBar_, shiftXBar_, shiftYBar_, arcDial1_}) {
        if (control->isEnabled()) {
            control->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void AdjustmentDialog::closeEvent(QCloseEvent* event) {
    // Closed by its frame: later events do nothing and the sheet job takes it as a cancel.
    closed_ = true;
    busy_ = true;
    resizeReset_->stop();
    QDialog::closeEvent(event);
}

bool AdjustmentDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == scrollBox1_ && event->type() == QEvent::Resize) {
        sizeImages();
        if (shownOnce_ && isVisible() && previewSize_ != image2_->size())
            resizeReset_->start();
    }
    return QDialog::eventFilter(watched, event);
}

void AdjustmentDialog::fail(const QString& text) {
    showMessage(text);
}

void AdjustmentDialog::resetAll() {
    if (busy_ || resetting_ || path_.isEmpty())
        return;
    const BusyScope scope(resetting_);
    const WaitCursor cursor;
    resizeReset_->stop();
    accepted_ = false;
    result_ = PhotoAdjustment{};
    selectionStatus_->clear();
    scale_ = 1.0f;
    image1_->setRotation(0);
    {
        const QSignalBlocker zoom(zoomBar_), x(shiftXBar_), y(shiftYBar_);
        const QSignalBlocker r(redBar_), g(greenBar_), b(blueBar_);
        const QSignalBlocker dial(arcDial1_), box(checkBox1_);
        zoomBar_->setValue(100);
        for (QSlider* bar : {shiftXBar_, shiftYBar_, redBar_, greenBar_, blueBar_})
            bar->setValue(0);
        arcDial1_->setValue(0);
    }
    for (QLineEdit* edit : colourEdits())
        edit->setText(QStringLiteral("0"));
    turnStatus_->setText(QStringLiteral("R:0"));
    zoomStatus_->setText(QStringLiteral("Zoom:1"));
    shiftXStatus_->setText(QStringLiteral("RL:0"));
    shiftYStatus_->setText(QStringLiteral("TD:0"));

    // Nothing of the previous photo stays when this one cannot be loaded.
    previewSize_ = image2_->size();
    const QImage black = OpaqueBlack(previewSize_);
    image1_->setImage(black);
    image3_->setBitmap(black);
    image2_->clearFrame();
    histogram_.CountHistogram(black);
    Clear(histogramPicture_, 0xffffffff);
    image4_->setBitmap(histogramPicture_);

    load();
    limitShifts();
    colourChanged();
    showHistogram(Histogram::Uncorrected);
}

bool AdjustmentDialog::load() {
    const bool ja = japanese_;
    cropSteps_.clear();
    const QRgb background = ParseArgbOr(QString::fromStdString(layout_.bg_color), 0xffffffff);

    if (!PhotoExists(path_)) {
        fail(Pick(ja, "ファイルが存在しません。", "File does not exist."));
        return false;
    }
    if (layout_.photo_ct != 1) {
        fail(Pick(ja, "複数枚設定は調整出来ません。",
                  "Multiple sheet setting can not be adjusted."));
        return false;
    }
    if (!PhotoExists(path_)) {
        fail(Pick(ja, "ファイルが見つかりません。\n", "File does not exist.\n"));
        return false;
    }

    QImage photo = LoadPhoto(path_); // by its exact bytes, upright
    photoSize_ = photo.size();
    cropSteps_.push_back(QRect(QPoint(0, 0), photoSize_));
    const QSize cell(layout_.photo_width, layout_.photo_height);
    zoomStatus_->setText(QStringLiteral("zoom max:") + Shortest(ZoomRatio(photoSize_, cell)));
    const int limit = ZoomLimit(photoSize_, cell);
    {
        const QSignalBlocker quiet(zoomBar_);
        zoomBar_->setRange(100, std::max(100, limit));
        zoomBar_->setValue(100);
    }
    zoomBar_->setEnabled(limit > 100);
    zoomLabel_->setText(limit > 100 ? Pick(ja, "拡大(100~", "Expansion(100~") +
                                          QString::number(limit) + QStringLiteral("%)")
                                    : Pick(ja, "拡大(100%)", "Expansion(100%)"));
    zoomBar_->setAccessibleName(zoomLabel_->text());

    const QString memoryError =
        Pick(ja, "メモリを確保出来ませんでした。ページサイズが大きすぎないか確認してください。\n",
             "Memory could not be secured. \nPlease check whether the page size is too large.\n");
    if (photo.width() < 2 || photo.height() < 2) {
        cropSteps_.clear();
        fail(Pick(ja,
                  "画像読込みエラーです。画像が存在するか、サイズが大きすぎないか確認してくださ"
                  "い。\n",
                  "Image reading error. \nPlease check whether the image exists or is not too "
                  "big.\n") +
             path_.display());
        return false;
    }

    // The crop frame: the part of the photo the renderer would take for the cell.
    if (cell.width() < 1 || cell.height() < 1) {
        cropSteps_.clear();
        fail(Pick(ja, "サイズ計算エラー", "Size calculation error."));
        return false;
    }
    PhotoPlanInput input;
    input.photo = photoSize_;
    input.cell = cell;
    input.dpi = layout_.dpi;
    input.cutPeriphery = layout_.trim2mm;
    input.trimToRatio = layout_.l_size_trim;
    input.ratio = layout_.aspect_ratio;
    const PhotoPlan plan = PlanPhoto(input);
    if (plan.cut != cropSteps_.front())
        cropSteps_.push_back(plan.cut);
    cropSteps_.push_back(plan.trimmed);

    // The thumbnail on the layout's background, as the photo will stand on the page.
    const PreviewPlacement place = PlacePreview(image2_->size(), photoSize_);
    scale_ = place.scale;
    thumbnail_ = place.thumbnail;
    selectionStatus_->setText(QStringLiteral("拡大率: ") + Shortest(scale_));
    QImage thumbnail = CreateBitmap(thumbnail_.width(), thumbnail_.height());
    const QImage scaled = ScaledCopy(photo, thumbnail_.width(), thumbnail_.height());
    photo = QImage(); // only the thumbnail is needed from here on
    if (thumbnail.isNull() || scaled.isNull()) {
        cropSteps_.clear();
        fail(memoryError);
        return false;
    }
    Clear(thumbnail, background);
    {
        QPainter painter(&thumbnail);
        painter.drawImage(QPointF(0, 0), scaled);
    }
    histogram_.ApplyColourCorrection(thumbnail, 0, 0, thumbnail.width() - 1, thumbnail.height() - 1,
                                     static_cast<float>(redBar_->value()),
                                     static_cast<float>(greenBar_->value()),
                                     static_cast<float>(blueBar_->value()));

    // The preview: the thumbnail centred on a clear bitmap of the view's size.
    QImage preview = CreateBitmap(image2_->width(), image2_->height());
    if (preview.isNull()) {
        cropSteps_.clear();
        fail(memoryError);
        return false;
    }
    {
        QPainter painter(&preview);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(place.origin, thumbnail);
    }
    image1_->setImage(preview);
    image3_->setBitmap(preview);
    histogram_.CountHistogram(preview);
    image2_->setFrame(FrameOnPreview(place, cropSteps_.back()), thumbnail_);
    return true;
}

QRectF AdjustmentDialog::selection() const {
    return ComputeSelection(QRectF(cropSteps_.back()), photoSize_, zoomBar_->value(),
                            shiftXBar_->value(), shiftYBar_->value());
}

void AdjustmentDialog::moveFrame() {
    image2_->moveFrame(zoomBar_->value(), shiftXBar_->value(), shiftYBar_->value());
    if (!cropSteps_.empty())
        selectionStatus_->setText(SelectionStatus(selection()));
}

void AdjustmentDialog::limitShifts() {
    shiftRanges_ = {{-kMaxShift, kMaxShift}, {-kMaxShift, kMaxShift}};
    if (!cropSteps_.empty())
        shiftRanges_ = ShiftsInsidePhoto(QRectF(cropSteps_.back()), photoSize_, zoomBar_->value());
    const QSignalBlocker x(shiftXBar_), y(shiftYBar_);
    for (const auto& [bar, range] :
         {std::pair{shiftXBar_, shiftRanges_.x}, std::pair{shiftYBar_, shiftRanges_.y}}) {
        const bool room = range.low < range.high;
        // Without room the bar keeps its whole length, so that its handle stands at 0 in the
        // middle rather than at an end, which would read as a shift.
        bar->setRange(room ? range.low : -kMaxShift, room ? range.high : kMaxShift);
        bar->setValue(std::clamp(bar->value(), range.low, range.high)); // pulled in
        bar->setEnabled(room);
    }
    shiftXStatus_->setText(QStringLiteral("RL:") + Shortest(shiftXBar_->value() / 100.0));
    shiftYStatus_->setText(QStringLiteral("TD:") + Shortest(shiftYBar_->value() / 100.0));
}

void AdjustmentDialog::keepShiftInside(QSlider* bar, const ShiftRange& range) {
    bar->setValue(std::clamp(bar->value(), range.low, range.high));
}

void AdjustmentDialog::zoomChanged() {
    if (inGeometry_)
        return;
    const BusyScope scope(inGeometry_);
    limitShifts();
    moveFrame();
    zoomStatus_->setText(QStringLiteral("Zoom:") + Shortest(zoomBar_->value() / 100.0));
}

void AdjustmentDialog::shiftXChanged() {
    if (inGeometry_)
        return;
    const BusyScope scope(inGeometry_);
    keepShiftInside(shiftXBar_, shiftRanges_.x);
    moveFrame();
    shiftXStatus_->setText(QStringLiteral("RL:") + Shortest(shiftXBar_->value() / 100.0));
}

void AdjustmentDialog::shiftYChanged() {
    if (inGeometry_)
        return;
    const BusyScope scope(inGeometry_);
    keepShiftInside(shiftYBar_, shiftRanges_.y);
    moveFrame();
    shiftYStatus_->setText(QStringLiteral("TD:") + Shortest(shiftYBar_->value() / 100.0));
}

void AdjustmentDialog::dialTurned() {
    if (inGeometry_)
        return;
    const BusyScope scope(inGeometry_);
    const double turn =
        std::clamp(arcDial1_->value() / 10.0, -kPreviewTurnLimit, kPreviewTurnLimit);
    moveFrame();
    image1_->setRotation(turn);
    turnStatus_->setText(QStringLiteral("R:") + Shortest(turn));
}

void AdjustmentDialog::colourChanged() {
    if (busy_ || inColour_)
        return;
    const BusyScope scope(inColour_);
    for (size_t i = 0; i < 3; ++i)
        colourEdits()[i]->setText(HundredthsText(colourBars()[i]->value()));
    QImage corrected = image3_->bitmap();
    const QRect region = CorrectionRegion(corrected.size(), thumbnail_);
    histogram_.ApplyColourCorrection(corrected, region.left(), region.top(), region.right(),
                                     region.bottom(), static_cast<float>(redBar_->value()),
                                     static_cast<float>(greenBar_->value()),
                                     static_cast<float>(blueBar_->value()));
    image1_->setImage(corrected);
    showHistogram(checkBox1_->isChecked() ? Histogram::Corrected : Histogram::Uncorrected);
}

void AdjustmentDialog::resetColours() {
    {
        const QSignalBlocker r(redBar_), g(greenBar_), b(blueBar_);
        for (QSlider* bar : colourBars())
            bar->setValue(0);
    }
    colourChanged();
    image1_->setImage(image3_->bitmap());
    showHistogram(Histogram::Uncorrected);
}

void AdjustmentDialog::correctionTicked(bool ticked) {
    if (ticked) {
        colourChanged();
        showHistogram(Histogram::Corrected);
    } else {
        image1_->setImage(image3_->bitmap());
        showHistogram(Histogram::Uncorrected);
    }
}

void AdjustmentDialog::showHistogram(Histogram::Table table) {
    histogram_.DrawHistogram(table, histogramPicture_);
    image4_->setBitmap(histogramPicture_);
}

void AdjustmentDialog::decide() {
    if (cropSteps_.empty()) {
        result_.sx = result_.sy = result_.w = result_.h = result_.angle = 0;
        return;
    }
    const QRectF chosen = selection();
    selectionStatus_->setText(SelectionStatus(chosen));
    if (!SelectionInsidePhoto(chosen, photoSize_)) {
        fail(Pick(japanese_, "選択範囲が写真の範囲を超えています。",
                  "The selection is out of the range of the picture."));
        return;
    }
    accepted_ = true;
    closed_ = true;
    result_.sx = static_cast<float>(chosen.x());
    result_.sy = static_cast<float>(chosen.y());
    result_.w = static_cast<float>(chosen.width());
    result_.h = static_cast<float>(chosen.height());
    result_.angle = static_cast<float>(arcDial1_->value() / 10.0);
    result_.colour_correction = checkBox1_->isChecked();
    result_.red = static_cast<float>(redBar_->value());
    result_.green = static_cast<float>(greenBar_->value());
    result_.blue = static_cast<float>(blueBar_->value());
    resizeReset_->stop();
    accept();
}

void AdjustmentDialog::reject() {
    closed_ = true;
    accepted_ = false;
    resizeReset_->stop();
    QDialog::reject();
}

const QImage& AdjustmentDialog::preview() const {
    return image1_->image();
}

const QImage& AdjustmentDialog::uncorrectedPreview() const {
    return image3_->bitmap();
}

double AdjustmentDialog::previewRotation() const {
    return image1_->rotation();
}

QRectF AdjustmentDialog::shownFrame() const {
    return image2_->shownFrame();
}

} // namespace quorvane
