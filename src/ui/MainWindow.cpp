#include "ui/MainWindow.h"

#include "app/AppConfig.h"
#include "app/DropRule.h"
#include "app/OffThread.h"
#include "catalogue/ProblemText.h"
#include "catalogue/Wording.h"
#include "files/PathRules.h"
#include "render/BlockingCall.h"
#include "ui/BusyScope.h"
#include "ui/FolderOpener.h"
#include "ui/MainWindowDropTarget.h"
#include "ui/MainWindowGrid.h"
#include "ui/PhotoRowFeed.h"
#include "ui/SkippedPhotos.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace quorvane {

namespace {

constexpr int kMinimumWidth = 1040;
constexpr int kMinimumHeight = 600;
// The grid sits kGridLeft from the left edge and kGridLeft + 10 from the right; the progress bar
// follows 5 below it and 20 above the status bar.
constexpr int kGridLeft = 8;
constexpr int kGridRightGap = kGridLeft + 10;
constexpr int kProgressGap = 5;
constexpr int kProgressBottomGap = 20;
constexpr int kProgressHeight = 16;
constexpr int kStatusHeight = 24;
constexpr int kStatusLabelLeft = 8;
constexpr int kStatusLabelRightGap = 50;
constexpr int kFolderColumnWidth = 520; // StringColumn4 at the first showing

QPushButton* MakeButton(QWidget* parent, const QString& name) {
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setMinimumHeight(30);
    return button;
}

} // namespace

MainWindow::MainWindow(AppContext context, QWidget* parent)
    : QWidget(parent), context_(std::move(context)) {
    setObjectName(QStringLiteral("TForm2"));
    setMinimumSize(kMinimumWidth, kMinimumHeight);

    chooseFolder = [this](const QString& title, const QString& startFolder) {
        return QFileDialog::getExistingDirectory(this, title, startFolder);
    };
    showMessage = [this](const QString& text) {
        QMessageBox box(QMessageBox::NoIcon, windowTitle(), text, QMessageBox::Ok, this);
        box.exec();
    };
    openFolder = [](const LocalPath& folder) { return OpenFolderInFileManager(folder); };

    createControls();
    applyTexts();
    fitButtonsToTexts();
    applyStartState();
    resize(kMinimumWidth, kMinimumHeight);
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls() {
    grid_ = new PhotoGridModel(japanese(), this);

    topPanel_ = new QWidget(this);
    topPanel_->setObjectName(QStringLiteral("TopPanel"));
    topPanel_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* top = new QVBoxLayout(topPanel_);
    top->setContentsMargins(kGridLeft, 8, kGridRightGap, 4);
    top->setSpacing(6);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    for (const auto& [button, name] : {std::pair{&clearButton_, "SpeedButton1"},
                                       {&buildButton_, "SpeedButton2"},
                                       {&stopButton_, "SpeedButton3"},
                                       {&sheetsButton_, "SpeedButton4"},
                                       {&settingsFolderButton_, "SpeedButton5"}}) {
        *button = MakeButton(topPanel_, QLatin1String(name));
        buttons->addWidget(*button);
        if (button == &stopButton_)
            buttons->addSpacing(24);
    }
    buttons->addStretch(1);
    top->addLayout(buttons);

    auto* folders = new QGridLayout;
    folders->setHorizontalSpacing(6);
    folders->setVerticalSpacing(6);
    label1_ = new QLabel(topPanel_);
    label1_->setObjectName(QStringLiteral("Label1"));
    label3_ = new QLabel(topPanel_);
    label3_->setObjectName(QStringLiteral("Label3"));
    edit1_ = new QLineEdit(topPanel_);
    edit1_->setObjectName(QStringLiteral("Edit1"));
    edit2_ = new QLineEdit(topPanel_);
    edit2_->setObjectName(QStringLiteral("Edit2"));
    chooseSourceButton_ = MakeButton(topPanel_, QStringLiteral("CornerButton1"));
    setFolderButton_ = MakeButton(topPanel_, QStringLiteral("CornerButton2"));
    chooseSaveButton_ = MakeButton(topPanel_, QStringLiteral("CornerButton3"));
    for (QLineEdit* edit : {edit1_, edit2_})
        edit->setMinimumHeight(28);
    folders->addWidget(label1_, 0, 0);
    folders->addWidget(edit1_, 0, 1);
    folders->addWidget(chooseSourceButton_, 0, 2);
    folders->addWidget(setFolderButton_, 0, 3);
    folders->addWidget(label3_, 1, 0);
    folders->addWidget(edit2_, 1, 1);
    folders->addWidget(chooseSaveButton_, 1, 2);
    folders->setColumnStretch(1, 1);

    dropTarget_ = new PhotoDropTarget(topPanel_);
    dropTarget_->setObjectName(QStringLiteral("DropTarget1"));
    dropTarget_->setFixedWidth(300);

    auto* middle = new QHBoxLayout;
    middle->setSpacing(12);
    middle->addLayout(folders, 1);
    middle->addWidget(dropTarget_);
    top->addLayout(middle);

    auto* options = new QHBoxLayout;
    options->setSpacing(18);
    for (const auto& [box, name] : {std::pair{&eraBox_, "CheckBox1"},
                                    {&timeBox_, "CheckBox2"},
                                    {&japaneseTagsBox_, "CheckBox3"},
                                    {&makerNotesBox_, "CheckBox4"},
                                    {&subfoldersBox_, "CheckBox5"}}) {
        *box = new QCheckBox(topPanel_);
        (*box)->setObjectName(QLatin1String(name));
        options->addWidget(*box);
    }
    options->addStretch(1);
    top->addLayout(options);

    memo1_ = new QPlainTextEdit(this);
    memo1_->setObjectName(QStringLiteral("Memo1"));
    memo1_->hide();

    gridView_ = new QTableView(this);
    gridView_->setObjectName(QStringLiteral("StringGrid1"));
    gridView_->setModel(grid_);
    gridView_->setColumnHidden(PhotoGridModel::kCheckColumn, true);
    gridView_->verticalHeader()->hide();
    // Fixed row heights keep 10000 rows cheap to lay out and scroll.
    gridView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    gridView_->verticalHeader()->setDefaultSectionSize(gridView_->fontMetrics().height() + 8);
    gridView_->horizontalHeader()->setStretchLastSection(false);
    gridView_->horizontalHeader()->setHighlightSections(false);
    gridView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    gridView_->setSelectionMode(QAbstractItemView::SingleSelection);
    gridView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    gridView_->setWordWrap(false);
    gridView_->setColumnWidth(PhotoGridModel::kNumberColumn, 64);
    gridView_->setColumnWidth(PhotoGridModel::kFileNameColumn, 240);
    gridView_->setColumnWidth(PhotoGridModel::kDateColumn, 170);

    progressBar_ = new QProgressBar(this);
    progressBar_->setObjectName(QStringLiteral("ProgressBar1"));
    progressBar_->setTextVisible(false);
    progressBar_->setFixedHeight(kProgressHeight);
    progressBar_->setRange(0, 1);
    progressBar_->setValue(0);

    statusBar_ = new QWidget(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setAttribute(Qt::WA_StyledBackground, true);
    statusBar_->setStyleSheet(QStringLiteral("#StatusBar1 { border-top: 1px solid #c4c4c4; }"));
    statusBar_->setFixedHeight(kStatusHeight);
    label4_ = new QLabel(statusBar_);
    label4_->setObjectName(QStringLiteral("Label4"));
    auto* status = new QHBoxLayout(statusBar_);
    status->setContentsMargins(kStatusLabelLeft, 0, kStatusLabelRightGap, 0);
    status->addWidget(label4_, 1);
    // Beside the count; while hidden the count has the whole line.
    skipped_ = new SkippedPhotos(japanese(), statusBar_);
    skipped_->showNames = [this](const QString& names) { showMessage(names); };
    status->addWidget(skipped_);

    // The grid takes every pixel the window gains; the rows above and below keep their heights.
    auto* body = new QVBoxLayout;
    body->setContentsMargins(kGridLeft, 0, kGridRightGap, kProgressBottomGap);
    body->setSpacing(kProgressGap);
    body->addWidget(gridView_, 1);
    body->addWidget(progressBar_);
    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    window->setSpacing(0);
    window->addWidget(topPanel_);
    window->addLayout(body, 1);
    window->addWidget(statusBar_);

    // Tab follows the rows as they are seen: the buttons, each folder box with its button, the
    // option boxes, then the grid.
    QList<QWidget*> tabOrder{
        clearButton_, buildButton_,        stopButton_,      sheetsButton_, settingsFolderButton_,
        edit1_,       chooseSourceButton_, setFolderButton_, edit2_,        chooseSaveButton_};
    for (QCheckBox* box : optionBoxes())
        tabOrder << box;
    tabOrder << gridView_;
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(clearButton_, &QPushButton::clicked, this, &MainWindow::clearList);
    connect(buildButton_, &QPushButton::clicked, this, &MainWindow::buildList);
    connect(stopButton_, &QPushButton::clicked, this, &MainWindow::stopReading);
    connect(sheetsButton_, &QPushButton::clicked, this, &MainWindow::openSheetWindow);
    connect(settingsFolderButton_, &QPushButton::clicked, this, &MainWindow::openSettingsFolder);
    connect(chooseSourceButton_, &QPushButton::clicked, this, &MainWindow::chooseSourceFolder);
    connect(chooseSaveButton_, &QPushButton::clicked, this, &MainWindow::chooseSaveFolder);
    connect(dropTarget_, &PhotoDropTarget::namesDropped, this, &MainWindow::dropNames);
}

void MainWindow::applyTexts() {
    const bool ja = japanese();
    setWindowTitle(ApplicationTitle(ja));
    clearButton_->setText(Pick(ja, "新規作成", "Clear List"));
    buildButton_->setText(Pick(ja, "画像リスト作成", "Image list creation"));
    stopButton_->setText(Pick(ja, "読込み中断", "Break"));
    sheetsButton_->setText(Pick(ja, "インデックスシート作成", "Make Sheets"));
    settingsFolderButton_->setText(Pick(ja, "サイズ設定フォルダを開く", "Open setting folder"));
    label1_->setText(Pick(ja, "読込みフォルダ", "Photo Folder"));
    label3_->setText(Pick(ja, "保存先フォルダ", "Save Folder"));
    chooseSourceButton_->setText(Pick(ja, "フォルダ選択", "Select Folder"));
    setFolderButton_->setText(Pick(ja, "設定済みフォルダ", "Set Folder"));
    chooseSaveButton_->setText(Pick(ja, "フォルダ選択", "Select Folder"));
    dropTarget_->setText(Pick(ja, "ここへ写真フォルダをドロップ", "Drop a photo folder here"));
    // The era box has no English text.
    eraBox_->setText(QStringLiteral("和暦表示(平成)"));
    timeBox_->setText(Pick(ja, "時分秒も表示", "Disp H:M:S"));
    japaneseTagsBox_->setText(Pick(ja, "EXIF情報名を日本語で表示", "Use Japanese ExifTagName"));
    makerNotesBox_->setText(
        Pick(ja, "メーカーノートがあれば表示", "Display maker note if there is"));
    subfoldersBox_->setText(Pick(ja, "サブフォルダも検索する", "Also search subfolders"));
    edit1_->setAccessibleName(label1_->text());
    edit2_->setAccessibleName(label3_->text());
    gridView_->setAccessibleName(Pick(ja, "画像リスト", "Image list"));
}

void MainWindow::fitButtonsToTexts() {
    // Some room either side of each caption.
    for (QPushButton* button :
         {clearButton_, buildButton_, stopButton_, sheetsButton_, settingsFolderButton_,
          chooseSourceButton_, setFolderButton_, chooseSaveButton_})
        button->setMinimumWidth(std::max(110, button->sizeHint().width() + 16));
}

void MainWindow::applyStartState() {
    const bool ja = japanese();
    setFolderButton_->hide(); // kept for its name; it does nothing
    // The era box is unticked and hidden in English; the tag-name box starts ticked in Japanese
    // and is unticked and hidden in English.
    japaneseTagsBox_->setChecked(ja);
    for (QCheckBox* box : {eraBox_, japaneseTagsBox_}) {
        if (!ja) {
            box->setChecked(false);
            box->hide();
        }
    }
    makerNotesBox_->setChecked(false);
    subfoldersBox_->setChecked(false);
    makerNotesBox_->show();
}

QVector<PhotoEntry> MainWindow::photoList() const {
    return grid_->photoList();
}

LocalPath MainWindow::sourceFolder() const {
    // A folder set by a drop shows readably; its exact bytes stay until the box is typed in.
    return edit1_->text() == droppedFolder_.display() ? droppedFolder_
                                                      : LocalPath::FromText(edit1_->text());
}

LocalPath MainWindow::saveFolder() const {
    return LocalPath::FromText(edit2_->text());
}

bool MainWindow::eraDates() const {
    return eraBox_->isChecked();
}

bool MainWindow::showTime() const {
    return timeBox_->isChecked();
}

bool MainWindow::japaneseTagNames() const {
    return japaneseTagsBox_->isChecked();
}

bool MainWindow::makerNotes() const {
    return makerNotesBox_->isChecked();
}

bool MainWindow::subfolders() const {
    return subfoldersBox_->isChecked();
}

exif::ExifOptions MainWindow::reportOptions() const {
    exif::ExifOptions options;
    options.maxTagLineCol = context_.config.maxTagLineCol;
    options.maxDumpBinCt = context_.config.maxDumpBinCt;
    options.japaneseNames = japaneseTagNames();
    options.makerNotes = makerNotes();
    options.settingsFolder = context_.settingsFolder.toStdString();
    options.yield = [] { QCoreApplication::processEvents(); };
    options.stopRequested = [this] { return stopRequested_.load(); };
    return options;
}

void MainWindow::clearList() {
    // Ignored during a build: emptying the rows under it would leave a list that reads as empty
    // while the build goes on filling from its row.
    if (busy_)
        return;
    BusyScope busy(busy_);
    stopRequested_ = false;
    emptyAndNumberRows();
}

void MainWindow::emptyAndNumberRows() {
    grid_->emptyAndNumber();
    gridView_->scrollToTop();
    progressBar_->setRange(0, 1);
    progressBar_->setValue(0);
    label4_->clear();
    skipped_->setSkipped({});
}

void MainWindow::buildList() {
    if (busy_)
        return;
    BusyScope busy(busy_);
    stopRequested_ = false;

    PhotoListRequest request;
    request.sourceFolder = sourceFolder();
    request.saveFolder = saveFolder();
    request.subfolders = subfolders();
    request.era = eraDates();
    request.withTime = showTime();
    request.maxDumpBinCt = context_.config.maxDumpBinCt;

    // Progress is drawn about 25 times a second and once at the end: drawn for every photo, it
    // took most of the time of a long list.
    QElapsedTimer sinceShown;
    sinceShown.start();
    int shownDone = -1, lastDone = 0, lastFound = 0;
    // The listing runs on a worker thread; its rows come to the grid one per event, so that the
    // window repaints meanwhile and a stop pressed after a row comes before the next one.
    PhotoRowFeed feed(
        this,
        [&, this](const PhotoEntry& row, int done, int found) {
            grid_->setRow(done - 1, row);
            listedCount_ = done;
            lastDone = done, lastFound = found;
            if (done == found || sinceShown.elapsed() >= 40) {
                showProgress(done, found);
                shownDone = done;
                sinceShown.restart();
            }
        },
        [this] { return stopRequested_.load(); });
    PhotoListHooks hooks;
    hooks.stopRequested = [this] { return stopRequested_.load(); };
    hooks.emptyRows = [this] {
        CallOnThreadOf(this, [this] {
            // A short list after a long one starts at the top, not below its last row.
            grid_->emptyAll();
            gridView_->scrollToTop();
            listedCount_ = 0;
            showProgress(0, 0);
            skipped_->setSkipped({});
        });
    };
    hooks.rowAdded = [&feed](const PhotoEntry& row, int done, int found) {
        feed.push(row, done, found);
    };
    PhotoListResult result;
    bool onlyInSubfolders = false;
    RunOffThread([&] {
        result = BuildPhotoList(request, hooks);
        feed.waitUntilTaken();
        // A folder whose photos are all in subfolders lists nothing, which reads as a folder
        // without photos: the status line says where they are and which box takes them.
        onlyInSubfolders =
            result.listReplaced && !result.stopped && result.rows.isEmpty() &&
            !request.subfolders &&
            !ListPhotos(request.sourceFolder, true, hooks.stopRequested).paths.isEmpty();
    });
    if (lastDone > 0 && shownDone != lastDone)
        showProgress(lastDone, lastFound);
    skipped_->setSkipped(result.skipped);
    if (onlyInSubfolders)
        label4_->setText(Pick(japanese(),
                              "このフォルダに写真はありませんが、サブフォルダにあります。"
                              "「%1」にチェックを入れてください。",
                              "No photos in this folder itself, but its subfolders have some: "
                              "tick \"%1\".")
                             .arg(subfoldersBox_->text()));
    // The request belongs to this build. Left set, it would cut short every EXIF report the
    // sheet window reads later, since those reads poll the same request.
    stopRequested_ = false;
    for (const text::Problem& problem : result.problems)
        showMessage(ProblemText(problem, japanese()));
}

void MainWindow::stopReading() {
    if (busy_)
        stopRequested_ = true;
}

void MainWindow::openSheetWindow() {
    if (busy_)
        return;
    if (edit1_->text().isEmpty() || edit2_->text().isEmpty()) {
        showMessage(ProblemText({text::ProblemCode::kPhotoListFoldersNotSet, {}}, japanese()));
        return;
    }
    emit sheetWindowRequested();
}

void MainWindow::openSettingsFolder() {
    if (busy_)
        return;
    const LocalPath settings = LocalPath::FromText(context_.settingsFolder);
    if (IsLocalDir(settings) && !openFolder(settings))
        showMessage(FolderNotOpenedMessage(settings, japanese()));
}

void MainWindow::chooseSourceFolder() {
    if (busy_)
        return;
    const QString chosen =
        chooseFolder(QStringLiteral("読込みフォルダ選択"), StripPath(context_.config.readPath));
    if (chosen.isEmpty())
        return;
    const QString folder = StripPath(chosen);
    edit1_->setText(folder);
    context_.config.readPath = folder;
    SaveReadPath(context_.settingsFolder, context_.config); // a failed write keeps the values
}

void MainWindow::chooseSaveFolder() {
    if (busy_)
        return;
    const QString chosen =
        chooseFolder(QStringLiteral("保存先フォルダ選択"), StripPath(context_.config.savePath));
    if (chosen.isEmpty())
        return;
    const QString folder = StripPath(chosen);
    edit2_->setText(folder);
    context_.config.savePath = folder;
    SaveSavePath(context_.settingsFolder, context_.config); // a failed write keeps the values
}

void MainWindow::dropNames(const QList<LocalPath>& names) {
    if (busy_)
        return;
    BusyScope busy(busy_);
    stopRequested_ = false;
    if (names.isEmpty())
        return;
    // Only the first name counts; a drop sets the source folder and clears the list, it does not
    // build it.
    const DropDecision decision = DecideDrop(names.first());
    if (decision.refusal) {
        showMessage(ProblemText(*decision.refusal, japanese()));
        return;
    }
    droppedFolder_ = decision.sourceFolder;
    edit1_->setText(decision.sourceFolder.display());
    emptyAndNumberRows();
    context_.config.readPath = StripPath(decision.sourceFolder.text());
    SaveReadPath(context_.settingsFolder, context_.config); // a failed write keeps the values
}

void MainWindow::showProgress(int done, int found) {
    progressBar_->setRange(0, std::max(found, 1));
    progressBar_->setValue(std::min(done, std::max(found, 1)));
    label4_->setText(QStringLiteral("%1 / %2").arg(done).arg(found));
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        gridView_->setColumnWidth(PhotoGridModel::kFolderColumn, kFolderColumnWidth);
        // The keyboard starts where the work starts, not on "新規作成", which the first stray
        // key would press.
        edit1_->setFocus(Qt::OtherFocusReason);
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // A build in progress ends at its next photo instead of running on behind a closed window.
    if (busy_)
        stopRequested_ = true;
    QWidget::closeEvent(event);
}

} // namespace quorvane
