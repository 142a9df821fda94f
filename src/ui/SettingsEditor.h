// The settings editor (TForm8): the layout files of the settings folder in a list, the fields of a
// layout typed in millimetres, its size calculation with a half-size preview, and saving it over
// its file or under a new number. Opened modally from the sheet creation window.
#pragma once

#include "layout/LayoutInput.h"
#include "layout/SheetLayout.h"

#include <QDialog>
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

// Controls carry their design names: Button1-Button17, Edit1-Edit37, CheckBox1-CheckBox15,
// RadioButton1-RadioButton17, Label2-Label68, GroupBox1-GroupBox7, ComboBox1 (standard sizes),
// TabControl1, ImageViewer1, Memo1, the colour panel Panel2 and the list StringGrid1. The unit
// labels beside the length fields are named after their field ("Edit2Unit").
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
    QLineEdit* makeEdit(int n, QWidget* parent);
    QCheckBox* makeCheck(int n, QWidget* parent);
    QRadioButton* makeRadio(int n, QWidget* parent);
    QPushButton* makeButton(int n, QWidget* parent);
    QLabel* makeLabel(int n, QWidget* parent, QLineEdit* buddy = nullptr);
    QLabel* makeUnit(QLineEdit* field, const char* unit, QWidget* parent);
    void setTabOrderOfControls();

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

    std::array<QLineEdit*, layout::LayoutInput::kEditCount + 1> edits_{};
    std::array<QCheckBox*, layout::LayoutInput::kCheckCount + 1> checks_{};
    std::array<QRadioButton*, layout::LayoutInput::kRadioCount + 1> radios_{};
    std::array<QPushButton*, 18> buttons_{};
    std::array<QLabel*, 69> labels_{};
    std::array<QGroupBox*, 8> groups_{};
    QList<QWidget*> tabChain_; // the focusable controls in reading order
    QTableWidget* list_ = nullptr;
    QComboBox* standardSizes_ = nullptr;
    QTabBar* tabs_ = nullptr;
    BitmapView* preview_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    ColourPanel* colourPanel_ = nullptr;
};

} // namespace quorvane
