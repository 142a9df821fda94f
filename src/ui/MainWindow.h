// The main window (TForm2): folder boxes, drop area, option boxes and the photo grid, and the
// buttons that build the photo list. Later windows read the photo list and options through it.
#pragma once

#include "app/AppContext.h"
#include "exif/ExifReader.h"
#include "files/PhotoList.h"

#include <QVector>
#include <QWidget>

#include <array>
#include <atomic>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTableView;

namespace quorvane {

class PhotoDropTarget;
class PhotoGridModel;
class SkippedPhotos;

// The window TForm2. Its controls carry their design names as objectNames: SpeedButton1-5,
// Label1, Label3, Label4 (status text inside StatusBar1), Edit1, Edit2, CornerButton1-3,
// CheckBox1-5, DropTarget1, Memo1 (hidden), ProgressBar1 and the grid StringGrid1.
//
// StringGrid1 is a QTableView over PhotoGridModel. A view's columns cannot carry objectNames, so
// the grid's columns map to model columns by number: StringColumn1 "No." = 0, CheckColumn1 = 1
// (hidden), StringColumn2 file name = 2, StringColumn3 shooting date = 3, StringColumn4 folder = 4.
//
// Building the list runs on a worker thread while the window goes on taking events, and its rows
// come one per event, so that "読込み中断" stops it after the row shown; while the busy flag is
// set every button except that one is ignored, and so is a drop.
class MainWindow : public QWidget {
    Q_OBJECT
  public:
    // The window in the context's language, with the context's folders and configuration.
    explicit MainWindow(AppContext context, QWidget* parent = nullptr);
    ~MainWindow() override;

    // What the start-up fixed: language, settings folder, Quorvane.ini values (read and save
    // paths, maxTagLineCol, maxDumpBinCt). The folder choices and drops update config.
    AppContext& context() { return context_; }
    const AppContext& context() const { return context_; }
    bool japanese() const { return context_.japanese(); }

    // The photo list: the grid's rows from the top down to the first row without a file name or
    // folder. Paths are folder + file name.
    QVector<PhotoEntry> photoList() const;
    PhotoGridModel* gridModel() const { return grid_; }

    LocalPath sourceFolder() const; // Edit1
    LocalPath saveFolder() const;   // Edit2
    bool eraDates() const;          // CheckBox1: Japanese era dates
    bool showTime() const;          // CheckBox2: time of day in the date column
    bool japaneseTagNames() const;  // CheckBox3: Japanese tag names in EXIF reports
    bool makerNotes() const;        // CheckBox4: maker notes in EXIF reports
    bool subfolders() const;        // CheckBox5: list subfolders too

    // Options for the EXIF reports of later windows: the two limits of Quorvane.ini, CheckBox3,
    // CheckBox4, the settings folder, events between reads and this window's stop request.
    exif::ExifOptions reportOptions() const;

    bool busy() const { return busy_; }
    bool stopRequested() const { return stopRequested_.load(); }
    int listedCount() const { return listedCount_; }

    // The folder dialog: returns the chosen folder, or empty text when cancelled. Tests replace
    // it to choose or cancel without a real dialog.
    std::function<QString(const QString& title, const QString& startFolder)> chooseFolder;
    // Shows one message to the operator in the plain message box (tests replace it).
    std::function<void(const QString& text)> showMessage;
    // Opens a folder in the file manager; false when none could (tests replace it).
    std::function<bool(const LocalPath& folder)> openFolder;

  public slots:
    void clearList();          // SpeedButton1 "新規作成"
    void buildList();          // SpeedButton2 "画像リスト作成"
    void stopReading();        // SpeedButton3 "読込み中断"
    void openSheetWindow();    // SpeedButton4 "インデックスシート作成"
    void openSettingsFolder(); // SpeedButton5 "サイズ設定フォルダを開く"
    void chooseSourceFolder(); // CornerButton1
    void chooseSaveFolder();   // CornerButton3
    void dropNames(const QList<LocalPath>& names); // DropTarget1

  signals:
    // "インデックスシート作成" with both folder boxes filled: the sheet creation window should
    // reset its job state and show itself.
    void sheetWindowRequested();

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createControls();
    // The captions of the language; nothing else.
    void applyTexts();
    void fitButtonsToTexts();
    // What start-up sets besides texts: hidden controls and ticked boxes.
    void applyStartState();
    void emptyAndNumberRows();
    void showProgress(int done, int found);

    AppContext context_;
    // The folder the last drop put into Edit1 (shown there readably), with its exact bytes.
    LocalPath droppedFolder_;
    bool busy_ = false;
    std::atomic<bool> stopRequested_ = false; // read by the listing's worker thread
    int listedCount_ = 0;
    bool shownOnce_ = false;

    PhotoGridModel* grid_ = nullptr;
    QWidget* topPanel_ = nullptr;
    // CheckBox1-CheckBox5 in their order, for the tab order.
    std::array<QCheckBox*, 5> optionBoxes() const {
        return {eraBox_, timeBox_, japaneseTagsBox_, makerNotesBox_, subfoldersBox_};
    }

    // The controls, each named after what it is; the comment gives its design name.
    QPushButton* clearButton_ = nullptr;  // SpeedButton1 "新規作成"
    QPushButton* buildButton_ = nullptr;  // SpeedButton2 "画像リスト作成"
    QPushButton* stopButton_ = nullptr;   // SpeedButton3 "読込み中断"
    QPushButton* sheetsButton_ = nullptr; // SpeedButton4 "インデックスシート作成"
    QPushButton* settingsFolderButton_ = nullptr; // SpeedButton5 "サイズ設定フォルダを開く"
    QLabel* label1_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    SkippedPhotos* skipped_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    QLineEdit* edit2_ = nullptr;
    QPushButton* chooseSourceButton_ = nullptr; // CornerButton1, beside Edit1
    QPushButton* setFolderButton_ = nullptr;    // CornerButton2 "設定済みフォルダ", hidden
    QPushButton* chooseSaveButton_ = nullptr;   // CornerButton3, beside Edit2
    QCheckBox* eraBox_ = nullptr;               // CheckBox1 "和暦表示(平成)"
    QCheckBox* timeBox_ = nullptr;              // CheckBox2 "時分秒も表示"
    QCheckBox* japaneseTagsBox_ = nullptr;      // CheckBox3 "EXIF情報名を日本語で表示"
    QCheckBox* makerNotesBox_ = nullptr; // CheckBox4 "メーカーノートがあれば表示"
    QCheckBox* subfoldersBox_ = nullptr; // CheckBox5 "サブフォルダも検索する"
    PhotoDropTarget* dropTarget_ = nullptr;
    QPlainTextEdit* memo1_ = nullptr;
    QTableView* gridView_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QWidget* statusBar_ = nullptr;
};

} // namespace quorvane
