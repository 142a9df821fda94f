// The settings editor (TForm8): the layout files of the settings folder in a list, the fields of a
// layout typed in millimetres, its size calculation with a half-size preview, and saving it over
// its file or under a new number. Opened modally from the sheet creation window.
#pragma once

#include "layout/LayoutInput.h"
#include "layout/SheetLayout.h"

#include <QDialog>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>
#include <string>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabBar;
class QTableWidget;

namespace quorvane {

class BitmapView;
class ColourPanel;
class FontChooser;
class MessageDialog;

// A standard paper size of ComboBox1: item text, width and height in millimetres (landscape).
struct StandardPaperSize {
    const char* text;
    const char* width;
    const char* height;
};
// The items of ComboBox1; item 0 is empty and empties both paper fields.
extern const std::array<StandardPaperSize, 19> kStandardPaperSizes;

// Controls carry their design names as objectNames: Button1-Button17, Edit1-Edit37,
// CheckBox1-CheckBox15, RadioButton1-RadioButton17, Label2-Label68, GroupBox1-GroupBox7,
// ComboBox1 (standard sizes), TabControl1, ImageViewer1, Memo1, the colour panel Panel2 and the
// list StringGrid1. The unit labels beside the length fields are named after their field
// ("Edit2Unit"). In code the fields, boxes and radio buttons are reached by layout::EditorField,
// every other control by its member; doc/glossary.md maps the two.
//
// StringGrid1 is a QTableWidget; its columns map by number: StringColumn1 (running number) = 0,
// CheckColumn1 (enabled) = 1, StringColumn2 (name) = 2, StringColumn3 (file name) = 3.
class SettingsEditor : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kNumberColumn = 0;
    static constexpr int kEnabledColumn = 1;
    static constexpr int kNameColumn = 2;
    static constexpr int kFileColumn = 3;

    // What the editor needs of the sheet creation window.
    struct SheetWindowLink {
        // True while sheets are being created or a continued run is pending: saving is refused.
        std::function<bool()> sheetRunPending;
        // After every successful save: reload the layout list and drop a pending continued run.
        std::function<void()> reloadLayouts;
    };

    // The editor in the interface language, on the settings folder. Messages and the question go
    // through the message dialog, font names come from the font chooser; both must outlive it.
    SettingsEditor(bool japanese, QString settingsFolder, MessageDialog& messages,
                   FontChooser& fonts, QWidget* parent = nullptr);
    ~SettingsEditor() override;

    void setSheetWindowLink(SheetWindowLink link);

    // The sheet creation window's "シート設定編集": shows the editor modally (each showing
    // reloads the list and resets the fields) and returns when it is closed.
    int openModal();

    // How messages and the one question reach the operator; the message dialog by default.
    std::function<void(const QString& text)> showInfo;
    std::function<int(const QString& text)> ask;
    // How long the preview draws before a progress window with a stop button ("中止") shows.
    int previewProgressDelayMs = 500;

    bool japanese() const { return japanese_; }
    bool busy() const { return busy_; }
    int selectedRow() const { return selectedRow_; }
    int editedRow() const { return editedRow_; }
    const QString& currentFileName() const { return currentFileName_; }
    int settingsCount() const { return settingsCount_; }
    // The layout text of the last calculation (shown in Memo1); empty when there is none or a
    // control has changed since.
    const std::string& layoutText() const { return layoutText_; }
    // The list's cell text; the enabled column reads "true" or "false" (empty for an empty row).
    QString cellText(int column, int row) const;
    // The state of every control, as the layout file's [INPUT] section holds it.
    layout::LayoutInput input() const;

  public slots:
    void calculate();          // Button1 "サイズ計算"
    void saveOver();           // Button2 "上書き保存"
    void editSelected();       // Button3 "編集"
    void resetFields();        // Button4 "初期化"
    void swapPaperSize();      // Button5 "＜＞"
    void saveAsNew();          // Button8 "別名で保存"
    void calculateTrimRatio(); // Button10 "計算"

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    using Field = layout::EditorField;

    // A ".." button, the colour field it serves and where the colour panel opens for it.
    struct ColourOpener {
        QPushButton* button;
        Field field;
        QPoint panelAt;
    };
    // A "..." button and the font field it serves.
    struct FontOpener {
        QPushButton* button;
        Field field;
    };

    // Building the window (SettingsEditorForm.cpp).
    void createControls();
    void applyTexts();
    QWidget* createListArea();
    QWidget* createPaperGroup();
    QWidget* createPhotoGroup();
    QWidget* createNumberGroup();
    QWidget* createOptionGroup();
    QWidget* createTextTabs();
    QWidget* createPreviewArea();
    QLineEdit* makeEdit(Field field, QWidget* parent);
    QCheckBox* makeCheck(Field field, QWidget* parent);
    QRadioButton* makeRadio(Field field, QWidget* parent);
    QPushButton* makeButton(const char* name, QWidget* parent);
    QLabel* makeLabel(const char* name, QWidget* parent, QWidget* buddy = nullptr);
    // The caption label of a text field, with the field as its buddy.
    QLabel* makeCaption(Field field, QWidget* parent);
    QLabel* makeUnit(QLineEdit* field, const char* unit, QWidget* parent);
    void setTabOrderOfControls();

    // The controls of the [INPUT] echo by field.
    QLineEdit* edit(Field field) const { return edits_[Slot(field)]; }
    QCheckBox* check(Field field) const { return checks_[Slot(field)]; }
    QRadioButton* radio(Field field) const { return radios_[Slot(field)]; }
    QLabel* caption(Field field) const { return captions_[Slot(field)]; }
    static size_t Slot(Field field) { return static_cast<size_t>(layout::IndexOf(field)); }
    std::array<ColourOpener, 5> colourOpeners() const;
    std::array<FontOpener, 3> fontOpeners() const;

    // Behaviour (SettingsEditor.cpp).
    void loadList();
    void setListRow(int row, int number, bool enabled, const QString& name,
                    const QString& fileName);
    void setInput(const layout::LayoutInput& input);
    void applyResetValues();
    void reset(); // "初期化" without the busy test
    void setCaptionSuffix(const QString& suffix);
    void showTab(int index);
    void standardSizeChosen(int index);
    void controlChanged();
    void clearLayoutText();
    void openColourPanel(QAbstractButton* opener);
    void chooseFont(QAbstractButton* opener);
    void save(bool asNew);
    void showPreview(const QImage& preview);
    // The preview drawn with a progress window that can stop it; null when stopped.
    QImage drawPreview(const layout::SheetLayout& layout, const layout::LayoutInput& input);

    const bool japanese_;
    const QString settingsFolder_;
    MessageDialog& messages_;
    FontChooser& fonts_;
    SheetWindowLink link_;

    bool busy_ = false;
    int selectedRow_ = 0;
    int editedRow_ = -1;
    QString currentFileName_;
    int settingsCount_ = 0;
    std::string layoutText_;

    // Fields (Edit1-Edit37), check boxes (CheckBox1-CheckBox15), radio buttons
    // (RadioButton1-RadioButton17) and the fields' caption labels, each in its field's slot.
    std::array<QLineEdit*, layout::kEditorFieldCount> edits_{};
    std::array<QCheckBox*, layout::kEditorFieldCount> checks_{};
    std::array<QRadioButton*, layout::kEditorFieldCount> radios_{};
    std::array<QLabel*, layout::kEditorFieldCount> captions_{};

    QPushButton* calculateButton_ = nullptr;        // Button1 "サイズ計算"
    QPushButton* saveOverButton_ = nullptr;         // Button2 "上書き保存"
    QPushButton* editButton_ = nullptr;             // Button3 "編集"
    QPushButton* resetButton_ = nullptr;            // Button4 "初期化"
    QPushButton* swapSizeButton_ = nullptr;         // Button5 "＜＞"
    QPushButton* backgroundColourButton_ = nullptr; // Button6 ".."
    QPushButton* titleColourButton_ = nullptr;      // Button7 ".."
    QPushButton* saveAsButton_ = nullptr;           // Button8 "別名で保存"
    QPushButton* numberColourButton_ = nullptr;     // Button9 ".."
    QPushButton* trimRatioButton_ = nullptr;        // Button10 "計算"
    QPushButton* pageColourButton_ = nullptr;       // Button13 ".."
    QPushButton* titleFontButton_ = nullptr;        // Button14 "..."
    QPushButton* pageFontButton_ = nullptr;         // Button15 "..."
    QPushButton* fileDateColourButton_ = nullptr;   // Button16 ".."
    QPushButton* fileDateFontButton_ = nullptr;     // Button17 "..."

    QGroupBox* paperGroup_ = nullptr;      // GroupBox1 "用紙設定"
    QGroupBox* photoGroup_ = nullptr;      // GroupBox2 "写真設定"
    QGroupBox* titleGroup_ = nullptr;      // GroupBox3 "タイトル設定"
    QGroupBox* optionGroup_ = nullptr;     // GroupBox4 "オプション設定"
    QGroupBox* numberGroup_ = nullptr;     // GroupBox5 "写真番号設定"
    QGroupBox* pageNumberGroup_ = nullptr; // GroupBox6 "ページ番号設定"
    QGroupBox* otherGroup_ = nullptr;      // GroupBox7 "その他の設定"

    QLabel* dpiUnitLabel_ = nullptr;       // Label3 "dpi"
    QLabel* standardSizeLabel_ = nullptr;  // Label27 "定型サイズ"
    QLabel* titlePositionLabel_ = nullptr; // Label26 "タイトル位置"
    QLabel* previewLabel_ = nullptr;       // Label28 "プレビュー"
    QLabel* webThumbUnitLabel_ = nullptr;  // Label39 "px"
    QLabel* ratioUnitLabel_ = nullptr;     // Label40 "%"
    QLabel* pagePositionLabel_ = nullptr;  // Label51 "ページ番号位置"
    QLabel* fileDateAlignLabel_ = nullptr; // Label60 "水平揃え位置"
    QLabel* fileDateNoteLabel_ = nullptr;  // Label68 "（縦位置は写真下固定です）"

    QList<QWidget*> tabChain_;           // the focusable controls in reading order
    QTableWidget* list_ = nullptr;       // StringGrid1
    QComboBox* standardSizes_ = nullptr; // ComboBox1
    QTabBar* tabs_ = nullptr;            // TabControl1
    BitmapView* preview_ = nullptr;      // ImageViewer1
    QPlainTextEdit* memo_ = nullptr;     // Memo1
    ColourPanel* colourPanel_ = nullptr; // Panel2
};

} // namespace quorvane
