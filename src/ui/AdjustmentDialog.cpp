#include "ui/AdjustmentDialog.h"

#include "app/Language.h"
#include "app/LocalPath.h"
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
bool PhotoExists(const QString& path) {
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
    for (int i = 1; i <= 14; ++i) {
        label_[i] = new QLabel(this);
        label_[i]->setObjectName(QStringLiteral("Label%1").arg(i));
    }
    for (int i = 1; i <= 8; ++i) {
        button_[i] = new QPushButton(this);
        button_[i]->setObjectName(QStringLiteral("Button%1").arg(i));
        // Enter does not decide by accident while a slider has the focus.
        button_[i]->setAutoDefault(false);
        button_[i]->setFocusPolicy(Qt::StrongFocus);
        button_[i]->setFixedWidth(i <= 3 ? kMainButtonWidth : kResetButtonWidth);
    }
    for (int i = 1; i <= 3; ++i)
        button_[i]->setFixedHeight(kMainButtonHeight);

    for (int i = 1; i <= 6; ++i) {
        trackBar_[i] = new QSlider(i == 3 ? Qt::Vertical : Qt::Horizontal, this);
        trackBar_[i]->setObjectName(QStringLiteral("TrackBar%1").arg(i));
        trackBar_[i]->setFocusPolicy(Qt::StrongFocus);
        trackBar_[i]->setSingleStep(1);
    }
    trackBar_[1]->setRange(100, kDefaultZoomMaximum);
    trackBar_[1]->setPageStep(10);
    trackBar_[1]->setValue(100);
    for (int i : {2, 3}) {
        trackBar_[i]->setRange(-kMaxShift, kMaxShift);
        trackBar_[i]->setPageStep(5);
    }
    // The upright bar runs from -50 at the top to 50 at the bottom (positive moves down), and
    // the arrow keys move its handle the way they point.
    trackBar_[3]->setInvertedAppearance(true);
    trackBar_[3]->setInvertedControls(true);
    trackBar_[3]->setFixedHeight(kUprightBarHeight);
    for (int i = 4; i <= 6; ++i) {
        trackBar_[i]->setRange(-25, 25);
        trackBar_[i]->setPageStep(5);
        trackBar_[i]->setMinimumWidth(130);
    }
    trackBar_[1]->setMinimumWidth(170);
    trackBar_[2]->setMinimumWidth(170);

    for (int i = 1; i <= 3; ++i) {
        edit_[i] = new QLineEdit(QStringLiteral("0"), this);
        edit_[i]->setObjectName(QStringLiteral("Edit%1").arg(i));
        edit_[i]->setReadOnly(true);
        edit_[i]->setFixedWidth(44);
        edit_[i]->setAlignment(Qt::AlignRight);
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
    for (int i : {5, 4, 6, 7, 8})
        label_[i]->setParent(statusBar1_);

    const std::pair<QLabel*, QWidget*> buddies[] = {
        {label_[1], trackBar_[1]},  {label_[2], trackBar_[2]}, {label_[3], trackBar_[3]},
        {label_[12], arcDial1_},    {label_[9], trackBar_[4]}, {label_[10], trackBar_[5]},
        {label_[11], trackBar_[6]}, {label_[14], image4_}};
    for (const auto& [label, control] : buddies)
        label->setBuddy(control);

    connect(button_[3], &QPushButton::clicked, this, &AdjustmentDialog::decide);
    connect(button_[2], &QPushButton::clicked, this, &AdjustmentDialog::reject);
    connect(button_[1], &QPushButton::clicked, this, &AdjustmentDialog::resetAll);
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
    connect(button_[4], &QPushButton::clicked, this,
            [resetTo, this] { resetTo(trackBar_[1], 100, &AdjustmentDialog::zoomChanged); });
    connect(button_[5], &QPushButton::clicked, this,
            [resetTo, this] { resetTo(trackBar_[2], 0, &AdjustmentDialog::shiftXChanged); });
    connect(button_[7], &QPushButton::clicked, this,
            [resetTo, this] { resetTo(trackBar_[3], 0, &AdjustmentDialog::shiftYChanged); });
    connect(button_[6], &QPushButton::clicked, this,
            [resetTo, this] { resetTo(arcDial1_, 0, &AdjustmentDialog::dialTurned); });
    connect(button_[8], &QPushButton::clicked, this, &AdjustmentDialog::resetColours);
    connect(trackBar_[1], &QSlider::valueChanged, this, &AdjustmentDialog::zoomChanged);
    connect(trackBar_[2], &QSlider::valueChanged, this, &AdjustmentDialog::shiftXChanged);
    connect(trackBar_[3], &QSlider::valueChanged, this, &AdjustmentDialog::shiftYChanged);
    connect(arcDial1_, &QDial::valueChanged, this, &AdjustmentDialog::dialTurned);
    for (int i = 4; i <= 6; ++i)
        connect(trackBar_[i], &QSlider::valueChanged, this, &AdjustmentDialog::colourChanged);
    connect(checkBox1_, &QCheckBox::toggled, this, &AdjustmentDialog::correctionTicked);
}

void AdjustmentDialog::layOutControls() {
    // Enlargement and left/right: caption above, bar and its reset beside each other.
    auto* shifts = new QGridLayout;
    shifts->setHorizontalSpacing(6);
    shifts->setVerticalSpacing(2);
    shifts->addWidget(label_[1], 0, 0, 1, 2);
    shifts->addWidget(trackBar_[1], 1, 0);
    shifts->addWidget(button_[4], 1, 1);
    shifts->setRowMinimumHeight(2, 8);
    shifts->addWidget(label_[2], 3, 0, 1, 2);
    shifts->addWidget(trackBar_[2], 4, 0);
    shifts->addWidget(button_[5], 4, 1);
    shifts->setRowStretch(5, 1);

    auto* upright = new QVBoxLayout;
    upright->setSpacing(4);
    upright->addWidget(label_[3], 0, Qt::AlignHCenter);
    upright->addWidget(trackBar_[3], 0, Qt::AlignHCenter);
    upright->addWidget(button_[7], 0, Qt::AlignHCenter);
    upright->addStretch(1);

    auto* turn = new QVBoxLayout;
    turn->setSpacing(4);
    turn->addWidget(label_[12], 0, Qt::AlignHCenter);
    turn->addWidget(arcDial1_, 0, Qt::AlignHCenter);
    turn->addWidget(button_[6], 0, Qt::AlignHCenter);
    turn->addStretch(1);

    // The colour group: heading and its reset, the three bars with their value boxes, the box.
    auto* colours = new QGridLayout;
    colours->setHorizontalSpacing(4);
    colours->setVerticalSpacing(2);
    colours->addWidget(label_[13], 0, 0, 1, 2);
    colours->addWidget(button_[8], 0, 2, Qt::AlignRight);
    for (int i = 0; i < 3; ++i) {
        colours->addWidget(label_[9 + i], 1 + i, 0);
        colours->addWidget(trackBar_[4 + i], 1 + i, 1);
        colours->addWidget(edit_[1 + i], 1 + i, 2);
    }
    colours->addWidget(checkBox1_, 4, 0, 1, 3);
    colours->setRowStretch(5, 1);

    auto* histogram = new QVBoxLayout;
    histogram->setSpacing(2);
    histogram->addWidget(label_[14]);
    histogram->addWidget(image4_);
    histogram->addStretch(1);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(button_[3]);
    buttons->addWidget(button_[2]);
    buttons->addWidget(button_[1]);
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
    status->addWidget(label_[5], 1);
    for (int i : {4, 6, 7, 8})
        status->addWidget(label_[i]);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addLayout(top);
    window->addLayout(preview, 1);
    window->addWidget(statusBar1_);

    QWidget* const order[] = {trackBar_[1], button_[4], trackBar_[2], button_[5],   trackBar_[3],
                              button_[7],   arcDial1_,  button_[6],   trackBar_[4], edit_[1],
                              trackBar_[5], edit_[2],   trackBar_[6], edit_[3],     checkBox1_,
                              button_[8],   image4_,    button_[3],   button_[2],   button_[1],
                              scrollBox1_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void AdjustmentDialog::applyTexts() {
    const bool ja = japanese_;
    setWindowTitle(ApplicationTitle(ja) + Pick(ja, "　<画像調整>", "　<Image adjustment>"));
    button_[3]->setText(Pick(ja, "決定", "Decision"));
    button_[2]->setText(Pick(ja, "キャンセル", "Cancel"));
    button_[1]->setText(Pick(ja, "再表示・初期状態", "Redisplay / initialization"));
    label_[1]->setText(Pick(ja, "拡大(100~200%)", "Expansion(100~200%)"));
    label_[2]->setText(Pick(ja, "左右( -200px ～　200px )", "Adjust left"));
    label_[3]->setText(Pick(ja, "上下", "Vertical\n adjustment"));
    label_[12]->setText(Pick(ja, "回転", "Tilt adjustment"));
    label_[13]->setText(Pick(ja, "色補正(RGB)", "Color correction"));
    label_[9]->setText(QStringLiteral("R"));
    label_[10]->setText(QStringLiteral("G"));
    label_[11]->setText(QStringLiteral("B"));
    label_[14]->setText(Pick(ja, "ヒスグラム", "Histogram"));
    for (int i = 4; i <= 8; ++i)
        button_[i]->setText(Pick(ja, "リセット", "reset"));
    checkBox1_->setText(Pick(ja, "色補正を行う", "Perform color correction"));

    // Fields and pictures are named by their captions.
    const auto caption = [](const QLabel* label) { return label->text().simplified(); };
    trackBar_[1]->setAccessibleName(caption(label_[1]));
    trackBar_[2]->setAccessibleName(caption(label_[2]));
    trackBar_[3]->setAccessibleName(caption(label_[3]));
    arcDial1_->setAccessibleName(caption(label_[12]));
    for (int i = 0; i < 3; ++i) {
        const QString name = caption(label_[13]) + QLatin1Char(' ') + caption(label_[9 + i]);
        trackBar_[4 + i]->setAccessibleName(name);
        edit_[1 + i]->setAccessibleName(name);
    }
    image4_->setAccessibleName(caption(label_[14]));
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

PhotoAdjustment AdjustmentDialog::AdjustPhoto(const QString& path,
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
         std::initializer_list<QWidget*>{trackBar_[1], trackBar_[2], trackBar_[3], arcDial1_}) {
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
    label_[5]->clear();
    scale_ = 1.0f;
    image1_->setRotation(0);
    {
        const QSignalBlocker zoom(trackBar_[1]), x(trackBar_[2]), y(trackBar_[3]);
        const QSignalBlocker r(trackBar_[4]), g(trackBar_[5]), b(trackBar_[6]);
        const QSignalBlocker dial(arcDial1_), box(checkBox1_);
        trackBar_[1]->setValue(100);
        for (int i = 2; i <= 6; ++i)
            trackBar_[i]->setValue(0);
        arcDial1_->setValue(0);
    }
    for (int i = 1; i <= 3; ++i)
        edit_[i]->setText(QStringLiteral("0"));
    label_[4]->setText(QStringLiteral("R:0"));
    label_[6]->setText(QStringLiteral("Zoom:1"));
    label_[7]->setText(QStringLiteral("RL:0"));
    label_[8]->setText(QStringLiteral("TD:0"));

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
    label_[6]->setText(QStringLiteral("zoom max:") + Shortest(ZoomRatio(photoSize_, cell)));
    const int limit = ZoomLimit(photoSize_, cell);
    {
        const QSignalBlocker quiet(trackBar_[1]);
        trackBar_[1]->setRange(100, std::max(100, limit));
        trackBar_[1]->setValue(100);
    }
    trackBar_[1]->setEnabled(limit > 100);
    label_[1]->setText(limit > 100 ? Pick(ja, "拡大(100~", "Expansion(100~") +
                                         QString::number(limit) + QStringLiteral("%)")
                                   : Pick(ja, "拡大(100%)", "Expansion(100%)"));
    trackBar_[1]->setAccessibleName(label_[1]->text());

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
             DisplayPath(path_));
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
    label_[5]->setText(QStringLiteral("拡大率: ") + Shortest(scale_));
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
                                     static_cast<float>(trackBar_[4]->value()),
                                     static_cast<float>(trackBar_[5]->value()),
                                     static_cast<float>(trackBar_[6]->value()));

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
    return ComputeSelection(QRectF(cropSteps_.back()), photoSize_, trackBar_[1]->value(),
                            trackBar_[2]->value(), trackBar_[3]->value());
}

void AdjustmentDialog::moveFrame() {
    image2_->moveFrame(trackBar_[1]->value(), trackBar_[2]->value(), trackBar_[3]->value());
    if (!cropSteps_.empty())
        label_[5]->setText(SelectionStatus(selection()));
}

void AdjustmentDialog::limitShifts() {
    shiftRanges_ = {{-kMaxShift, kMaxShift}, {-kMaxShift, kMaxShift}};
    if (!cropSteps_.empty())
        shiftRanges_ =
            ShiftsInsidePhoto(QRectF(cropSteps_.back()), photoSize_, trackBar_[1]->value());
    const QSignalBlocker x(trackBar_[2]), y(trackBar_[3]);
    for (const auto& [bar, range] :
         {std::pair{trackBar_[2], shiftRanges_.x}, std::pair{trackBar_[3], shiftRanges_.y}}) {
        const bool room = range.low < range.high;
        // Without room the bar keeps its whole length, so that its handle stands at 0 in the
        // middle rather than at an end, which would read as a shift.
        bar->setRange(room ? range.low : -kMaxShift, room ? range.high : kMaxShift);
        bar->setValue(std::clamp(bar->value(), range.low, range.high)); // pulled in
        bar->setEnabled(room);
    }
    label_[7]->setText(QStringLiteral("RL:") + Shortest(trackBar_[2]->value() / 100.0));
    label_[8]->setText(QStringLiteral("TD:") + Shortest(trackBar_[3]->value() / 100.0));
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
    label_[6]->setText(QStringLiteral("Zoom:") + Shortest(trackBar_[1]->value() / 100.0));
}

void AdjustmentDialog::shiftXChanged() {
    if (inGeometry_)
        return;
    const BusyScope scope(inGeometry_);
    keepShiftInside(trackBar_[2], shiftRanges_.x);
    moveFrame();
    label_[7]->setText(QStringLiteral("RL:") + Shortest(trackBar_[2]->value() / 100.0));
}

void AdjustmentDialog::shiftYChanged() {
    if (inGeometry_)
        return;
    const BusyScope scope(inGeometry_);
    keepShiftInside(trackBar_[3], shiftRanges_.y);
    moveFrame();
    label_[8]->setText(QStringLiteral("TD:") + Shortest(trackBar_[3]->value() / 100.0));
}

void AdjustmentDialog::dialTurned() {
    if (inGeometry_)
        return;
    const BusyScope scope(inGeometry_);
    const double turn =
        std::clamp(arcDial1_->value() / 10.0, -kPreviewTurnLimit, kPreviewTurnLimit);
    moveFrame();
    image1_->setRotation(turn);
    label_[4]->setText(QStringLiteral("R:") + Shortest(turn));
}

void AdjustmentDialog::colourChanged() {
    if (busy_ || inColour_)
        return;
    const BusyScope scope(inColour_);
    for (int i = 1; i <= 3; ++i)
        edit_[i]->setText(HundredthsText(trackBar_[3 + i]->value()));
    QImage corrected = image3_->bitmap();
    const QRect region = CorrectionRegion(corrected.size(), thumbnail_);
    histogram_.ApplyColourCorrection(corrected, region.left(), region.top(), region.right(),
                                     region.bottom(), static_cast<float>(trackBar_[4]->value()),
                                     static_cast<float>(trackBar_[5]->value()),
                                     static_cast<float>(trackBar_[6]->value()));
    image1_->setImage(corrected);
    showHistogram(checkBox1_->isChecked() ? Histogram::Corrected : Histogram::Uncorrected);
}

void AdjustmentDialog::resetColours() {
    {
        const QSignalBlocker r(trackBar_[4]), g(trackBar_[5]), b(trackBar_[6]);
        for (int i = 4; i <= 6; ++i)
            trackBar_[i]->setValue(0);
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
    label_[5]->setText(SelectionStatus(chosen));
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
    result_.red = static_cast<float>(trackBar_[4]->value());
    result_.green = static_cast<float>(trackBar_[5]->value());
    result_.blue = static_cast<float>(trackBar_[6]->value());
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
