#include "ui/SettingsEditor.h"

#include "catalogue/NoticeText.h"
#include "catalogue/ProblemText.h"
#include "catalogue/Wording.h"
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
using F = layout::EditorField;

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

    connect(calculateButton_, &QPushButton::clicked, this, &SettingsEditor::calculate);
    connect(saveOverButton_, &QPushButton::clicked, this, &SettingsEditor::saveOver);
    connect(editButton_, &QPushButton::clicked, this, &SettingsEditor::editSelected);
    connect(resetButton_, &QPushButton::clicked, this, &SettingsEditor::resetFields);
    connect(swapSizeButton_, &QPushButton::clicked, this, &SettingsEditor::swapPaperSize);
    connect(saveAsButton_, &QPushButton::clicked, this, &SettingsEditor::saveAsNew);
    connect(trimRatioButton_, &QPushButton::clicked, this, &SettingsEditor::calculateTrimRatio);
    for (const ColourOpener& o : colourOpeners()) {
        QPushButton* button = o.button;
        connect(button, &QPushButton::clicked, this, [this, button] { openColourPanel(button); });
    }
    for (const FontOpener& o : fontOpeners()) {
        QPushButton* button = o.button;
        connect(button, &QPushButton::clicked, this, [this, button] { chooseFont(button); });
    }
    connect(standardSizes_, &QComboBox::currentIndexChanged, this,
            &SettingsEditor::standardSizeChosen);
    connect(tabs_, &QTabBar::currentChanged, this, &SettingsEditor::showTab);
    connect(list_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int, int) { selectedRow_ = row; });

    // Any change to what the calculation reads makes its layout text stale.
    for (int i = 0; i < layout::kEditorFieldCount; ++i) {
        const F field = layout::FieldAt(i);
        switch (layout::KindOf(field)) {
        case layout::FieldKind::Text:
            connect(edit(field), &QLineEdit::textChanged, this, &SettingsEditor::controlChanged);
            break;
        case layout::FieldKind::Check:
            connect(check(field), &QCheckBox::toggled, this, &SettingsEditor::controlChanged);
            break;
        case layout::FieldKind::Radio:
            connect(radio(field), &QRadioButton::toggled, this, &SettingsEditor::controlChanged);
            break;
        }
    }
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
    for (int i = 0; i < layout::kEditorFieldCount; ++i) {
        const F field = layout::FieldAt(i);
        switch (layout::KindOf(field)) {
        case layout::FieldKind::Text:
            in.setText(field, Utf8(edit(field)->text()));
            break;
        case layout::FieldKind::Check:
            in.setOn(field, check(field)->isChecked());
            break;
        case layout::FieldKind::Radio:
            if (radio(field)->isChecked())
                in.setOn(field, true);
            break;
        }
    }
    return in;
}

void SettingsEditor::setInput(const LayoutInput& in) {
    for (int i = 0; i < layout::kEditorFieldCount; ++i) {
        const F field = layout::FieldAt(i);
        if (layout::KindOf(field) == layout::FieldKind::Text)
            InputFilter::SetText(edit(field), Q(in.text(field)));
        else if (layout::KindOf(field) == layout::FieldKind::Check)
            check(field)->setChecked(in.isOn(field));
    }
    // A group may have no button checked: its exclusivity is lifted while the states are set.
    for (F first : {F::TitleUpperLeft, F::PageUpperLeft, F::FileDateLeft}) {
        QButtonGroup* buttons = radio(first)->group();
        buttons->setExclusive(false);
        const int count = LayoutInput::GroupOf(first).count;
        for (int i = 0; i < count; ++i) {
            const F field = layout::FieldAt(layout::IndexOf(first) + i);
            radio(field)->setChecked(in.isOn(field));
        }
        buttons->setExclusive(true);
    }
}

void SettingsEditor::applyResetValues() {
    LayoutInput in;
    in.setText(F::Resolution, "300");
    in.setText(F::BackgroundColour, "ffffffff");
    in.setText(F::Cutoff, "1.5");
    in.setText(F::WebThumbWidth, "200");
    in.setText(F::NumberFontSize, "4");
    in.setText(F::NumberDistance, "2");
    in.setText(F::NumberMargin, "1");
    for (F colour : {F::TitleColour, F::NumberColour, F::PageColour})
        in.setText(colour, "ff000000");
    for (F font : {F::TitleFont, F::PageFont})
        in.setText(font, japanese_ ? "ＭＳ ゴシック" : "MS Gothic");
    in.setText(F::PageText, japanese_ ? "ページ[$PAGE]" : "Page.[$PAGE]");
    in.setText(F::TitleAdjust, "0.0");
    in.setText(F::PageAdjust, "0.0");
    in.setText(F::PageFontSize, "4");
    in.setText(F::PageStartNumber, "1");
    for (F box : {F::HorizontalFirst, F::ShowNumbers, F::PhotoFrame, F::DateOnSecondLine})
        in.setOn(box, true);
    // "EXIF全情報を表示" keeps its state.
    in.setOn(F::ShowExif, check(F::ShowExif)->isChecked());
    in.setOn(F::TitleUpperCentre, true);
    in.setOn(F::PageUpperRight, true);
    in.setOn(F::FileDateCentre, true);
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
    paperGroup_->setTitle(Pick(japanese_, "用紙設定", "Paper setting"));
    setCaptionSuffix(CaptionSuffix(japanese_));
    clearLayoutText();
    tabs_->setCurrentIndex(0);
    showTab(0);
    currentFileName_.clear();
    editedRow_ = -1;
}

void SettingsEditor::showTab(int index) {
    titleGroup_->setVisible(index == 0);
    pageNumberGroup_->setVisible(index == 1);
    otherGroup_->setVisible(index == 2);
}

void SettingsEditor::standardSizeChosen(int index) {
    if (busy_ || index < 0 || index >= static_cast<int>(kStandardPaperSizes.size()))
        return;
    const StandardPaperSize& size = kStandardPaperSizes[static_cast<size_t>(index)];
    InputFilter::SetText(edit(F::PaperWidth), QString::fromUtf8(size.width));
    InputFilter::SetText(edit(F::PaperHeight), QString::fromUtf8(size.height));
}

void SettingsEditor::swapPaperSize() {
    const QString width = edit(F::PaperWidth)->text();
    InputFilter::SetText(edit(F::PaperWidth), edit(F::PaperHeight)->text());
    InputFilter::SetText(edit(F::PaperHeight), width);
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
    paperGroup_->setTitle(QString::fromUtf8("用紙設定　") + fileName);
    editedRow_ = row;
    setCaptionSuffix(QString::fromUtf8("　<インデックスシート　サイズ設定> ") +
                     edit(F::SettingName)->text());
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
    InputFilter::SetText(edit(F::TrimRatio), Q(result.ratioText));
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
    // Each save tells the operator its outcome: the refusal or failure, or the file saved.
    const auto tell = [this](const layout::LayoutSaveResult& result) {
        if (result.problem)
            showInfo(ProblemText(*result.problem, japanese_));
        if (result.notice)
            showInfo(NoticeText(*result.notice, japanese_));
    };
    if (busy_) {
        // Refused with its problem; the flag belongs to the save that is running.
        tell(run());
        return;
    }
    BusyScope busy(busy_);
    const layout::LayoutSaveResult result = run();
    tell(result);
    // A refused or failed save keeps the fields and the list as they are.
    if (result.status != layout::LayoutSaveStatus::Saved)
        return;

    const QString name = edit(F::SettingName)->text();
    const bool enabled = check(F::Enabled)->isChecked();
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

std::array<SettingsEditor::ColourOpener, 5> SettingsEditor::colourOpeners() const {
    return {{{backgroundColourButton_, F::BackgroundColour, {700, 120}},
             {titleColourButton_, F::TitleColour, {500, 300}},
             {numberColourButton_, F::NumberColour, {650, 500}},
             {pageColourButton_, F::PageColour, {500, 300}},
             {fileDateColourButton_, F::FileDateColour, {500, 300}}}};
}

std::array<SettingsEditor::FontOpener, 3> SettingsEditor::fontOpeners() const {
    return {{{titleFontButton_, F::TitleFont},
             {pageFontButton_, F::PageFont},
             {fileDateFontButton_, F::FileDateFont}}};
}

void SettingsEditor::openColourPanel(QAbstractButton* opener) {
    for (const ColourOpener& o : colourOpeners()) {
        if (o.button != opener)
            continue;
        // Kept inside the window when it is smaller than the places were laid out for.
        QPoint at = o.panelAt;
        at.setX(std::max(0, std::min(at.x(), width() - colourPanel_->width())));
        at.setY(std::max(0, std::min(at.y(), height() - colourPanel_->height())));
        colourPanel_->openFor(opener, edit(o.field), at);
        return;
    }
}

void SettingsEditor::chooseFont(QAbstractButton* opener) {
    for (const FontOpener& o : fontOpeners()) {
        if (o.button != opener)
            continue;
        // Over this window: parented elsewhere, it went behind the windows under a window
        // manager.
        const QString family = fonts_.PickFontFamily(this);
        if (!family.isEmpty())
            InputFilter::SetText(edit(o.field), family);
        return;
    }
}

} // namespace quorvane
