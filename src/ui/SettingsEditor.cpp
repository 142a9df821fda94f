#include "ui/SettingsEditor.h"

#include "app/Language.h"
#include "catalogue/ProblemText.h"
#include "imaging/Raster.h"
#include "layout/LayoutCalc.h"
#include "layout/LayoutFiles.h"
#include "layout/LayoutSave.h"
#include "render/EditorPreview.h"
#include "text/IniDocument.h"
#include "ui/BitmapView.h"
#include "ui/BusyScope.h"
#include "ui/ColourPanel.h"
#include "ui/FontChooser.h"
#include "ui/InputFilter.h"
#include "ui/MessageDialog.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabBar>
#include <QTableWidget>

#include <algorithm>
#include <memory>

namespace quorvane {

namespace {

using layout::LayoutInput;

constexpr int kListRows = layout::kMaxLayoutFiles;
// Up to this many layouts the list keeps its 1000 rows; beyond it, it has one row per layout.
constexpr int kFixedListRows = 100;
// The share of the viewer the preview fills.
constexpr double kPreviewFill = 0.95;

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

QString Q(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The colour buttons, the field each one serves and where the panel opens for it.
struct ColourOpener {
    int button;
    int field;
    QPoint panelAt;
};
constexpr ColourOpener kColourOpeners[] = {
    {6, 9, {700, 120}},   {7, 23, {500, 300}},  {9, 25, {650, 500}},
    {13, 27, {500, 300}}, {16, 33, {500, 300}},
};

// The font buttons and their fields.
constexpr std::pair<int, int> kFontOpeners[] = {{14, 24}, {15, 30}, {17, 36}};

QString CaptionSuffix(bool japanese) {
    return Pick(japanese, "　<インデックスシート　サイズ設定>", "　<IndexSheet Size setting>");
}

} // namespace

SettingsEditor::SettingsEditor(bool japanese, QString settingsFolder, MessageDialog& messages,
                               FontChooser& fonts, QWidget* parent)
    : QDialog(parent), japanese_(japanese), settingsFolder_(std::move(settingsFolder)),
      messages_(messages), fonts_(fonts) {
    setObjectName(QStringLiteral("TForm8"));
    setModal(true);
    showInfo = [this](const QString& text) { messages_.ShowInfo(text, this); };
    ask = [this](const QString& text) { return messages_.Ask(text, this); };

    createControls();
    applyTexts();
    setWindowTitle(ApplicationTitle(japanese_) +
                   Pick(japanese_, "　<インデックスシート　サイズ設定>", "　<IndexSheet Setting>"));

    connect(buttons_[1], &QPushButton::clicked, this, &SettingsEditor::calculate);
    connect(buttons_[2], &QPushButton::clicked, this, &SettingsEditor::saveOver);
    connect(buttons_[3], &QPushButton::clicked, this, &SettingsEditor::editSelected);
    connect(buttons_[4], &QPushButton::clicked, this, &SettingsEditor::resetFields);
    connect(buttons_[5], &QPushButton::clicked, this, &SettingsEditor::swapPaperSize);
    connect(buttons_[8], &QPushButton::clicked, this, &SettingsEditor::saveAsNew);
    connect(buttons_[10], &QPushButton::clicked, this, &SettingsEditor::calculateTrimRatio);
    for (const ColourOpener& o : kColourOpeners) {
        QPushButton* button = buttons_[static_cast<size_t>(o.button)];
        connect(button, &QPushButton::clicked, this, [this, button] { openColourPanel(button); });
    }
    for (const auto& [n, field] : kFontOpeners) {
        QPushButton* button = buttons_[static_cast<size_t>(n)];
        connect(button, &QPushButton::clicked, this, [this, button] { chooseFont(button); });
    }
    connect(standardSizes_, &QComboBox::currentIndexChanged, this,
            &SettingsEditor::standardSizeChosen);
    connect(tabs_, &QTabBar::currentChanged, this, &SettingsEditor::showTab);
    connect(list_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { selectedRow_ = row; });

    // Any change to what the calculation reads makes its layout text stale.
    for (int n = 1; n <= LayoutInput::kEditCount; ++n)
        connect(edits_[static_cast<size_t>(n)], &QLineEdit::textChanged, this,
                &SettingsEditor::controlChanged);
    for (int n = 1; n <= LayoutInput::kCheckCount; ++n)
        connect(checks_[static_cast<size_t>(n)], &QCheckBox::toggled, this,
                &SettingsEditor::controlChanged);
    for (int n = 1; n <= LayoutInput::kRadioCount; ++n)
        connect(radios_[static_cast<size_t>(n)], &QRadioButton::toggled, this,
                &SettingsEditor::controlChanged);
    connect(standardSizes_, &QComboBox::currentIndexChanged, this, &SettingsEditor::controlChanged);

    list_->setRowCount(kListRows);
    applyResetValues();
    showTab(0);
    resize(1260, 760);
}

SettingsEditor::~SettingsEditor() = default;

void SettingsEditor::setSheetWindowLink(SheetWindowLink link) {
    link_ = std::move(link);
}

int SettingsEditor::openModal() {
    return exec();
}

void SettingsEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    selectedRow_ = 0;
    editedRow_ = -1;
    loadList();
    colourPanel_->hide();
    list_->setCurrentCell(0, 0);
    selectedRow_ = 0;
    reset();
    fonts_.FillFontList();
    busy_ = false;
}

void SettingsEditor::loadList() {
    settingsCount_ = 0;
    list_->clearContents();
    list_->setRowCount(kListRows);
    list_->setColumnWidth(kFileColumn, 300);
    const auto entries = layout::ListLayoutFiles(QFile::encodeName(settingsFolder_).toStdString());
    for (const layout::LayoutFileEntry& entry : entries) {
        setListRow(settingsCount_, settingsCount_ + 1, entry.enabled, Q(entry.name),
                   Q(entry.fileName));
        ++settingsCount_;
    }
    if (settingsCount_ > kFixedListRows)
        list_->setRowCount(settingsCount_);
}

void SettingsEditor::setListRow(int row, int number, bool enabled, const QString& name,
                                const QString& fileName) {
    if (row >= list_->rowCount())
        list_->setRowCount(row + 1);
    auto item = [](const QString& text) {
        auto* cell = new QTableWidgetItem(text);
        cell->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        return cell;
    };
    list_->setItem(row, kNumberColumn, item(QString::number(number)));
    QTableWidgetItem* check = item(QString());
    check->setCheckState(enabled ? Qt::Checked : Qt::Unchecked);
    check->setData(Qt::UserRole, enabled ? QStringLiteral("true") : QStringLiteral("false"));
    list_->setItem(row, kEnabledColumn, check);
    list_->setItem(row, kNameColumn, item(name));
    list_->setItem(row, kFileColumn, item(fileName));
}

QString SettingsEditor::cellText(int column, int row) const {
    const QTableWidgetItem* cell = list_->item(row, column);
    if (!cell)
        return {};
    return column == kEnabledColumn ? cell->data(Qt::UserRole).toString() : cell->text();
}

LayoutInput SettingsEditor::input() const {
    LayoutInput in;
    for (int n = 1; n <= LayoutInput::kEditCount; ++n)
        in.setEdit(n, Utf8(edits_[static_cast<size_t>(n)]->text()));
    for (int n = 1; n <= LayoutInput::kCheckCount; ++n)
        in.setCheck(n, checks_[static_cast<size_t>(n)]->isChecked());
    for (int n = 1; n <= LayoutInput::kRadioCount; ++n)
        if (radios_[static_cast<size_t>(n)]->isChecked())
            in.setRadio(n, true);
    return in;
}

void SettingsEditor::setInput(const LayoutInput& in) {
    for (int n = 1; n <= LayoutInput::kEditCount; ++n)
        InputFilter::SetText(edits_[static_cast<size_t>(n)], Q(in.edit(n)));
    for (int n = 1; n <= LayoutInput::kCheckCount; ++n)
        checks_[static_cast<size_t>(n)]->setChecked(in.check(n));
    // A group may have no button checked: its exclusivity is lifted while the states are set.
    for (auto group :
         {LayoutInput::kTitlePosition, LayoutInput::kPagePosition, LayoutInput::kFileNameAlign}) {
        QButtonGroup* buttons = radios_[static_cast<size_t>(group.first)]->group();
        buttons->setExclusive(false);
        for (int n = group.first; n < group.first + group.count; ++n)
            radios_[static_cast<size_t>(n)]->setChecked(in.radio(n));
        buttons->setExclusive(true);
    }
}

void SettingsEditor::applyResetValues() {
    LayoutInput in;
    in.setEdit(1, "300");
    in.setEdit(9, "ffffffff");
    in.setEdit(15, "1.5");
    in.setEdit(17, "200");
    in.setEdit(19, "4");
    in.setEdit(20, "2");
    in.setEdit(21, "1");
    for (int n : {23, 25, 27})
        in.setEdit(n, "ff000000");
    for (int n : {24, 30})
        in.setEdit(n, japanese_ ? "ＭＳ ゴシック" : "MS Gothic");
    in.setEdit(28, japanese_ ? "ページ[$PAGE]" : "Page.[$PAGE]");
    in.setEdit(26, "0.0");
    in.setEdit(31, "0.0");
    in.setEdit(29, "4");
    in.setEdit(32, "1");
    for (int n : {1, 2, 4, 14})
        in.setCheck(n, true);
    // "EXIF全情報を表示" keeps its state.
    in.setCheck(15, checks_[15]->isChecked());
    in.setRadio(2, true);  // title "中央上"
    in.setRadio(10, true); // page number "右上"
    in.setRadio(16, true); // file name "中央"
    setInput(in);
    standardSizes_->setCurrentIndex(-1);
}

void SettingsEditor::setCaptionSuffix(const QString& suffix) {
    setWindowTitle(ApplicationTitle(japanese_) + suffix);
}

void SettingsEditor::resetFields() {
    if (busy_)
        return;
    BusyScope busy(busy_);
    reset();
}

void SettingsEditor::reset() {
    applyResetValues();
    groups_[1]->setTitle(Pick(japanese_, "用紙設定", "Paper setting"));
    setCaptionSuffix(CaptionSuffix(japanese_));
    clearLayoutText();
    tabs_->setCurrentIndex(0);
    showTab(0);
    currentFileName_.clear();
    editedRow_ = -1;
}

void SettingsEditor::showTab(int index) {
    groups_[3]->setVisible(index == 0);
    groups_[6]->setVisible(index == 1);
    groups_[7]->setVisible(index == 2);
}

void SettingsEditor::standardSizeChosen(int index) {
    if (busy_ || index < 0 || index >= static_cast<int>(kStandardPaperSizes.size()))
        return;
    const StandardPaperSize& size = kStandardPaperSizes[static_cast<size_t>(index)];
    InputFilter::SetText(edits_[2], QString::fromUtf8(size.width));
    InputFilter::SetText(edits_[3], QString::fromUtf8(size.height));
}

void SettingsEditor::swapPaperSize() {
    const QString width = edits_[2]->text();
    InputFilter::SetText(edits_[2], edits_[3]->text());
    InputFilter::SetText(edits_[3], width);
}

void SettingsEditor::controlChanged() {
    // A calculation describes the controls as they were; saving it after a change would write a
    // layout other than the one on screen.
    clearLayoutText();
}

void SettingsEditor::clearLayoutText() {
    layoutText_.clear();
    memo_->clear();
}

void SettingsEditor::editSelected() {
    if (busy_ || selectedRow_ < 0)
        return;
    const int row = list_->currentRow();
    if (row < 0)
        return;
    selectedRow_ = row;
    const QString name = cellText(kNameColumn, row);
    const QString fileName = cellText(kFileColumn, row);
    if (name.isEmpty() || fileName.isEmpty())
        return;
    const QString path = QFileInfo(settingsFolder_ + QLatin1Char('/') + fileName).filePath();
    if (!QFileInfo(path).isFile())
        return;
    // Read before asking: a file that cannot be read leaves the loaded layout as it is.
    const auto doc = text::IniDocument::Load(QFile::encodeName(path).toStdString());
    if (!doc)
        return;
    if (editedRow_ >= 0 &&
        ask(QString::fromUtf8("編集中ですが破棄してよろしいですか？")) != MessageDialog::kYes)
        return;

    BusyScope busy(busy_);
    currentFileName_.clear();
    reset();
    setInput(layout::ReadLayoutInput(*doc));
    currentFileName_ = fileName;
    groups_[1]->setTitle(QString::fromUtf8("用紙設定　") + fileName);
    editedRow_ = row;
    setCaptionSuffix(QString::fromUtf8("　<インデックスシート　サイズ設定> ") + edits_[8]->text());
}

void SettingsEditor::calculate() {
    if (busy_)
        return;
    clearLayoutText();
    const LayoutInput in = input();
    const layout::LayoutCalcResult result = layout::CalculateLayout(in, MaxBitmapSize());
    if (!result.ok) {
        showInfo(ProblemsText(result.problems, japanese_));
        return;
    }
    layoutText_ = result.layoutText;
    memo_->setPlainText(Q(layoutText_));
    // A layout whose sheets could not be made is not drawn either: its preview alone could take
    // gigabytes. The layout text stays, as for a stopped preview.
    const layout::LayoutProblem tooLarge = EditorPreviewMemory(result.layout);
    if (tooLarge.kind != layout::LayoutProblem::kNone) {
        preview_->clear();
        showInfo(ProblemText(layout::PreviewRefusalProblem(tooLarge), japanese_));
        return;
    }
    showPreview(drawPreview(result.layout, in));
}

QImage SettingsEditor::drawPreview(const layout::SheetLayout& layout, const LayoutInput& in) {
    // A preview of many cells takes long: after a moment a progress window shows, whose button
    // stops the drawing. Until then the drawing goes on without looking at events.
    BusyScope busy(busy_);
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> progress;
    auto stop = [&](int drawn, int cells) {
        if (!progress) {
            if (clock.elapsed() < previewProgressDelayMs)
                return false;
            progress = std::make_unique<QProgressDialog>(
                Pick(japanese_, "プレビューを作成しています。", "Drawing the preview."),
                Pick(japanese_, "中止", "Stop"), 0, cells, this);
            progress->setObjectName(QStringLiteral("PreviewProgress"));
            progress->setWindowTitle(ApplicationTitle(japanese_));
            progress->setWindowModality(Qt::WindowModal);
            progress->setMinimumDuration(0);
            progress->setAutoClose(false);
            progress->setAutoReset(false);
            progress->show();
        }
        progress->setValue(drawn);
        QCoreApplication::processEvents();
        return progress->wasCanceled();
    };
    return DrawEditorPreview(layout, in, stop);
}

void SettingsEditor::showPreview(const QImage& preview) {
    if (preview.isNull()) {
        preview_->clear();
        return;
    }
    preview_->setBitmap(preview, preview_->fittingScale(preview.size(), kPreviewFill));
}

void SettingsEditor::calculateTrimRatio() {
    const layout::TrimRatioResult result = layout::CalculateTrimRatio(input());
    if (!result.ok) {
        showInfo(ProblemsText(result.problems, japanese_));
        return;
    }
    InputFilter::SetText(edits_[16], Q(result.ratioText));
}

void SettingsEditor::saveOver() {
    save(false);
}

void SettingsEditor::saveAsNew() {
    save(true);
}

void SettingsEditor::save(bool asNew) {
    layout::LayoutSaveRequest request;
    request.settingsFolder = QFile::encodeName(settingsFolder_).toStdString();
    request.layoutText = layoutText_;
    request.currentFileName = Utf8(currentFileName_);
    request.editedRow = editedRow_;
    request.editorBusy = busy_;
    request.sheetRunPending = link_.sheetRunPending && link_.sheetRunPending();
    auto run = [&] { return asNew ? layout::SaveLayoutAs(request) : layout::SaveLayout(request); };
    if (busy_) {
        // Refused with its message; the flag belongs to the save that is running.
        showInfo(Q(run().message));
        return;
    }
    BusyScope busy(busy_);
    const layout::LayoutSaveResult result = run();
    if (!result.message.empty())
        showInfo(Q(result.message));
    // A refused or failed save keeps the fields and the list as they are.
    if (result.status != layout::LayoutSaveStatus::Saved)
        return;

    const QString name = edits_[8]->text();
    const bool enabled = checks_[7]->isChecked();
    if (result.savedAsNew) {
        setListRow(settingsCount_, settingsCount_ + 1, enabled, name, Q(result.fileName));
        ++settingsCount_;
    } else {
        setListRow(editedRow_, cellText(kNumberColumn, editedRow_).toInt(), enabled, name,
                   cellText(kFileColumn, editedRow_));
    }
    reset();
    if (link_.reloadLayouts)
        link_.reloadLayouts();
}

void SettingsEditor::openColourPanel(QAbstractButton* opener) {
    for (const ColourOpener& o : kColourOpeners) {
        if (buttons_[static_cast<size_t>(o.button)] != opener)
            continue;
        // Kept inside the window when it is smaller than the places were laid out for.
        QPoint at = o.panelAt;
        at.setX(std::max(0, std::min(at.x(), width() - colourPanel_->width())));
        at.setY(std::max(0, std::min(at.y(), height() - colourPanel_->height())));
        colourPanel_->openFor(opener, edits_[static_cast<size_t>(o.field)], at);
        return;
    }
}

void SettingsEditor::chooseFont(QAbstractButton* opener) {
    for (const auto& [button, field] : kFontOpeners) {
        if (buttons_[static_cast<size_t>(button)] != opener)
            continue;
        const QString family = fonts_.PickFontFamily();
        if (!family.isEmpty())
            InputFilter::SetText(edits_[static_cast<size_t>(field)], family);
        return;
    }
}

} // namespace quorvane
