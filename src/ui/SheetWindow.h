// The sheet creation window (TForm7): the operator picks a layout, types the title and the run's
// options and makes index sheets of the main window's photo list, watching each page in a
// zoomable preview. It holds the layout list and the sheet job, and reports the job's progress
// with its controls.
#pragma once

#include "files/LocalPath.h"

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
class QPrinter;
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
// Beyond the design, after CheckBox5: FullResolutionBox "印刷用の原寸で出力する", PdfBox
// "PDFも作成する" and PrintBox "印刷する", remembered in Quorvane.ini.
//
// Runs happen on a worker thread while the window goes on handling events, so both windows stay
// usable and repaint; the run's reports come to the window in order, the run waiting for each,
// and "中止" acts after the current photo (ending its decode). While the busy flag is set (a run, a
// reload of the layouts, or a closed window) the layout choice, "シート作成", "シート設定編集" and
// the double click fit do nothing.
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

    // After the editor saved: loads the layouts again with the busy flag set meanwhile, drops a
    // pending continuation and chooses again the layout that was chosen, when it is still listed.
    // Returns the number of layouts, or -1 while a run holds the list.
    int reloadLayouts();

    // Messages of the window and its runs go through the message dialog, this window as owner.
    void useMessageDialog(MessageDialog& dialog);
    // Shows one message (tests replace it).
    std::function<void(const QString& text)> showMessage;
    // Opens the output folder in the file manager at the end of a run; false when none could
    // (tests replace it).
    std::function<bool(const LocalPath& folder)> openInFileManager;

    // Photos of a run are adjusted in the adjustment dialog, with the run's layout.
    void useAdjustmentDialog(AdjustmentDialog& dialog);
    // Asks for the adjustment of one photo with the run's layout; nullopt when nobody can be
    // asked (no dialog linked). Tests replace it.
    std::function<std::optional<PhotoAdjustment>(const LocalPath& path,
                                                 const layout::SheetLayout& layout)>
        askAdjustment;
    // With "印刷する" ticked, asks for the printer and copies before a press runs, the printer
    // set up for the layout's paper; false when the operator cancelled (nothing runs). The
    // system's print dialog; tests replace it.
    std::function<bool(QPrinter& printer)> askPrinter;

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
    void outputFolderChosen(const LocalPath& folder) override;
    void pageWritten(const LocalPath& path) override;
    void problem(const text::Problem& problem) override;
    void notice(const text::Notice& notice) override;
    void openFolder(const LocalPath& folder) override;
    void stopButtonVisible(bool visible) override;
    void yield() override;
    QSize previewSize() override;
    std::optional<PhotoAdjustment> adjustPhoto(const LocalPath& path) override;

    // Shows a message through showMessage, the pointer not busy over it.
    void message(const QString& text);
    void createControls();
    void layOutControls();
    void applyTexts();
    // What showing the window does: buffers, flags, layouts, preview, continuation.
    void prepareShowing();
    // Makes the preview images when they are missing; false (message shown) when one cannot be.
    bool makeBuffers();
    // Fills the layout list and ComboBox1 (nothing selected); a failure shows its message.
    int loadLayouts();
    // Chooses the listed layout of this file again after a reload, keeping a title the operator
    // typed (one that differs from the layout's former title).
    void chooseAgain(const std::string& file, const QString& formerTitle);
    void showZoom(float factor);
    // After a run that "中止" (or a cancelled adjustment, or a close) ended: the pages it wrote in
    // the status line, and the last photo of a written page in the small preview.
    void showStopped();
    SheetRunSettings runSettings() const;
    // The print options as ticked, into Quorvane.ini.
    void rememberSheetOptions();

    MainWindow& main_;
    SheetJob job_;
    std::vector<layout::SheetLayout> layouts_;
    bool running_ = false;                           // inside a press of "シート作成"
    const layout::SheetLayout* runLayout_ = nullptr; // the run's own copy, during a press
    bool showAfterRun_ = false;                      // shown again while a stopped run was ending
    bool runStarted_ = false;   // the press got as far as rendering (its output folder was chosen)
    int pagesWritten_ = 0;      // by the current or last press
    QImage photoOnWrittenPage_; // what Image1 showed when the last page was written
    QSet<QString> noticedLayouts_; // layouts whose Windows background path was pointed out

    // The controls, each named after what it is; the comment gives its design name.
    QLabel* titleLabel_ = nullptr;          // Label1 "タイトル文字列"
    QLabel* layoutLabel_ = nullptr;         // Label2 "インデックスシート設定"
    QLabel* startRowLabel_ = nullptr;       // Label3 "開始写真行番号"
    QLabel* endRowLabel_ = nullptr;         // Label4 "終了写真行番号"
    QLabel* statusLabel_ = nullptr;         // Label5, status field: layout, zoom, stop
    QLabel* titleColourLabel_ = nullptr;    // Label6, status field: title colour
    QLabel* qualityLabel_ = nullptr;        // Label7 "jpg品質"
    QLabel* qualityMinLabel_ = nullptr;     // Label8 "0"
    QLabel* qualityMaxLabel_ = nullptr;     // Label9 "100"
    QLabel* numberOffsetLabel_ = nullptr;   // Label10 "表示番号の加算"
    QComboBox* comboBox1_ = nullptr;        // ComboBox1, the layout list
    QLineEdit* titleEdit_ = nullptr;        // Edit1, title of the run
    QLineEdit* startRowEdit_ = nullptr;     // Edit2, start photo row
    QLineEdit* endRowEdit_ = nullptr;       // Edit3, end photo row
    QLineEdit* qualityEdit_ = nullptr;      // Edit4, the quality shown
    QLineEdit* numberOffsetEdit_ = nullptr; // Edit5, number added to the photo numbers
    QSlider* trackBar1_ = nullptr;          // TrackBar1, JPEG quality
    QCheckBox* continuousBox_ = nullptr;    // CheckBox1 "連続して出力する"
    QCheckBox* stampFolderBox_ = nullptr; // CheckBox2 "作成時間毎にサブフォルダを作成する"
    QCheckBox* keepExistingBox_ = nullptr; // CheckBox3 "既存のファイルは上書きしない"
    QCheckBox* noViewerUpdateBox_ = nullptr; // CheckBox4 "連続処理中はビュワーを更新しない"
    QCheckBox* adjustBox_ = nullptr;         // CheckBox5 "プレビューで調整する"
    // Beyond the design:
    QCheckBox* fullResolutionBox_ = nullptr; // "印刷用の原寸で出力する"
    QCheckBox* pdfBox_ = nullptr;            // "PDFも作成する"
    QCheckBox* printBox_ = nullptr;          // "印刷する"
    QPushButton* createButton_ = nullptr;    // Button1 "シート作成"
    QPushButton* stopButton_ = nullptr;      // Button2 "中止"
    QPushButton* editButton_ = nullptr;      // Button3 "シート設定編集"
    QScrollArea* scrollBox1_ = nullptr;
    PhotoPreview* image1_ = nullptr;
    PageViewer* imageViewer1_ = nullptr;
    QProgressBar* progressBar1_ = nullptr;
    QWidget* statusBar1_ = nullptr;
};

} // namespace quorvane
