#include "ui/SheetWindow.h"

#include "app/OffThread.h"
#include "catalogue/FileTexts.h"
#include "catalogue/NoticeText.h"
#include "catalogue/ProblemText.h"
#include "catalogue/Wording.h"
#include "layout/ForeignPaths.h"
#include "layout/LayoutFiles.h"
#include "print/PrintSink.h"
#include "render/ObserverRelay.h"
#include "render/PageRenderer.h"
#include "text/Numbers.h"
#include "ui/AdjustmentDialog.h"
#include "ui/BusyScope.h"
#include "ui/FolderOpener.h"
#include "ui/MainWindow.h"
#include "ui/MessageDialog.h"
#include "ui/PageViewer.h"
#include "ui/PhotoPreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace quorvane {

namespace {

// The viewer sits kViewerLeft from both sides; the progress bar follows 5 below it and 10 above
// the status bar; the buttons keep 15 from the right edge.
constexpr int kViewerLeft = 8;
constexpr int kProgressGap = 5;
constexpr int kProgressBottomGap = 10;
constexpr int kProgressHeight = 16;
constexpr int kStatusHeight = 24;
constexpr int kButtonRightGap = 15;
constexpr int kButtonWidth = 150;
constexpr int kButtonHeight = 32;
constexpr int kRowEditWidth = 60;
constexpr int kDefaultHeight = 775;
constexpr int kLayoutListRows = 30;

// The busy flag of a run with the wait cursor; both go back on every way out.
class RunScope : BusyScope {
  public:
    explicit RunScope(bool& flag) : BusyScope(flag) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~RunScope() { QApplication::restoreOverrideCursor(); }
};

QString FromStd(const std::string& text) {
    return QString::fromStdString(text);
}

// The zoom factor that fits a page of this size into the view.
float FitFactor(const QWidget* view, int pageWidth, int pageHeight) {
    return std::min(static_cast<float>(view->width()) / static_cast<float>(pageWidth),
                    static_cast<float>(view->height()) / static_cast<float>(pageHeight));
}

} // namespace

SheetWindow::SheetWindow(MainWindow& mainWindow)
    : QWidget(&mainWindow, Qt::Window), main_(mainWindow) {
    setObjectName(QStringLiteral("TForm7"));
    // Closing the main window ends the program even while this window is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setMinimumSize(kMinWidth, kMinHeight);
    setMaximumSize(kMaxWidth, kMaxHeight);

    showMessage = [](const QString& text) { qWarning("%s", qUtf8Printable(text)); };
    openInFileManager = [](const LocalPath& folder) { return OpenFolderInFileManager(folder); };
    askPrinter = [this](QPrinter& printer) {
        // Printer and copies; the paper is the layout's, so the dialog offers no page choices.
        QPrintDialog dialog(&printer, this);
        dialog.setOptions(QAbstractPrintDialog::PrintToFile |
                          QAbstractPrintDialog::PrintCollateCopies);
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        const bool accepted = dialog.exec() == QDialog::Accepted;
        QApplication::restoreOverrideCursor();
        return accepted;
    };

    createControls();
    layOutControls();
    applyTexts();
    resize(kMinWidth, kDefaultHeight);

    // A run cannot start before the window is shown.
    job_.setBusy(true);
    main_.installEventFilter(this);
    connect(&main_, &MainWindow::sheetWindowRequested, this, &SheetWindow::openFromMainWindow);
}

SheetWindow::~SheetWindow() = default;

void SheetWindow::useMessageDialog(MessageDialog& dialog) {
    showMessage = [this, &dialog](const QString& text) { dialog.ShowInfo(text, this); };
}

void SheetWindow::useAdjustmentDialog(AdjustmentDialog& dialog) {
    askAdjustment = [&dialog](const LocalPath& path, const layout::SheetLayout& layout) {
        return std::optional<PhotoAdjustment>(dialog.AdjustPhoto(path, layout));
    };
}

void SheetWindow::createControls() {
    for (const auto& [label, name] : {std::pair{&titleLabel_, "Label1"},
                                      {&layoutLabel_, "Label2"},
                                      {&startRowLabel_, "Label3"},
                                      {&endRowLabel_, "Label4"},
                                      {&statusLabel_, "Label5"},
                                      {&titleColourLabel_, "Label6"},
                                      {&qualityLabel_, "Label7"},
                                      {&qualityMinLabel_, "Label8"},
                                      {&qualityMaxLabel_, "Label9"},
                                      {&numberOffsetLabel_, "Label10"}}) {
        *label = new QLabel(this);
        (*label)->setObjectName(QLatin1String(name));
    }
    // Label5 and Label6 are the status fields; they live in the status bar.
    statusBar1_ = new QWidget(this);
    statusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar1_->setAttribute(Qt::WA_StyledBackground, true);
    statusBar1_->setStyleSheet(QStringLiteral("#StatusBar1 { border-top: 1px solid #c4c4c4; }"));
    statusBar1_->setFixedHeight(kStatusHeight);
    statusLabel_->setParent(statusBar1_);
    titleColourLabel_->setParent(statusBar1_);
    startRowLabel_->hide(); // shown with the window

    comboBox1_ = new QComboBox(this);
    comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
    comboBox1_->setMaxVisibleItems(kLayoutListRows);
    comboBox1_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    comboBox1_->setMinimumContentsLength(24);

    for (const auto& [edit, name] : {std::pair{&titleEdit_, "Edit1"},
                                     {&startRowEdit_, "Edit2"},
                                     {&endRowEdit_, "Edit3"},
                                     {&qualityEdit_, "Edit4"},
                                     {&numberOffsetEdit_, "Edit5"}}) {
        *edit = new QLineEdit(this);
        (*edit)->setObjectName(QLatin1String(name));
    }
    // Row numbers and the number offset are typed without an input method.
    for (QLineEdit* edit : {startRowEdit_, endRowEdit_, numberOffsetEdit_}) {
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->setFixedWidth(kRowEditWidth);
    }
    // Edit4 only shows the slider's value.
    qualityEdit_->setMaxLength(3);
    qualityEdit_->setReadOnly(true);
    qualityEdit_->setEnabled(false);
    qualityEdit_->setFixedWidth(44);
    qualityEdit_->setText(QStringLiteral("90"));

    trackBar1_ = new QSlider(Qt::Horizontal, this);
    trackBar1_->setObjectName(QStringLiteral("TrackBar1"));
    trackBar1_->setRange(0, 100);
    trackBar1_->setSingleStep(1);
    trackBar1_->setPageStep(10);
    trackBar1_->setValue(90);
    trackBar1_->setMinimumWidth(200);

    for (const auto& [box, name] : {std::pair{&continuousBox_, "CheckBox1"},
                                    {&stampFolderBox_, "CheckBox2"},
                                    {&keepExistingBox_, "CheckBox3"},
                                    {&noViewerUpdateBox_, "CheckBox4"},
                                    {&adjustBox_, "CheckBox5"}}) {
        *box = new QCheckBox(this);
        (*box)->setObjectName(QLatin1String(name));
    }
    stampFolderBox_->setChecked(true);
    adjustBox_->setEnabled(false);
    // The print options beyond the design, as the operator last left them.
    for (const auto& [box, name] : {std::pair{&fullResolutionBox_, "FullResolutionBox"},
                                    {&pdfBox_, "PdfBox"},
                                    {&printBox_, "PrintBox"}}) {
        *box = new QCheckBox(this);
        (*box)->setObjectName(QLatin1String(name));
    }
    const AppConfig& config = main_.context().config;
    fullResolutionBox_->setChecked(config.fullResolution);
    pdfBox_->setChecked(config.makePdf);
    printBox_->setChecked(config.printPages);
    for (QCheckBox* box : {fullResolutionBox_, pdfBox_, printBox_})
        connect(box, &QCheckBox::toggled, this, &SheetWindow::rememberSheetOptions);

    for (const auto& [button, name] : {std::pair{&createButton_, "Button1"},
                                       {&stopButton_, "Button2"},
                                       {&editButton_, "Button3"}}) {
        *button = new QPushButton(this);
        (*button)->setObjectName(QLatin1String(name));
        (*button)->setAutoDefault(false);
        (*button)->setFixedSize(kButtonWidth, kButtonHeight);
    }
    // The stop button keeps its place while hidden, so the others do not move when it shows.
    QSizePolicy keepPlace = stopButton_->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    stopButton_->setSizePolicy(keepPlace);
    stopButton_->hide();

    scrollBox1_ = new QScrollArea(this);
    scrollBox1_->setObjectName(QStringLiteral("ScrollBox1"));
    scrollBox1_->setWidgetResizable(true);
    scrollBox1_->setFixedWidth(180);
    image1_ = new PhotoPreview;
    image1_->setObjectName(QStringLiteral("Image1"));
    scrollBox1_->setWidget(image1_);

    imageViewer1_ = new PageViewer(this);
    imageViewer1_->setObjectName(QStringLiteral("ImageViewer1"));

    progressBar1_ = new QProgressBar(this);
    progressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar1_->setTextVisible(false);
    progressBar1_->setFixedHeight(kProgressHeight);
    progressBar1_->setRange(0, 1);
    progressBar1_->setValue(0);

    const std::pair<QLabel*, QWidget*> buddies[] = {
        {layoutLabel_, comboBox1_},
        {titleLabel_, titleEdit_},
        {startRowLabel_, startRowEdit_},
        {endRowLabel_, endRowEdit_},
        {numberOffsetLabel_, numberOffsetEdit_},
        {qualityLabel_, trackBar1_},
    };
    for (const auto& [label, field] : buddies)
        label->setBuddy(field);

    connect(createButton_, &QPushButton::clicked, this, &SheetWindow::createSheets);
    connect(stopButton_, &QPushButton::clicked, this, &SheetWindow::stopRequest);
    connect(editButton_, &QPushButton::clicked, this, &SheetWindow::editSettings);
    connect(comboBox1_, &QComboBox::currentIndexChanged, this, &SheetWindow::layoutChosen);
    connect(trackBar1_, &QSlider::valueChanged, this, &SheetWindow::qualityChanged);
    connect(imageViewer1_, &PageViewer::doubleClicked, this, &SheetWindow::fitPage);
}

void SheetWindow::layOutControls() {
    // Left block: the layout and the title, the rows and the number offset, the quality slider
    // with its ends, then the option boxes on two rows.
    auto* names = new QGridLayout;
    names->setHorizontalSpacing(8);
    names->setVerticalSpacing(6);
    names->addWidget(layoutLabel_, 0, 0);
    names->addWidget(comboBox1_, 0, 1);
    names->addWidget(titleLabel_, 1, 0);
    names->addWidget(titleEdit_, 1, 1);
    names->setColumnStretch(1, 1);

    auto* rows = new QHBoxLayout;
    rows->setSpacing(6);
    for (const auto& [label, edit] :
         {std::pair{startRowLabel_, startRowEdit_}, std::pair{endRowLabel_, endRowEdit_},
          std::pair{numberOffsetLabel_, numberOffsetEdit_}}) {
        rows->addWidget(label);
        rows->addWidget(edit);
        rows->addSpacing(12);
    }
    rows->addStretch(1);

    auto* quality = new QHBoxLayout;
    quality->setSpacing(6);
    quality->addWidget(qualityLabel_);
    quality->addWidget(qualityEdit_);
    quality->addSpacing(8);
    quality->addWidget(qualityMinLabel_);
    quality->addWidget(trackBar1_);
    quality->addWidget(qualityMaxLabel_);
    quality->addStretch(1);

    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(18);
    boxes->setVerticalSpacing(4);
    boxes->addWidget(continuousBox_, 0, 0);
    boxes->addWidget(stampFolderBox_, 0, 1);
    boxes->addWidget(keepExistingBox_, 0, 2);
    boxes->addWidget(noViewerUpdateBox_, 1, 0, 1, 2);
    boxes->addWidget(adjustBox_, 1, 2);
    boxes->addWidget(fullResolutionBox_, 2, 0);
    boxes->addWidget(pdfBox_, 2, 1);
    boxes->addWidget(printBox_, 2, 2);
    boxes->setColumnStretch(3, 1);

    auto* fields = new QVBoxLayout;
    fields->setSpacing(6);
    fields->addLayout(names);
    fields->addLayout(rows);
    fields->addLayout(quality);
    fields->addLayout(boxes);

    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(6);
    buttons->addWidget(createButton_);
    buttons->addWidget(editButton_);
    buttons->addWidget(stopButton_);
    buttons->addStretch(1);

    auto* top = new QHBoxLayout;
    top->setContentsMargins(kViewerLeft, 8, kButtonRightGap, 8);
    top->setSpacing(14);
    top->addLayout(fields, 1);
    top->addWidget(scrollBox1_);
    top->addLayout(buttons);

    auto* status = new QHBoxLayout(statusBar1_);
    status->setContentsMargins(8, 0, 8, 0);
    status->setSpacing(24);
    status->addWidget(statusLabel_, 1);
    status->addWidget(titleColourLabel_);

    // The viewer takes every pixel the window gains.
    auto* body = new QVBoxLayout;
    body->setContentsMargins(kViewerLeft, 0, kViewerLeft, kProgressBottomGap);
    body->setSpacing(kProgressGap);
    body->addWidget(imageViewer1_, 1);
    body->addWidget(progressBar1_);

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addLayout(top);
    window->addLayout(body, 1);
    window->addWidget(statusBar1_);

    QWidget* const order[] = {
        comboBox1_,  titleEdit_,         startRowEdit_,   endRowEdit_,      numberOffsetEdit_,
        trackBar1_,  continuousBox_,     stampFolderBox_, keepExistingBox_, noViewerUpdateBox_,
        adjustBox_,  fullResolutionBox_, pdfBox_,         printBox_,        createButton_,
        editButton_, stopButton_,        scrollBox1_,     imageViewer1_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void SheetWindow::applyTexts() {
    const bool ja = main_.japanese();
    setWindowTitle(main_.windowTitle() +
                   Pick(ja, "　<インデックスシート作成>", "　<Create index sheet>"));
    layoutLabel_->setText(Pick(ja, "インデックスシート設定", "Index sheet setting"));
    startRowLabel_->setText(Pick(ja, "開始写真行番号", "Start photo line number"));
    endRowLabel_->setText(Pick(ja, "終了写真行番号", "End photo line number"));
    numberOffsetLabel_->setText(Pick(ja, "表示番号の加算", "Addition of display number"));
    titleLabel_->setText(Pick(ja, "タイトル文字列", "Title string"));
    qualityLabel_->setText(Pick(ja, "jpg品質", "Jpeg quality"));
    qualityMinLabel_->setText(QStringLiteral("0"));
    qualityMaxLabel_->setText(QStringLiteral("100"));
    continuousBox_->setText(Pick(ja, "連続して出力する", "Continuously output"));
    stampFolderBox_->setText(Pick(ja, "作成時間毎にサブフォルダを作成する",
                                  "Create a subfolder for each creation time"));
    keepExistingBox_->setText(
        Pick(ja, "既存のファイルは上書きしない", "Do not overwrite existing files"));
    noViewerUpdateBox_->setText(Pick(ja, "連続処理中はビュワーを更新しない",
                                     "Do not update the viewer during continuous processing"));
    adjustBox_->setText(Pick(ja, "プレビューで調整する", "Adjust in preview"));
    fullResolutionBox_->setText(Pick(ja, "印刷用の原寸で出力する", "Full resolution for printing"));
    pdfBox_->setText(Pick(ja, "PDFも作成する", "Also make a PDF"));
    printBox_->setText(Pick(ja, "印刷する", "Print the pages"));
    createButton_->setText(Pick(ja, "シート作成", "Sheet creation"));
    editButton_->setText(Pick(ja, "シート設定編集", "Sheet setting editing"));
    stopButton_->setText(Pick(ja, "中止", "Stop"));

    // Fields and viewers are named by their captions, or by what they show.
    comboBox1_->setAccessibleName(layoutLabel_->text());
    titleEdit_->setAccessibleName(titleLabel_->text());
    startRowEdit_->setAccessibleName(startRowLabel_->text());
    endRowEdit_->setAccessibleName(endRowLabel_->text());
    numberOffsetEdit_->setAccessibleName(numberOffsetLabel_->text());
    qualityEdit_->setAccessibleName(qualityLabel_->text());
    trackBar1_->setAccessibleName(qualityLabel_->text());
    scrollBox1_->setAccessibleName(Pick(ja, "配置した写真", "Photo placed"));
    imageViewer1_->setAccessibleName(Pick(ja, "ページのプレビュー", "Page preview"));
    progressBar1_->setAccessibleName(Pick(ja, "ページの進み具合", "Page progress"));
}

bool SheetWindow::makeBuffers() {
    const bool ja = main_.japanese();
    if (imageViewer1_->image().isNull()) {
        QImage page(imageViewer1_->size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32);
        if (page.isNull()) {
            message(Pick(ja, "画像バッファー1を確保できませんでした。",
                         "Image buffer 1 could not be secured."));
            return false;
        }
        imageViewer1_->setImage(page);
    }
    if (image1_->image().isNull()) {
        QImage photo(scrollBox1_->viewport()->size().expandedTo(QSize(1, 1)),
                     QImage::Format_ARGB32);
        if (photo.isNull()) {
            message(Pick(ja, "画像バッファー2を確保できませんでした。",
                         "Image buffer 2 could not be secured."));
            return false;
        }
        photo.fill(Qt::transparent);
        image1_->setImage(photo);
    }
    return true;
}

void SheetWindow::prepareShowing() {
    makeBuffers();
    job_.setBusy(false);
    job_.clearStopRequest();
    loadLayouts();
    clearPreview();
    for (QWidget* control :
         {static_cast<QWidget*>(startRowEdit_), static_cast<QWidget*>(endRowEdit_),
          static_cast<QWidget*>(numberOffsetEdit_), static_cast<QWidget*>(startRowLabel_),
          static_cast<QWidget*>(endRowLabel_), static_cast<QWidget*>(numberOffsetLabel_)})
        control->show();
    job_.resetContinuation();
    stopButton_->hide();
}

int SheetWindow::loadLayouts() {
    {
        const QSignalBlocker quiet(comboBox1_);
        comboBox1_->clear();
    }
    layouts_.clear();
    layout::LoopHooks hooks;
    hooks.yield = [] { QCoreApplication::processEvents(); };
    hooks.stopRequested = [this] { return job_.stopRequested(); };
    layout::LoadedLayouts loaded = layout::LoadSheetLayouts(
        QFile::encodeName(main_.context().settingsFolder).toStdString(), main_.japanese(), hooks);
    layouts_ = std::move(loaded.layouts);
    if (loaded.problem)
        message(ProblemText(*loaded.problem, main_.japanese()));
    const QSignalBlocker quiet(comboBox1_);
    for (const layout::SheetLayout& entry : layouts_)
        comboBox1_->addItem(FromStd(entry.name));
    comboBox1_->setCurrentIndex(-1);
    return static_cast<int>(layouts_.size());
}

int SheetWindow::reloadLayouts() {
    if (running_)
        return -1;
    // The layout chosen before, by its file, and the title it put into Edit1.
    const int before = comboBox1_->currentIndex();
    std::string chosenFile;
    QString chosenTitle;
    if (before >= 0 && before < static_cast<int>(layouts_.size())) {
        chosenFile = layouts_[static_cast<size_t>(before)].ini_file_name;
        chosenTitle = FromStd(layouts_[static_cast<size_t>(before)].title);
    }
    const bool wasBusy = job_.busy();
    job_.setBusy(true);
    const int count = loadLayouts();
    job_.resetContinuation();
    stopButton_->hide();
    job_.setBusy(wasBusy);
    if (!chosenFile.empty() && !wasBusy)
        chooseAgain(chosenFile, chosenTitle);
    return count;
}

void SheetWindow::chooseAgain(const std::string& file, const QString& formerTitle) {
    const auto found = std::find_if(layouts_.begin(), layouts_.end(),
                                    [&](const auto& entry) { return entry.ini_file_name == file; });
    if (found == layouts_.end())
        return; // no longer listed: nothing is chosen
    // Chosen as by hand, so that the window follows the layout as it was saved; a title the
    // operator typed for this customer is kept over the layout's.
    const QString typed = titleEdit_->text();
    comboBox1_->setCurrentIndex(static_cast<int>(found - layouts_.begin()));
    if (typed != formerTitle)
        titleEdit_->setText(typed);
}

void SheetWindow::openFromMainWindow() {
    job_.stop(*this);
    // A window being shown comes up on top by itself; one already open is brought forward.
    if (isVisible()) {
        raise();
        activateWindow();
    }
    show();
}

void SheetWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Only a showing by the program prepares the window, not a restore from the task bar.
    if (event->spontaneous())
        return;
    // Shown again while a stopped run ends its current photo: the run still holds the list and
    // the flags, so the showing is prepared once it has ended.
    if (running_) {
        showAfterRun_ = true;
        return;
    }
    prepareShowing();
}

void SheetWindow::closeEvent(QCloseEvent* event) {
    // A run ends after its current photo instead of going on behind a closed window; the busy
    // flag then holds until the window is shown again.
    if (running_)
        job_.stop(*this);
    job_.setBusy(true);
    event->accept();
}

bool SheetWindow::eventFilter(QObject* watched, QEvent* event) {
    // Closing the main window ends the program: this window closes with it, ending its run.
    if (watched == &main_ && event->type() == QEvent::Close && isVisible())
        close();
    return QWidget::eventFilter(watched, event);
}

SheetRunSettings SheetWindow::runSettings() const {
    SheetRunSettings s;
    s.photos = main_.photoList();
    s.photoFolder = main_.sourceFolder();
    s.subfolders = main_.subfolders();
    s.saveFolder = main_.saveFolder();
    s.japanese = main_.japanese();
    s.japaneseTagNames = main_.japaneseTagNames();
    s.makerNotes = main_.makerNotes();
    s.maxTagLineCol = main_.context().config.maxTagLineCol;
    s.maxDumpBinCt = main_.context().config.maxDumpBinCt;
    s.settingsFolder = main_.context().settingsFolder;
    s.title = titleEdit_->text();
    s.startRow = startRowEdit_->text();
    s.endRow = endRowEdit_->text();
    s.numberOffset = numberOffsetEdit_->text();
    s.continuous = continuousBox_->isChecked();
    s.stampFolder = stampFolderBox_->isChecked();
    s.keepExisting = keepExistingBox_->isChecked();
    s.noViewerUpdate = noViewerUpdateBox_->isChecked();
    s.adjustInPreview = adjustBox_->isChecked();
    s.quality = trackBar1_->value();
    s.fullResolution = fullResolutionBox_->isChecked();
    s.makePdf = pdfBox_->isChecked();
    s.orderSheet = true;
    s.orderSheetColumns = OrderSheetColumns(s.japanese);
    return s;
}

void SheetWindow::rememberSheetOptions() {
    AppConfig& config = main_.context().config;
    config.fullResolution = fullResolutionBox_->isChecked();
    config.makePdf = pdfBox_->isChecked();
    config.printPages = printBox_->isChecked();
    SaveSheetOptions(main_.context().settingsFolder, config); // a failed write keeps the values
}

void SheetWindow::createSheets() {
    if (job_.busy() || running_)
        return;
    // Without a layout the job would do nothing, and the operator would not know why.
    const int index = comboBox1_->currentIndex();
    if (index < 0 || index >= static_cast<int>(layouts_.size())) {
        message(Pick(main_.japanese(), "レイアウトを選択してください。", "Choose a layout."));
        return;
    }
    // The run works on its own copy of the layout, so nothing can change it under the run.
    const layout::SheetLayout chosen = layouts_[static_cast<size_t>(index)];
    // A layout written on Windows may name its background by a Windows path: said once per
    // layout, before the run fails on it.
    const auto notice = layout::ForeignBackgroundNotice(chosen);
    const QString file = QString::fromStdString(chosen.ini_file_name);
    if (notice && !noticedLayouts_.contains(file)) {
        noticedLayouts_.insert(file);
        message(NoticeText(*notice, main_.japanese()));
    }
    // Printing asks for the printer first; a cancel runs nothing. Web images are not printed.
    std::optional<QPrinter> printer;
    std::optional<PrintSink> printSink;
    if (printBox_->isChecked() && !chosen.for_web) {
        const QString title = PrintJobTitle(main_.sourceFolder());
        printer.emplace(QPrinter::HighResolution);
        PreparePrinter(*printer, chosen.width, chosen.height, chosen.dpi, title);
        if (!askPrinter(*printer))
            return;
        printSink.emplace(*printer, title);
    }
    runStarted_ = false;
    pagesWritten_ = 0;
    photoOnWrittenPage_ = image1_->image();
    int code = 0;
    {
        const RunScope scope(running_);
        runLayout_ = &chosen;
        // The job runs on a worker thread; its reports reach this window on the GUI thread, in
        // order, while the window goes on painting and taking presses (the stop button). The
        // printer is painted on from there too, page by page.
        const SheetRunSettings settings = runSettings();
        ObserverRelay relay(*this, this);
        PageSink* const print = printSink ? &*printSink : nullptr;
        RunOffThread([&] { code = job_.press(runLayout_, settings, relay, print); });
        runLayout_ = nullptr;
    }
    if (code == kRenderStopped && runStarted_)
        showStopped();
    if (!isVisible())
        job_.setBusy(true); // closed during the run
    if (showAfterRun_) {
        showAfterRun_ = false;
        if (isVisible())
            prepareShowing();
    }
}

void SheetWindow::stopRequest() {
    job_.stop(*this);
}

void SheetWindow::editSettings() {
    if (job_.busy())
        return;
    if (job_.continuationPending()) {
        message(Pick(main_.japanese(), "シート作成中は編集できません。",
                     "Can not edit while creating a sheet."));
        return;
    }
    job_.clearStopRequest();
    emit settingsEditorRequested();
}

void SheetWindow::layoutChosen(int index) {
    if (job_.busy() || index < 0 || index >= static_cast<int>(layouts_.size()))
        return;
    const layout::SheetLayout& chosen = layouts_[static_cast<size_t>(index)];
    // Photos can be adjusted one by one only on one-photo pages; every change starts unticked.
    adjustBox_->setChecked(false);
    adjustBox_->setEnabled(chosen.photo_ct == 1);
    if (chosen.title.empty())
        return;
    titleEdit_->setText(FromStd(chosen.title));
    statusLabel_->setText(FromStd(chosen.name) + QStringLiteral(" ファイル：") +
                          FromStd(chosen.ini_file_name));
    titleColourLabel_->setText(QStringLiteral("タイトル色：") + FromStd(chosen.title_font_color));
}

void SheetWindow::fitPage() {
    const int index = comboBox1_->currentIndex();
    if (job_.busy() || index < 0 || index >= static_cast<int>(layouts_.size()))
        return;
    const layout::SheetLayout& chosen = layouts_[static_cast<size_t>(index)];
    if (chosen.width < 1 || chosen.height < 1)
        return;
    const float factor = FitFactor(imageViewer1_, chosen.width, chosen.height);
    imageViewer1_->setZoom(factor);
    showZoom(factor);
}

void SheetWindow::showZoom(float factor) {
    statusLabel_->setText(QStringLiteral("拡大率: ") + FromStd(text::ShortestText(factor)));
}

void SheetWindow::showStopped() {
    // Label5 rather than Label6: Label5 is the running field that every page, double click and
    // layout choice writes anew, while Label6 holds the title colour until the next choice.
    const bool ja = main_.japanese();
    statusLabel_->setText(
        (pagesWritten_ == 1
             ? Pick(ja, "中止しました（%1 ページ作成）", "Stopped (%1 page written)")
             : Pick(ja, "中止しました（%1 ページ作成）", "Stopped (%1 pages written)"))
            .arg(pagesWritten_));
    // The photo being placed when the run stopped is on no page: the preview goes back to the
    // last one that is.
    image1_->setImage(photoOnWrittenPage_);
}

void SheetWindow::qualityChanged(int value) {
    qualityEdit_->setText(QString::number(value));
}

void SheetWindow::progress(int value, int maximum) {
    progressBar1_->setRange(0, std::max(maximum, 1));
    progressBar1_->setValue(std::clamp(value, 0, std::max(maximum, 1)));
}

void SheetWindow::photoPlaced(const QImage& scaledPhoto) {
    image1_->setImage(scaledPhoto);
}

void SheetWindow::pageFinished(const QImage& page) {
    if (page.isNull())
        return;
    // The page may come scaled down to the viewer: the zoom factor counts the layout's pixels.
    const QSize pageSize = runLayout_ ? QSize(runLayout_->width, runLayout_->height) : page.size();
    imageViewer1_->setImage(page, pageSize);
    const float factor = FitFactor(imageViewer1_, pageSize.width(), pageSize.height());
    imageViewer1_->setZoom(factor);
    showZoom(factor);
}

void SheetWindow::clearPreview() {
    imageViewer1_->fill(kClearedPreview);
}

void SheetWindow::outputFolderChosen(const LocalPath&) {
    runStarted_ = true;
}

void SheetWindow::pageWritten(const LocalPath&) {
    ++pagesWritten_;
    photoOnWrittenPage_ = image1_->image();
}

void SheetWindow::message(const QString& text) {
    // The message waits for the operator: the pointer is not busy over it.
    if (running_)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    showMessage(text);
    if (running_)
        QApplication::restoreOverrideCursor();
}

void SheetWindow::problem(const text::Problem& problem) {
    message(ProblemText(problem, main_.japanese()));
}

void SheetWindow::notice(const text::Notice& notice) {
    message(NoticeText(notice, main_.japanese()));
}

void SheetWindow::openFolder(const LocalPath& folder) {
    if (!openInFileManager(folder))
        message(FolderNotOpenedMessage(folder, main_.japanese()));
}

void SheetWindow::stopButtonVisible(bool visible) {
    stopButton_->setVisible(visible);
}

void SheetWindow::yield() {
    // The run reaches here through the relay, after every event that came before: nothing is
    // left to let run.
}

QSize SheetWindow::previewSize() {
    return imageViewer1_->size();
}

std::optional<PhotoAdjustment> SheetWindow::adjustPhoto(const LocalPath& path) {
    if (!runLayout_ || !askAdjustment)
        return std::nullopt;
    // The dialog waits for the operator: the pointer is not busy over it.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    std::optional<PhotoAdjustment> adjustment = askAdjustment(path, *runLayout_);
    QApplication::restoreOverrideCursor();
    return adjustment;
}

} // namespace quorvane
