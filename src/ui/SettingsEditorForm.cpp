// The settings editor's controls: their names, places, texts in both languages, input filters,
// accessible names and Tab order.
#include "ui/SettingsEditor.h"

#include "app/Language.h"
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

// The label of each field, by field number (0 for none).
constexpr int kFieldLabel[38] = {
    0,  2,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 25,
    21, 22, 23, 24, 20, 43, 44, 49, 54, 53, 52, 56, 57, 59, 63, 62, 61, 65, 66,
};

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

QLineEdit* SettingsEditor::makeEdit(int n, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QStringLiteral("Edit%1").arg(n));
    edits_[static_cast<size_t>(n)] = edit;
    tabChain_ << edit;
    return edit;
}

QCheckBox* SettingsEditor::makeCheck(int n, QWidget* parent) {
    auto* box = new QCheckBox(parent);
    box->setObjectName(QStringLiteral("CheckBox%1").arg(n));
    checks_[static_cast<size_t>(n)] = box;
    tabChain_ << box;
    return box;
}

QRadioButton* SettingsEditor::makeRadio(int n, QWidget* parent) {
    auto* radio = new QRadioButton(parent);
    radio->setObjectName(QStringLiteral("RadioButton%1").arg(n));
    radios_[static_cast<size_t>(n)] = radio;
    tabChain_ << radio;
    return radio;
}

QPushButton* SettingsEditor::makeButton(int n, QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setObjectName(QStringLiteral("Button%1").arg(n));
    button->setAutoDefault(false);
    buttons_[static_cast<size_t>(n)] = button;
    tabChain_ << button;
    return button;
}

QLabel* SettingsEditor::makeLabel(int n, QWidget* parent, QLineEdit* buddy) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Label%1").arg(n));
    labels_[static_cast<size_t>(n)] = label;
    if (buddy)
        label->setBuddy(buddy);
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
    buttons->addWidget(makeButton(3, area));
    buttons->addWidget(makeButton(4, area));
    buttons->addStretch(1);
    box->addLayout(buttons);
    return area;
}

QWidget* SettingsEditor::createPaperGroup() {
    auto* group = groups_[1] = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    QLineEdit* name = makeEdit(8, group);
    grid->addWidget(makeLabel(10, group, name), 0, 0);
    grid->addWidget(name, 0, 1, 1, 5);

    standardSizes_ = new QComboBox(group);
    standardSizes_->setObjectName(QStringLiteral("ComboBox1"));
    standardSizes_->setMaxVisibleItems(30);
    for (const StandardPaperSize& size : kStandardPaperSizes)
        standardSizes_->addItem(QString::fromUtf8(size.text));
    tabChain_ << standardSizes_;
    QLabel* sizeLabel = makeLabel(27, group);
    sizeLabel->setBuddy(standardSizes_);
    grid->addWidget(sizeLabel, 1, 0);
    grid->addWidget(standardSizes_, 1, 1, 1, 4);
    // The swap turns the chosen size to portrait, so it stands beside the sizes.
    grid->addWidget(makeButton(5, group), 1, 5);

    QLineEdit* dpi = makeEdit(1, group);
    grid->addWidget(makeLabel(2, group, dpi), 2, 0);
    grid->addWidget(dpi, 2, 1);
    grid->addWidget(makeLabel(3, group), 2, 2);
    QLineEdit* background = makeEdit(9, group);
    grid->addWidget(makeLabel(11, group, background), 2, 3);
    auto* colour = new QHBoxLayout;
    colour->setSpacing(2);
    colour->addWidget(background);
    colour->addWidget(makeButton(6, group));
    colour->addStretch(1);
    grid->addLayout(colour, 2, 4, 1, 2);

    // Paper size, then the margins, two a row.
    const int lengths[3][2] = {{2, 3}, {4, 5}, {6, 7}};
    for (int row = 0; row < 3; ++row) {
        for (int side = 0; side < 2; ++side) {
            const int n = lengths[row][side];
            QLineEdit* field = makeEdit(n, group);
            grid->addWidget(makeLabel(kFieldLabel[n], group, field), 3 + row, side * 3);
            grid->addWidget(field, 3 + row, side * 3 + 1);
            grid->addWidget(makeUnit(field, "mm", group), 3 + row, side * 3 + 2);
        }
    }
    return group;
}

QWidget* SettingsEditor::createPhotoGroup() {
    auto* group = groups_[2] = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox2"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    // Columns and rows, the total under them, photo size, cut-off and trimming ratio.
    const int counts[3][3] = {{11, 0, 0}, {12, 0, 3}, {10, 1, 0}};
    for (const auto& [n, row, column] : counts) {
        QLineEdit* field = makeEdit(n, group);
        grid->addWidget(makeLabel(kFieldLabel[n], group, field), row, column);
        grid->addWidget(field, row, column + 1);
    }
    for (int side = 0; side < 2; ++side) {
        QLineEdit* field = makeEdit(13 + side, group);
        grid->addWidget(makeLabel(kFieldLabel[13 + side], group, field), 2, side * 3);
        grid->addWidget(field, 2, side * 3 + 1);
        grid->addWidget(makeUnit(field, "mm", group), 2, side * 3 + 2);
    }
    QLineEdit* cutoff = makeEdit(15, group);
    grid->addWidget(makeLabel(17, group, cutoff), 3, 0);
    grid->addWidget(cutoff, 3, 1);
    grid->addWidget(makeUnit(cutoff, "mm", group), 3, 2);
    QLineEdit* ratio = makeEdit(16, group);
    grid->addWidget(makeLabel(18, group, ratio), 4, 0);
    grid->addWidget(ratio, 4, 1);
    grid->addWidget(makeLabel(40, group), 4, 2);
    grid->addWidget(makeButton(10, group), 4, 3);

    QLineEdit* thumb = makeEdit(17, group);
    QLabel* thumbLabel = makeLabel(19, group, thumb);
    QLabel* thumbUnit = makeLabel(39, group);
    grid->addWidget(thumbLabel, 5, 0);
    grid->addWidget(thumb, 5, 1);
    grid->addWidget(thumbUnit, 5, 2);
    for (QWidget* hidden : {static_cast<QWidget*>(thumb), static_cast<QWidget*>(thumbLabel),
                            static_cast<QWidget*>(thumbUnit)})
        hidden->hide();
    return group;
}

QWidget* SettingsEditor::createNumberGroup() {
    auto* group = groups_[5] = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox5"));
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    QLineEdit* size = makeEdit(19, group);
    grid->addWidget(makeLabel(21, group, size), 0, 0);
    grid->addWidget(size, 0, 1);
    grid->addWidget(makeUnit(size, "mm", group), 0, 2);
    QLineEdit* colour = makeEdit(25, group);
    grid->addWidget(makeLabel(44, group, colour), 0, 3);
    auto* colourBox = new QHBoxLayout;
    colourBox->setSpacing(2);
    colourBox->addWidget(colour);
    colourBox->addWidget(makeButton(9, group));
    grid->addLayout(colourBox, 0, 4, 1, 2);
    for (int side = 0; side < 2; ++side) {
        QLineEdit* field = makeEdit(20 + side, group);
        grid->addWidget(makeLabel(kFieldLabel[20 + side], group, field), 1, side * 3);
        grid->addWidget(field, 1, side * 3 + 1);
        grid->addWidget(makeUnit(field, "mm", group), 1, side * 3 + 2);
    }
    grid->addWidget(makeCheck(2, group), 2, 0, 1, 2);
    grid->addWidget(makeCheck(10, group), 2, 3, 1, 3);
    return group;
}

QWidget* SettingsEditor::createOptionGroup() {
    auto* group = groups_[4] = new QGroupBox(this);
    group->setObjectName(QStringLiteral("GroupBox4"));
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(4);
    const int boxes[6] = {1, 3, 4, 5, 6, 7};
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
    auto withButton = [this](QLineEdit* field, int button, QWidget* parent) {
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(field, 1);
        row->addWidget(makeButton(button, parent));
        return row;
    };
    // One group of position buttons: the seven places in three rows, or the three in one.
    auto positions = [this](int first, int count, QWidget* parent) {
        auto* grid = new QGridLayout;
        grid->setHorizontalSpacing(10);
        grid->setVerticalSpacing(2);
        auto* group = new QButtonGroup(parent);
        for (int i = 0; i < count; ++i) {
            QRadioButton* radio = makeRadio(first + i, parent);
            group->addButton(radio, i);
            // Three rows of the seven places, "中央" alone in the middle of the last.
            if (count == 3)
                grid->addWidget(radio, 0, i);
            else
                grid->addWidget(radio, i / 3, i == 6 ? 1 : i % 3);
        }
        return grid;
    };
    auto makeGroup = [this, area](int n) {
        auto* group = groups_[static_cast<size_t>(n)] = new QGroupBox(area);
        group->setObjectName(QStringLiteral("GroupBox%1").arg(n));
        auto* grid = new QGridLayout(group);
        grid->setHorizontalSpacing(6);
        grid->setVerticalSpacing(4);
        return std::pair{group, grid};
    };
    // A length field with its label and "mm", at a row and column of a grid.
    auto length = [this](QGridLayout* grid, QWidget* parent, int n, int row, int column) {
        QLineEdit* field = makeEdit(n, parent);
        grid->addWidget(makeLabel(kFieldLabel[n], parent, field), row, column);
        grid->addWidget(field, row, column + 1);
        grid->addWidget(makeUnit(field, "mm", parent), row, column + 2);
    };
    auto labelled = [this](QGridLayout* grid, QWidget* parent, int n, int row) {
        QLineEdit* field = makeEdit(n, parent);
        grid->addWidget(makeLabel(kFieldLabel[n], parent, field), row, 0);
        return field;
    };

    {
        auto [group, grid] = makeGroup(3);
        grid->addWidget(labelled(grid, group, 22, 0), 0, 1, 1, 5);
        QLineEdit* colour = labelled(grid, group, 23, 1);
        grid->addLayout(withButton(colour, 7, group), 1, 1, 1, 2);
        length(grid, group, 18, 1, 3);
        QLineEdit* font = labelled(grid, group, 24, 2);
        grid->addLayout(withButton(font, 14, group), 2, 1, 1, 5);
        length(grid, group, 26, 3, 0);
        grid->addWidget(makeCheck(8, group), 3, 3, 1, 3);
        grid->addWidget(makeLabel(26, group), 4, 0, Qt::AlignTop);
        grid->addLayout(positions(1, 7, group), 4, 1, 1, 5);
        box->addWidget(group);
    }
    {
        auto [group, grid] = makeGroup(6);
        grid->addWidget(labelled(grid, group, 28, 0), 0, 1, 1, 5);
        QLineEdit* colour = labelled(grid, group, 27, 1);
        grid->addLayout(withButton(colour, 13, group), 1, 1, 1, 2);
        length(grid, group, 29, 1, 3);
        QLineEdit* font = labelled(grid, group, 30, 2);
        grid->addLayout(withButton(font, 15, group), 2, 1, 1, 5);
        length(grid, group, 31, 3, 0);
        QLineEdit* start = makeEdit(32, group);
        grid->addWidget(makeLabel(59, group, start), 3, 3);
        grid->addWidget(start, 3, 4);
        grid->addWidget(makeLabel(51, group), 4, 0, Qt::AlignTop);
        grid->addLayout(positions(8, 7, group), 4, 1, 1, 5);
        grid->addWidget(makeCheck(11, group), 5, 0, 1, 3);
        grid->addWidget(makeCheck(9, group), 5, 3, 1, 3);
        checks_[9]->hide();
        box->addWidget(group);
    }
    {
        auto [group, grid] = makeGroup(7);
        QLineEdit* colour = labelled(grid, group, 33, 0);
        grid->addLayout(withButton(colour, 16, group), 0, 1, 1, 2);
        length(grid, group, 35, 0, 3);
        QLineEdit* font = labelled(grid, group, 36, 1);
        grid->addLayout(withButton(font, 17, group), 1, 1, 1, 5);
        length(grid, group, 37, 2, 0);
        grid->addWidget(makeLabel(60, group), 3, 0);
        grid->addLayout(positions(15, 3, group), 3, 1, 1, 2);
        grid->addWidget(makeLabel(68, group), 3, 3, 1, 3);
        const int boxes[4] = {12, 13, 14, 15};
        for (int i = 0; i < 4; ++i)
            grid->addWidget(makeCheck(boxes[i], group), 4 + i / 2, (i % 2) * 3, 1, 3);
        grid->addWidget(labelled(grid, group, 34, 6), 6, 1, 1, 5);
        box->addWidget(group);
    }
    return area;
}

QWidget* SettingsEditor::createPreviewArea() {
    auto* area = new QWidget(this);
    auto* box = new QVBoxLayout(area);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(4);
    box->addWidget(makeLabel(28, area));
    preview_ = new BitmapView(area);
    preview_->setObjectName(QStringLiteral("ImageViewer1"));
    preview_->setMinimumSize(320, 220);
    labels_[28]->setBuddy(preview_);
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
    buttons->addWidget(makeButton(1, area));
    buttons->addStretch(1);
    buttons->addWidget(makeButton(2, area));
    buttons->addWidget(makeButton(8, area));
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
    groups_[1]->setTitle(Pick(ja, "用紙設定", "Paper setting"));
    tabs_->setTabText(0, Pick(ja, "タイトル設定", "Title setting"));
    tabs_->setTabText(1, Pick(ja, "ページ番号設定", "Page number setting"));
    tabs_->setTabText(2, Pick(ja, "その他の設定", "Other settings"));
    list_->setHorizontalHeaderLabels({QStringLiteral("No."), Pick(ja, "有効", "On"),
                                      Pick(ja, "設定名称", "Setting name"),
                                      Pick(ja, "ファイル名", "File name")});
    list_->setAccessibleName(Pick(ja, "サイズ設定一覧", "Size settings"));
    memo_->setAccessibleName(Pick(ja, "計算結果", "Calculation result"));
    preview_->setAccessibleName(labels_[28]->text());
    standardSizes_->setAccessibleName(labels_[27]->text());

    // Fields are named by their labels; a ".." or "..." button says which field it serves.
    for (int n = 1; n <= layout::LayoutInput::kEditCount; ++n)
        if (kFieldLabel[n])
            edits_[static_cast<size_t>(n)]->setAccessibleName(
                labels_[static_cast<size_t>(kFieldLabel[n])]->text());
    const std::pair<int, int> helpers[] = {{6, 9},   {7, 23},  {9, 25},  {13, 27},
                                           {16, 33}, {14, 24}, {15, 30}, {17, 36}};
    for (const auto& [button, field] : helpers)
        buttons_[static_cast<size_t>(button)]->setAccessibleDescription(
            edits_[static_cast<size_t>(field)]->accessibleName());

    // Captions beside fields break into lines rather than widen the window (English runs long).
    for (int n : kFieldLabel)
        if (n)
            labels_[static_cast<size_t>(n)]->setWordWrap(true);
    for (int n : {26, 27, 51, 60})
        labels_[static_cast<size_t>(n)]->setWordWrap(true);
    constexpr int kCaptionWidth = 104;
    for (QLabel* label : labels_) {
        if (!label || !label->wordWrap())
            continue;
        const int oneLine = label->fontMetrics().horizontalAdvance(label->text()) + 2;
        label->setMinimumWidth(std::min(oneLine, kCaptionWidth));
        label->setMaximumWidth(kCaptionWidth);
    }

    // Input filters, and the lengths a layout read from a file is cut to as well.
    auto filter = [this](int n, const QString& allowed) {
        QLineEdit* edit = edits_[static_cast<size_t>(n)];
        edit->setValidator(new InputFilter(allowed, edit));
    };
    for (int n : {2, 3, 4, 5, 6, 7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 29, 32, 35})
        filter(n, kNumberChars);
    for (int n : {26, 31, 37})
        filter(n, kSignedNumberChars);
    filter(1, kDigits);
    for (int n : {9, 23, 25, 27, 33})
        filter(n, kHexDigits);
    for (int n = 1; n <= layout::LayoutInput::kEditCount; ++n)
        if (const int limit = layout::LayoutInput::maxLength(n); limit > 0)
            edits_[static_cast<size_t>(n)]->setMaxLength(limit);

    // Short numbers get short fields; names, titles, fonts and paths take what room there is.
    for (int n = 1; n <= layout::LayoutInput::kEditCount; ++n) {
        QLineEdit* edit = edits_[static_cast<size_t>(n)];
        const bool wide = n == 8 || n == 22 || n == 24 || n == 28 || n == 30 || n == 34 ||
                          n == 36 || edit->maxLength() == 8;
        if (!wide)
            edit->setFixedWidth(56);
        else if (edit->maxLength() == 8)
            edit->setFixedWidth(88);
    }
    for (int n : {5, 6, 7, 9, 13, 16})
        buttons_[static_cast<size_t>(n)]->setFixedWidth(
            buttons_[static_cast<size_t>(n)]->fontMetrics().horizontalAdvance(
                buttons_[static_cast<size_t>(n)]->text()) +
            22);
    for (int n : {14, 15, 17})
        buttons_[static_cast<size_t>(n)]->setFixedWidth(36);
}

} // namespace quorvane
