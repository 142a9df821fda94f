// The sheet creation window (TForm7): the operator picks a layout, types the title and the run's
// options and makes index sheets of the main window's photo list, watching each page in a
// zoomable preview. It holds the layout list and the sheet job, and reports the job's progress
// with its controls.
#pragma once

#include "layout/SheetLayout.h"
#include "render/SheetJob.h"
#include "render/SheetRun.h"

#include <QSet>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSlider;

namespace quorvane {

class AdjustmentDialog;
class MainWindow;
class MessageDialog;
class PageViewer;
class PhotoPreview;

// Controls by objectName: Label1-10, ComboBox1 (layouts), Edit1 (title), Edit2 / Edit3 (start and
// end row), Edit4 (quality shown), Edit5 (number offset), TrackBar1 (quality), CheckBox1-5,
// Button1 "シート作成", Button2 "中止", Button3 "シート設定編集", ScrollBox1 holding Image1 (the
// photo just placed), ImageViewer1 (the page), ProgressBar1, StatusBar1 holding Label5 and Label6.
//
// Runs happen on the GUI thread and let events run between photos, so both windows stay usable
// and "中止" acts after the current photo. While the busy flag is set (a run, a reload of the
// layouts, or a closed window) the layout choice, "シート作成", "シート設定編集" and the double
// click fit do nothing.
class SheetWindow : public QWidget, private SheetRunObserver {
    Q_OBJECT
  public:
    static constexpr int kMinWidth = 1100;
    static constexpr int kMaxWidth = 1280;
    static constexpr int kMinHeight = 600;
    static constexpr int kMaxHeight = 775;
    static constexpr QRgb kClearedPreview = 0xff808080;

    // A window of the main window, reading its photo list, folders, options and language.
    explicit SheetWindow(MainWindow& mainWindow);
    ~SheetWindow() override;

    // What the settings editor relies on: the busy flag, the job (its continuation and stop
    // request) and the layout list.
    bool busy() const { return job_.busy(); }
    SheetJob& job() { return job_; }
    const SheetJob& job() const { return job_; }
    const std::vector<layout::SheetLayout>& layouts() const { return layouts_; }

    // After the editor saved: loads the layouts again with the busy flag set meanwhile, and drops
    // a pending continuation. Returns the number of layouts, or -1 while a run holds the list.
    int reloadLayouts();

    // Messages of the window and its runs go through the message dialog, this window as owner.
    void useMessageDialog(MessageDialog& dialog);
    // Shows one message (tests replace it).
    std::function<void(const QString& text)> showMessage;
    // Opens the output folder in the file manager at the end of a run; false when none could
    // (tests replace it).
    std::function<bool(const QString& folder)> openInFileManager;

    // Photos of a run are adjusted in the adjustment dialog, with the run's layout.
    void useAdjustmentDialog(AdjustmentDialog& dialog);
    // Asks for the adjustment of one photo with the run's layout; nullopt when nobody can be
    // asked (no dialog linked). Tests replace it.
    std::function<std::optional<PhotoAdjustment>(const QString& path,
                                                 const layout::SheetLayout& layout)>
        askAdjustment;

  public slots:
    // The main window's "インデックスシート作成": the job state reset as by "中止", then shown
    // without blocking the main window.
    void openFromMainWindow();
    void createSheets();            // Button1 "シート作成"
    void stopRequest();             // Button2 "中止"
    void editSettings();            // Button3 "シート設定編集"
    void layoutChosen(int index);   // ComboBox1
    void fitPage();                 // ImageViewer1 double click
    void qualityChanged(int value); // TrackBar1

  signals:
    // "シート設定編集" with no continuation pending: the settings editor should open modally.
    void settingsEditorRequested();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // SheetRunObserver: the job's reports shown with the controls.
    void progress(int value, int maximum) override;
    void photoPlaced(const QImage& scaledPhoto) override;
    void pageFinished(const QImage& page) override;
    void clearPreview() override;
    void message(const QString& text) override;
    void problem(const text::Problem& problem) override;
    void openFolder(const QString& folder) override;
    void stopButtonVisible(bool visible) override;
    void yield() override;
    std::optional<PhotoAdjustment> adjustPhoto(const QString& path) override;

    void createControls();
    void layOutControls();
    void applyTexts();
    // What showing the window does: buffers, flags, layouts, preview, continuation.
    void prepareShowing();
    // Makes the preview images when they are missing; false (message shown) when one cannot be.
    bool makeBuffers();
    // Fills the layout list and ComboBox1 (nothing selected); a failure shows its message.
    int loadLayouts();
    void showZoom(float factor);
    SheetRunSettings runSettings() const;

    MainWindow& main_;
    SheetJob job_;
    std::vector<layout::SheetLayout> layouts_;
    bool running_ = false;                           // inside a press of "シート作成"
    const layout::SheetLayout* runLayout_ = nullptr; // the run's own copy, during a press
    bool showAfterRun_ = false;                      // shown again while a stopped run was ending
    QSet<QString> noticedLayouts_; // layouts whose Windows background path was pointed out

    QLabel* label_[11] = {}; // Label1-Label10 at their numbers; 0 unused
    QComboBox* comboBox1_ = nullptr;
    QLineEdit* edit_[6] = {}; // Edit1-Edit5 at their numbers; 0 unused
    QSlider* trackBar1_ = nullptr;
    QCheckBox* checkBox_[6] = {}; // CheckBox1-CheckBox5 at their numbers; 0 unused
    QPushButton* button_[4] = {}; // Button1-Button3 at their numbers; 0 unused
    QScrollArea* scrollBox1_ = nullptr;
    PhotoPreview* image1_ = nullptr;
    PageViewer* imageViewer1_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QWidget* statusBar1_ = nullptr;
};

} // namespace quorvane
