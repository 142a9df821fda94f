// The settings editor's controls: their names, places, texts in both languages, input filters,
// accessible names and Tab order.
#include "ui/SettingsEditor.h"

#include "catalogue/Wording.h"
#include "ui/BitmapView.h"
#include "ui/ColourPanel.h"
#include "ui/InputFilter.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>

namespace quorvane {

namespace {

const QString kNumberChars = QStringLiteral("0123456789.");
const QString kSignedNumberChars = QStringLiteral("0123456789.-");
const QString kDigits = QStringLiteral("0123456789");
const QString kHexDigits = QStringLiteral("0123456789abcdef");

// Texts of the controls whose caption never changes: objectName, Japanese, English.
struct ControlText {
    const char* name;
    const char* ja;
    const char* en;
};

constexpr ControlText kTexts[] = {
    {"Button1", "サイズ計算", "Size calc"},
    {"Button2", "上書き保存", "overwrite save"},
    {"Button3", "編集", "Edit"},
    {"Button4", "初期化", "Initialization"},
    {"Button5", "＜＞", "< >"},
    {"Button8", "別名で保存", "Save as"},
    {"Button10", "計算", "Calc"},
    {"Button6", "..", ".."},
    {"Button7", "..", ".."},
    {"Button9", "..", ".."},
    {"Button13", "..", ".."},
    {"Button16", "..", ".."},
    {"Button14", "...", "..."},
    {"Button15", "...", "..."},
    {"Button17", "...", "..."},
    {"GroupBox2", "写真設定", "Photo settings"},
    {"GroupBox3", "タイトル設定", "Title setting"},
    {"GroupBox4", "オプション設定", "Option setting"},
    {"GroupBox5", "写真番号設定", "Photo number setting"},
    {"GroupBox6", "ページ番号設定", "Page number setting"},
    {"GroupBox7", "その他の設定", "Other settings"},
    {"Label10", "サイズ設定名称", "Setting name"},
    {"Label27", "定型サイズ", "Standard size"},
    {"Label2", "解像度", "resolution"},
    {"Label3", "dpi", "dpi"},
    {"Label11", "背景色", "Background color"},
    {"Label4", "用紙　幅", "Paper width"},
    {"Label5", "用紙　高さ", "Paper height"},
    {"Label6", "左余白", "Left margin"},
    {"Label7", "右余白", "Right margin"},
    {"Label8", "上余白", "Top margin"},
    {"Label9", "下余白", "Bottom margin"},
    {"Label12", "全枚数", "Total number"},
    {"Label13", "横列数", "Number of rows"},
    {"Label14", "縦行数", "Number of vertical rows"},
    {"Label15", "写真　幅", "Photo width"},
    {"Label16", "写真　高さ", "Photo height"},
    {"Label17", "周囲切り捨て", "Surrounding cutoff"},
    {"Label18", "トリミング 横/縦比", "Trimming h/v ratio"},
    {"Label40", "%", "%"},
    {"Label19", "Webサムネイル幅", "Web thumbnail width"},
    {"Label39", "px", "px"},
    {"Label24", "タイトル", "Ttile"},
    {"Label20", "文字色", "Letter color"},
    {"Label25", "フォントサイズ", "font size"},
    {"Label43", "フォント名", "Font Name"},
    {"Label49", "垂直位置調整", "Vertical position adjustment"},
    {"Label26", "タイトル位置", "Title position"},
    {"Label53", "タイトル", "Title"},
    {"Label54", "文字色", "Letter color"},
    {"Label52", "フォントサイズ", "font size"},
    {"Label56", "フォント名", "Font Name"},
    {"Label57", "垂直位置調整", "Vertical position adjustment"},
    {"Label59", "開始番号", "Start number"},
    {"Label51", "ページ番号位置", "Page number position"},
    {"Label63", "ファイル名等の文字色", "Character color such as file name"},
    {"Label61", "フォントサイズ", "font size"},
    {"Label65", "フォント名", "Font Name"},
    {"Label66", "垂直位置調整", "Vertical position adjustment"},
    {"Label60", "水平揃え位置", "Horizontal alignment position"},
    {"Label68", "（縦位置は写真下固定です）", " (vertical position is fixed at the bottom)"},
    {"Label62", "背景画像", "background image"},
    {"Label21", "フォントサイズ", "font size"},
    {"Label44", "文字色", "Letter color"},
    {"Label22", "写真枠内距離", "Inner distance"},
    {"Label23", "文字余白", "Character margin"},
    {"Label28", "プレビュー", "Preview"},
    {"CheckBox1", "番号　横列方向優先", "Number row priority direction priority"},
    {"CheckBox2", "番号表示", "Number display"},
    {"CheckBox3", "指定比率でトリミング", "Trimming with specified ratio"},
    {"CheckBox4", "写真枠を付ける（黒色）", "Attach photo frame (black)"},
    {"CheckBox5", "写真の周囲を切り捨てる", "Truncate the periphery"},
    {"CheckBox6", "ウェッブ展示用画像を作成する", "Create web exhibition images"},
    {"CheckBox7", "設定を有効にする", "Enable setting"},
    {"CheckBox8", "写真内部に表示", "Display inside the photo"},
    {"CheckBox9", "写真内部に表示", "Display inside the photo"},
    {"CheckBox10", "右下に表示", "Displayed in lower right"},
    {"CheckBox11", "ページ番号を表示", "Display page number"},
    {"CheckBox12", "ファイル名を表示する", "Display file name"},
    {"CheckBox13", "撮影日を表示する", "Display shooting date"},
    {"CheckBox14", "撮影日を２行目に表示", "Shooting date displayed on the second line"},
    {"CheckBox15", "EXIF全情報を表示", "EXIF Display all information"},
    {"RadioButton1", "左上", "upper left"},
    {"RadioButton2", "中央上", "Above the center"},
    {"RadioButton3", "右上", "Upper right"},
    {"RadioButton4", "左下", "Bottom left"},
    {"RadioButton5", "中央下", "Center down"},
    {"RadioButton6", "右下", "Bottom right"},
    {"RadioButton7", "中央", "中央"},
    {"RadioButton8", "左上", "upper left"},
    {"RadioButton9", "中央上", "Above the center"},
    {"RadioButton10", "右上", "Upper right"},
    {"RadioButton11", "左下", "Bottom left"},
    {"RadioButton12", "中央下", "Center down"},
    {"RadioButton13", "右下", "Bottom right"},
    {"RadioButton14", "中央", "Center"},
    {"RadioButton15", "左", "Left"},
    {"RadioButton16", "中央", "Center"},
    {"RadioButton17", "右", "Right"},
};

using F = layout::EditorField;

// The caption label of each text field.
constexpr std::pair<F, const char*> kCaptions[] = {
    {F::Resolution, "Label2"},        {F::PaperWidth, "Label4"},
    {F::PaperHeight, "Label5"},       {F::LeftMargin, "Label6"},
    {F::RightMargin, "Label7"},       {F::TopMargin, "Label8"},
    {F::BottomMargin, "Label9"},      {F::SettingName, "Label10"},
    {F::BackgroundColour, "Label11"}, {F::PhotoCount, "Label12"},
    {F::PhotosAcross, "Label13"},     {F::PhotosDown, "Label14"},
    {F::PhotoWidth, "Label15"},       {F::PhotoHeight, "Label16"},
    {F::Cutoff, "Label17"},           {F::TrimRatio, "Label18"},
    {F::WebThumbWidth, "Label19"},    {F::TitleFontSize, "Label25"},
    {F::NumberFontSize, "Label21"},   {F::NumberDistance, "Label22"},
    {F::NumberMargin, "Label23"},     {F::Title, "Label24"},
    {F::TitleColour, "Label20"},      {F::TitleFont, "Label43"},
    {F::NumberColour, "Label44"},     {F::TitleAdjust, "Label49"},
    {F::PageColour, "Label54"},       {F::PageText, "Label53"},
    {F::PageFontSize, "Label52"},     {F::PageFont, "Label56"},
    {F::PageAdjust, "Label57"},       {F::PageStartNumber, "Label59"},
    {F::FileDateColour, "Label63"},   {F::BackgroundImage, "Label62"},
    {F::FileDateFontSize, "Label61"}, {F::FileDateFont, "Label65"},
    {F::FileDateAdjust, "Label66"},
};
static_assert(std::size(kCaptions) == layout::LayoutInput::kEditCount);

// What may be typed into each field; fields not named take any text.
constexpr F kNumberFields[] = {
    F::PaperWidth,      F::PaperHeight,    F::LeftMargin,   F::RightMargin,   F::TopMargin,
    F::BottomMargin,    F::PhotoCount,     F::PhotosAcross, F::PhotosDown,    F::PhotoWidth,
    F::PhotoHeight,     F::Cutoff,         F::TrimRatio,    F::WebThumbWidth, F::TitleFontSize,
    F::NumberFontSize,  F::NumberDistance, F::NumberMargin, F::PageFontSize,  F::PageStartNumber,
    F::FileDateFontSize};
constexpr F kSignedNumberFields[] = {F::TitleAdjust, F::PageAdjust, F::FileDateAdjust};
constexpr F kColourFields[] = {F::BackgroundColour, F::TitleColour, F::NumberColour, F::PageColour,
                               F::FileDateColour};
// Names, titles, fonts and paths take what room there is; other fields are short.
constexpr F kWideFields[] = {F::SettingName, F::Title,           F::TitleFont,   F::PageText,
                             F::PageFont,    F::BackgroundImage, F::FileDateFont};

const char* CaptionName(F field) {
    for (const auto& [f, name] : kCaptions)
        if (f == field)
            return name;
    return "";
}

} // namespace

const std::array<StandardPaperSize, 19> kStandardPaperSizes = {{
    {"", "", ""},
    {"Ｌ判   127*89mm", "127", "89"},
    {"はがき   148*100mm", "148", "100"},
    {"KG判     152*102mm", "152", "102"},
    {"2L判     178*127mm", "178", "127"},
    {"キャビネ判 165*120mm", "165", "120"},
    {"ワイドキャビネ判  216*127mm", "216", "127"},
    {"８つ切り  216*152", "216", "152"},
    {"８つ切り  216*165mm", "216", "165"},
    {"ワイド８つ切り 254*152", "254", "152"},
    {"ワイド８つ切り 254*165mm", "254", "165"},
    {"６つ切り  254*203mm", "254", "203"},
    {"ワイド６つ切り 305*203mm", "305", "203"},
    {"４つ切り  305*254mm", "305", "254"},
    {"ワイド４つ切り  366*254mm", "366", "254"},
    {"ワイド４つ切り  391*254", "391", "254"},
    {"A4 297*210", "297", "210"},
    {"A3 420*297", "420", "297"},
    {"長尺305*900mm", "900", "305"},
}};

QLineEdit* SettingsEditor::makeEdit(Field field, QWidget* parent) {
    auto* text = new QLineEdit(parent);
    text->setObjectName(QString::fromStdString(layout::DesignName(field)));
    edits_[Slot(field)] = text;
    tabChain_ << text;
    return text;
}

QCheckBox* SettingsEditor::makeCheck(Field field, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QString::fromStdString(layout::DesignName(field)));
    checks_[Slot(field)] = box;
    tabChain_ << box;
    return box;
}

QRadioButton* SettingsEditor::makeRadio(Field field, QWidget* parent) {
    auto* button = new QRadioButton(parent);
    button->setObjectName(QString::fromStdString(layout::DesignName(field)));
    radios_[Slot(field)] = button;
    tabChain_ << button;
    return button;
}

QPushButton* SettingsEditor::makeButton(const char* name, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    tabChain_ << button;
    return button;
}

QLabel* SettingsEditor::makeLabel(const char* name, QWidget* parent, QWidget* buddy) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    if (buddy)
        label->setBuddy(buddy);
    return label;
}

QLabel* SettingsEditor::makeCaption(Field field, QWidget* parent) {
    QLabel* label = makeLabel(CaptionName(field), parent, edit(field));
    captions_[Slot(field)] = label;
    return label;
}

QLabel* SettingsEditor::makeUnit(QLineEdit* field, const char* unit, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(unit), parent);
    label->setObjectName(field->objectName() + QStringLiteral("Unit"));
    return label;
}

void SettingsEditor::createControls() {
    auto* root = new QHBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->setSpacing(8);

    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    left->addWidget(createPaperGroup());
    left->addWidget(createPhotoGroup());
    left->addWidget(createOptionGroup());
    left->addStretch(1);

    auto* middle = new QVBoxLayout;
    middle->setSpacing(6);
    middle->addWidget(createNumberGroup());
    middle->addWidget(createTextTabs());
    middle->addStretch(1);

    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    right->addWidget(createListArea(), 0);
    right->addWidget(createPreviewArea(), 1);

    // Three columns, read (and tabbed through) from left to right.
    root->addLayout(left, 0);
    root->addLayout(middle, 0);
    root->addLayout(right, 1);

    colourPanel_ = new ColourPanel(japanese_, this);
    setTabOrderOfControls();
}

QWidget* SettingsEditor::createListArea() {
    auto* area = new QWidget(this);
    auto* box = new QVBoxLayout(area);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(4);

    list_ = new QTableWidget(0, 4, area);
    list_->setObjectName(QStringLiteral("StringGrid1"));
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->setWordWrap(false);
    // Tab leaves the list; the arrow keys move within it.
    list_->setTabKeyNavigation(false);
    list_->setColumnWidth(kNumberColumn, 40);
    list_->setColumnWidth(kEnabledColumn, 40);
    list_->setColumnWidth(kNameColumn, 203);
    list_->setColumnWidth(kFileColumn, 300);
    list_->setMinimumHeight(150);
    list_->setMinimumWidth(320);
    list_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    tabChain_ << list_;
    box->addWidget(list_);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(editButton_ = makeButton("Button3", area));
    buttons->addWidget(resetButton_ = makeButton("Button4", area));
    buttons->addStretch(1);
    box->addLayout(buttons);
    return area;
}

QWidget* SettingsEditor::createPaperGroup() {
    auto* group = paperGroup_ = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    QLineEdit* name = makeEdit(F::SettingName, group);
    grid->addWidget(makeCaption(F::SettingName, group), 0, 0);
    grid->addWidget(name, 0, 1, 1, 5);

    standardSizes_ = new QComboBox(group);
    standardSizes_->setObjectName(QStringLiteral("ComboBox1"));
    standardSizes_->setMaxVisibleItems(30);
    for (const StandardPaperSize& size : kStandardPaperSizes)
        standardSizes_->addItem(QString::fromUtf8(size.text));
    tabChain_ << standardSizes_;
    standardSizeLabel_ = makeLabel("Label27", group, standardSizes_);
    grid->addWidget(standardSizeLabel_, 1, 0);
    grid->addWidget(standardSizes_, 1, 1, 1, 4);
    // The swap turns the chosen size to portrait, so it stands beside the sizes.
    grid->addWidget(swapSizeButton_ = makeButton("Button5", group), 1, 5);

    QLineEdit* dpi = makeEdit(F::Resolution, group);
    grid->addWidget(makeCaption(F::Resolution, group), 2, 0);
    grid->addWidget(dpi, 2, 1);
    grid->addWidget(dpiUnitLabel_ = makeLabel("Label3", group), 2, 2);
    QLineEdit* background = makeEdit(F::BackgroundColour, group);
    grid->addWidget(makeCaption(F::BackgroundColour, group), 2, 3);
    auto* colour = new QHBoxLayout;
    colour->setSpacing(2);
    colour->addWidget(background);
    colour->addWidget(backgroundColourButton_ = makeButton("Button6", group));
    colour->addStretch(1);
    grid->addLayout(colour, 2, 4, 1, 2);

    // Paper size, then the margins, two a row.
    const F lengths[3][2] = {{F::PaperWidth, F::PaperHeight},
                             {F::LeftMargin, F::RightMargin},
                             {F::TopMargin, F::BottomMargin}};
    for (int row = 0; row < 3; ++row) {
        for (int side = 0; side < 2; ++side) {
            const F f = lengths[row][side];
            QLineEdit* field = makeEdit(f, group);
            grid->addWidget(makeCaption(f, group), 3 + row, side * 3);
            grid->addWidget(field, 3 + row, side * 3 + 1);
            grid->addWidget(makeUnit(field, "mm", group), 3 + row, side * 3 + 2);
        }
    }
    return group;
}

QWidget* SettingsEditor::createPhotoGroup() {
    auto* group = photoGroup_ = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox2"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    // Columns and rows, the total under them, photo size, cut-off and trimming ratio.
    const struct {
        F field;
        int row;
        int column;
    } counts[] = {{F::PhotosAcross, 0, 0}, {F::PhotosDown, 0, 3}, {F::PhotoCount, 1, 0}};
    for (const auto& [f, row, column] : counts) {
        QLineEdit* field = makeEdit(f, group);
        grid->addWidget(makeCaption(f, group), row, column);
        grid->addWidget(field, row, column + 1);
    }
    const F sizes[2] = {F::PhotoWidth, F::PhotoHeight};
    for (int side = 0; side < 2; ++side) {
        QLineEdit* field = makeEdit(sizes[side], group);
        grid->addWidget(makeCaption(sizes[side], group), 2, side * 3);
        grid->addWidget(field, 2, side * 3 + 1);
        grid->addWidget(makeUnit(field, "mm", group), 2, side * 3 + 2);
    }
    QLineEdit* cutoff = makeEdit(F::Cutoff, group);
    grid->addWidget(makeCaption(F::Cutoff, group), 3, 0);
    grid->addWidget(cutoff, 3, 1);
    grid->addWidget(makeUnit(cutoff, "mm", group), 3, 2);
    QLineEdit* ratio = makeEdit(F::TrimRatio, group);
    grid->addWidget(makeCaption(F::TrimRatio, group), 4, 0);
    grid->addWidget(ratio, 4, 1);
    grid->addWidget(ratioUnitLabel_ = makeLabel("Label40", group), 4, 2);
    grid->addWidget(trimRatioButton_ = makeButton("Button10", group), 4, 3);

    QLineEdit* thumb = makeEdit(F::WebThumbWidth, group);
    QLabel* thumbLabel = makeCaption(F::WebThumbWidth, group);
    webThumbUnitLabel_ = makeLabel("Label39", group);
    grid->addWidget(thumbLabel, 5, 0);
    grid->addWidget(thumb, 5, 1);
    grid->addWidget(webThumbUnitLabel_, 5, 2);
    for (QWidget* hidden : {static_cast<QWidget*>(thumb), static_cast<QWidget*>(thumbLabel),
                            static_cast<QWidget*>(webThumbUnitLabel_)})
        hidden->hide();
    return group;
}

QWidget* SettingsEditor::createNumberGroup() {
    auto* group = numberGroup_ = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox5"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    QLineEdit* size = makeEdit(F::NumberFontSize, group);
    grid->addWidget(makeCaption(F::NumberFontSize, group), 0, 0);
    grid->addWidget(size, 0, 1);
    grid->addWidget(makeUnit(size, "mm", group), 0, 2);
    QLineEdit* colour = makeEdit(F::NumberColour, group);
    grid->addWidget(makeCaption(F::NumberColour, group), 0, 3);
    auto* colourBox = new QHBoxLayout;
    colourBox->setSpacing(2);
    colourBox->addWidget(colour);
    colourBox->addWidget(numberColourButton_ = makeButton("Button9", group));
    grid->addLayout(colourBox, 0, 4, 1, 2);
    const F spacing[2] = {F::NumberDistance, F::NumberMargin};
    for (int side = 0; side < 2; ++side) {
        QLineEdit* field = makeEdit(spacing[side], group);
        grid->addWidget(makeCaption(spacing[side], group), 1, side * 3);
        grid->addWidget(field, 1, side * 3 + 1);
        grid->addWidget(makeUnit(field, "mm", group), 1, side * 3 + 2);
    }
    grid->addWidget(makeCheck(F::ShowNumbers, group), 2, 0, 1, 2);
    grid->addWidget(makeCheck(F::NumberLowerRight, group), 2, 3, 1, 3);
    return group;
}

QWidget* SettingsEditor::createOptionGroup() {
    auto* group = optionGroup_ = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox4"));
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(4);
    const F boxes[6] = {F::HorizontalFirst, F::TrimToRatio, F::PhotoFrame,
                        F::CutPeriphery,    F::WebImages,   F::Enabled};
    for (int i = 0; i < 6; ++i)
        grid->addWidget(makeCheck(boxes[i], group), i, 0);
    return group;
}

QWidget* SettingsEditor::createTextTabs() {
    auto* area = new QWidget(this);
    auto* box = new QVBoxLayout(area);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    tabs_ = new QTabBar(area);
    tabs_->setObjectName(QStringLiteral("TabControl1"));
    for (int i = 0; i < 3; ++i)
        tabs_->addTab(QString());
    tabs_->setExpanding(false);
    tabChain_ << tabs_;
    box->addWidget(tabs_);

    // A font field with its "..." button, a colour field with its ".." button.
    auto withButton = [](QLineEdit* field, QPushButton* button) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(field, 1);
        row->addWidget(button);
        return row;
    };
    // One group of position buttons: the seven places in three rows, or the three in one.
    auto positions = [this](F first, int count, QWidget* parent) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(2);
        auto* group = new QButtonGroup(parent);
        for (int i = 0; i < count; ++i) {
            QRadioButton* button = makeRadio(layout::FieldAt(layout::IndexOf(first) + i), parent);
            group->addButton(button, i);
            // Three rows of the seven places, "中央" alone in the middle of the last.
            if (count == 3)
                grid->addWidget(button, 0, i);
            else
                grid->addWidget(button, i / 3, i == 6 ? 1 : i % 3);
        }
        return grid;
    };
    auto makeGroup = [area](QGroupBox*& group, const char* name) {
        group = new QGroupBox(area);
        group->setObjectName(QString::fromLatin1(name));
        auto* grid = new QGridLayout(group);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(4);
        return grid;
    };
    // A length field with its caption and "mm", at a row and column of a grid.
    auto length = [this](QGridLayout* grid, QWidget* parent, F f, int row, int column) {
        QLineEdit* field = makeEdit(f, parent);
        grid->addWidget(makeCaption(f, parent), row, column);
        grid->addWidget(field, row, column + 1);
        grid->addWidget(makeUnit(field, "mm", parent), row, column + 2);
    };
    auto labelled = [this](QGridLayout* grid, QWidget* parent, F f, int row) {
        QLineEdit* field = makeEdit(f, parent);
        grid->addWidget(makeCaption(f, parent), row, 0);
        return field;
    };

    {
        QGridLayout* grid = makeGroup(titleGroup_, "GroupBox3");
        QGroupBox* group = titleGroup_;
        grid->addWidget(labelled(grid, group, F::Title, 0), 0, 1, 1, 5);
        QLineEdit* colour = labelled(grid, group, F::TitleColour, 1);
        grid->addLayout(withButton(colour, titleColourButton_ = makeButton("Button7", group)), 1, 1,
                        1, 2);
        length(grid, group, F::TitleFontSize, 1, 3);
        QLineEdit* font = labelled(grid, group, F::TitleFont, 2);
        grid->addLayout(withButton(font, titleFontButton_ = makeButton("Button14", group)), 2, 1, 1,
                        5);
        length(grid, group, F::TitleAdjust, 3, 0);
        grid->addWidget(makeCheck(F::TitleInPhoto, group), 3, 3, 1, 3);
        grid->addWidget(titlePositionLabel_ = makeLabel("Label26", group), 4, 0, Qt::AlignTop);
        grid->addLayout(positions(F::TitleUpperLeft, 7, group), 4, 1, 1, 5);
        box->addWidget(group);
    }
    {
        QGridLayout* grid = makeGroup(pageNumberGroup_, "GroupBox6");
        QGroupBox* group = pageNumberGroup_;
        grid->addWidget(labelled(grid, group, F::PageText, 0), 0, 1, 1, 5);
        QLineEdit* colour = labelled(grid, group, F::PageColour, 1);
        grid->addLayout(withButton(colour, pageColourButton_ = makeButton("Button13", group)), 1, 1,
                        1, 2);
        length(grid, group, F::PageFontSize, 1, 3);
        QLineEdit* font = labelled(grid, group, F::PageFont, 2);
        grid->addLayout(withButton(font, pageFontButton_ = makeButton("Button15", group)), 2, 1, 1,
                        5);
        length(grid, group, F::PageAdjust, 3, 0);
        QLineEdit* start = makeEdit(F::PageStartNumber, group);
        grid->addWidget(makeCaption(F::PageStartNumber, group), 3, 3);
        grid->addWidget(start, 3, 4);
        grid->addWidget(pagePositionLabel_ = makeLabel("Label51", group), 4, 0, Qt::AlignTop);
        grid->addLayout(positions(F::PageUpperLeft, 7, group), 4, 1, 1, 5);
        grid->addWidget(makeCheck(F::ShowPageNumber, group), 5, 0, 1, 3);
        grid->addWidget(makeCheck(F::PageInPhoto, group), 5, 3, 1, 3);
        check(F::PageInPhoto)->hide();
        box->addWidget(group);
    }
    {
        QGridLayout* grid = makeGroup(otherGroup_, "GroupBox7");
        QGroupBox* group = otherGroup_;
        QLineEdit* colour = labelled(grid, group, F::FileDateColour, 0);
        grid->addLayout(withButton(colour, fileDateColourButton_ = makeButton("Button16", group)),
                        0, 1, 1, 2);
        length(grid, group, F::FileDateFontSize, 0, 3);
        QLineEdit* font = labelled(grid, group, F::FileDateFont, 1);
        grid->addLayout(withButton(font, fileDateFontButton_ = makeButton("Button17", group)), 1, 1,
                        1, 5);
        length(grid, group, F::FileDateAdjust, 2, 0);
        grid->addWidget(fileDateAlignLabel_ = makeLabel("Label60", group), 3, 0);
        grid->addLayout(positions(F::FileDateLeft, 3, group), 3, 1, 1, 2);
        grid->addWidget(fileDateNoteLabel_ = makeLabel("Label68", group), 3, 3, 1, 3);
        const F boxes[4] = {F::ShowFileName, F::ShowDate, F::DateOnSecondLine, F::ShowExif};
        for (int i = 0; i < 4; ++i)
            grid->addWidget(makeCheck(boxes[i], group), 4 + i / 2, (i % 2) * 3, 1, 3);
        grid->addWidget(labelled(grid, group, F::BackgroundImage, 6), 6, 1, 1, 5);
        box->addWidget(group);
    }
    return area;
}

QWidget* SettingsEditor::createPreviewArea() {
    auto* area = new QWidget(this);
    auto* box = new QVBoxLayout(area);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(4);
    box->addWidget(previewLabel_ = makeLabel("Label28", area));
    preview_ = new BitmapView(area);
    preview_->setObjectName(QStringLiteral("ImageViewer1"));
    preview_->setMinimumSize(320, 220);
    previewLabel_->setBuddy(preview_);
    tabChain_ << preview_;
    box->addWidget(preview_, 3);

    memo_ = new QPlainTextEdit(area);
    memo_->setObjectName(QStringLiteral("Memo1"));
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setTabChangesFocus(true);
    memo_->setFocusPolicy(Qt::StrongFocus);
    memo_->setMinimumHeight(100);
    tabChain_ << memo_;
    box->addWidget(memo_, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(calculateButton_ = makeButton("Button1", area));
    buttons->addStretch(1);
    buttons->addWidget(saveOverButton_ = makeButton("Button2", area));
    buttons->addWidget(saveAsButton_ = makeButton("Button8", area));
    box->addLayout(buttons);
    return area;
}

void SettingsEditor::setTabOrderOfControls() {
    for (qsizetype i = 1; i < tabChain_.size(); ++i)
        setTabOrder(tabChain_[i - 1], tabChain_[i]);
}

void SettingsEditor::applyTexts() {
    const bool ja = japanese_;
    for (const ControlText& t : kTexts) {
        QObject* control = findChild<QObject*>(QString::fromLatin1(t.name));
        if (control)
            control->setProperty(control->inherits("QGroupBox") ? "title" : "text",
                                 Pick(ja, t.ja, t.en));
    }
    paperGroup_->setTitle(Pick(ja, "用紙設定", "Paper setting"));
    tabs_->setTabText(0, Pick(ja, "タイトル設定", "Title setting"));
    tabs_->setTabText(1, Pick(ja, "ページ番号設定", "Page number setting"));
    tabs_->setTabText(2, Pick(ja, "その他の設定", "Other settings"));
    list_->setHorizontalHeaderLabels({QStringLiteral("No."), Pick(ja, "有効", "On"),
                                      Pick(ja, "設定名称", "Setting name"),
                                      Pick(ja, "ファイル名", "File name")});
    list_->setAccessibleName(Pick(ja, "サイズ設定一覧", "Size settings"));
    memo_->setAccessibleName(Pick(ja, "計算結果", "Calculation result"));
    preview_->setAccessibleName(previewLabel_->text());
    standardSizes_->setAccessibleName(standardSizeLabel_->text());

    // Fields are named by their captions; a ".." or "..." button says which field it serves.
    for (const auto& [field, name] : kCaptions)
        edit(field)->setAccessibleName(caption(field)->text());
    for (const ColourOpener& o : colourOpeners())
        o.button->setAccessibleDescription(edit(o.field)->accessibleName());
    for (const FontOpener& o : fontOpeners())
        o.button->setAccessibleDescription(edit(o.field)->accessibleName());

    // Captions beside fields break into lines rather than widen the window (English runs long).
    QList<QLabel*> wrapped;
    for (const auto& [field, name] : kCaptions)
        wrapped << caption(field);
    wrapped << titlePositionLabel_ << standardSizeLabel_ << pagePositionLabel_
            << fileDateAlignLabel_;
    constexpr int kCaptionWidth = 104;
    for (QLabel* label : wrapped) {
        label->setWordWrap(true);
        const int oneLine = label->fontMetrics().horizontalAdvance(label->text()) + 2;
        label->setMinimumWidth(std::min(oneLine, kCaptionWidth));
        label->setMaximumWidth(kCaptionWidth);
    }

    // Input filters, and the lengths a layout read from a file is cut to as well.
    auto filter = [this](F field, const QString& allowed) {
        edit(field)->setValidator(new InputFilter(allowed, edit(field)));
    };
    for (F field : kNumberFields)
        filter(field, kNumberChars);
    for (F field : kSignedNumberFields)
        filter(field, kSignedNumberChars);
    filter(F::Resolution, kDigits);
    for (F field : kColourFields)
        filter(field, kHexDigits);
    for (const auto& [field, name] : kCaptions)
        if (const int limit = layout::MaxLength(field); limit > 0)
            edit(field)->setMaxLength(limit);

    // Short numbers get short fields; names, titles, fonts and paths take what room there is.
    for (const auto& [field, name] : kCaptions) {
        if (std::find(std::begin(kColourFields), std::end(kColourFields), field) !=
            std::end(kColourFields))
            edit(field)->setFixedWidth(88);
        else if (std::find(std::begin(kWideFields), std::end(kWideFields), field) ==
                 std::end(kWideFields))
            edit(field)->setFixedWidth(56);
    }
    for (QPushButton* button : {swapSizeButton_, backgroundColourButton_, titleColourButton_,
                                numberColourButton_, pageColourButton_, fileDateColourButton_})
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(button->text()) + 22);
    for (const FontOpener& o : fontOpeners())
        o.button->setFixedWidth(36);
}

} // namespace quorvane
