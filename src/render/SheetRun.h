// What a sheet run reads and how it reports: a plain snapshot of what the windows hold, and the
// small interface through which the renderer and the job talk back (the sheet window implements
// it with widgets, the batch command with stderr).
#pragma once

#include "files/LocalPath.h"

#include "files/PhotoList.h"
#include "imaging/CancellableDevice.h"
#include "imaging/PhotoAdjustment.h"
#include "text/Notice.h"
#include "text/Problem.h"

#include <QImage>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <optional>

namespace quorvane {

struct SheetRunSettings {
    // The main window.
    QVector<PhotoEntry> photos; // the grid's rows down to the first without a file name or folder
    LocalPath photoFolder;      // "読込みフォルダ" box
    bool subfolders = false; // "サブフォルダも検索する": the folders below it are listed too
    LocalPath saveFolder; // "保存先フォルダ" box
    bool japanese = true;
    bool japaneseTagNames = false; // "EXIF情報名を日本語で表示"
    bool makerNotes = false;       // "メーカーノートがあれば表示"
    int maxTagLineCol = 16;
    int maxDumpBinCt = 32;
    QString settingsFolder; // maker-note descriptions

    // The sheet creation window.
    QString title;                // Edit1; "[$DATE]" and "[$FOLDER]" are replaced per photo
    QString startRow;             // Edit2, "No." of the first photo
    QString endRow;               // Edit3, "No." of the last photo
    QString numberOffset;         // Edit5 "表示番号の加算"
    bool continuous = false;      // CheckBox1 "連続して出力する"
    bool stampFolder = true;      // CheckBox2 "作成時間毎にサブフォルダを作成する"
    bool keepExisting = false;    // CheckBox3 "既存のファイルは上書きしない"
    bool noViewerUpdate = false;  // CheckBox4 "連続処理中はビュワーを更新しない"
    bool adjustInPreview = false; // CheckBox5 "プレビューで調整する"
    int quality = 90;             // TrackBar1

    // Beyond the design's boxes, in the window and the batch command alike:
    // pages at the layout's own pixel size instead of 640 on the long side, for print
    // ("印刷用の原寸で出力する", --full-resolution);
    bool fullResolution = false;
    // the PDF of the run's pages, "index.pdf" ("PDFも作成する", --pdf);
    bool makePdf = false;
    // the order sheet "index.csv" (the window and the batch command make it on every run), with
    // these column titles as its first row.
    bool orderSheet = false;
    QStringList orderSheetColumns;
    // Bytes the page and photo bitmaps may take together; 0 means half the machine's memory.
    int64_t memoryLimit = 0;
};

// How a run decodes its photos: how many worker threads prepare photos ahead of the one being
// placed (-1: one per processor core; 0: each photo is prepared when its turn comes), and whether
// JPEG photos may be reduced by the decoder to the size their cell needs. Neither changes what a
// run shows or writes beyond resampling. Workers leave photos whose decode needs more than
// `workerByteLimit` bytes (DecodeNeeds::bytes: a progressive JPEG holds its coefficients for the
// whole photo, even reduced) to the run itself, so that at most one such photo is decoded at a
// time. `cancelled`, when set, is asked while photos are decoded, from the workers' threads too
// (so it must be thread-safe): once it says stop, decodes end within a scan, the photo being
// decoded is thrown away and the run stops as at a stop request, without a message.
struct PhotoDecoding {
    int workers = -1;
    bool reduce = true;
    int64_t workerByteLimit = 384'000'000;
    CancelCheck cancelled = {};
};

// How a run talks back. Every method has a quiet default except the stop request, which the
// job owns.
class SheetRunObserver {
  public:
    virtual ~SheetRunObserver() = default;
    virtual void progress(int value, int maximum) { (void)value, (void)maximum; }
    virtual void photoPlaced(const QImage& scaledPhoto) { (void)scaledPhoto; }
    // The finished page, at its own size or scaled down to fit previewSize().
    virtual void pageFinished(const QImage& page) { (void)page; }
    // The size the finished pages are shown at; empty when they are not shown scaled.
    virtual QSize previewSize() { return {}; }
    virtual void clearPreview() {}
    // The folder the pages of this press go to, once it is known.
    virtual void outputFolderChosen(const LocalPath& folder) { (void)folder; }
    virtual void pageWritten(const LocalPath& path) { (void)path; }
    // The run's PDF was written (after each press that added pages to it).
    virtual void pdfWritten(const LocalPath& path) { (void)path; }
    // A problem of the run, for the observer to word in its language (catalogue's ProblemText)
    // and show as a message: one it stops at, or an old page it could not remove and went on.
    virtual void problem(const text::Problem& problem) { (void)problem; }
    // A notice of the run (its sheets made), worded and shown the same way (NoticeText).
    virtual void notice(const text::Notice& notice) { (void)notice; }
    virtual void openFolder(const LocalPath& folder) { (void)folder; }
    virtual void stopButtonVisible(bool visible) { (void)visible; }
    // Lets pending events run (the stop button among them).
    virtual void yield() {}
    // Asks the operator to adjust one photo of a one-photo layout just before it is rendered,
    // and returns when the operator is done. nullopt when nobody can be asked: the photo is
    // rendered as usual. An adjustment that is not accepted stops the job; an accepted one that
    // is inUse() takes the place of the periphery cut and the trimming.
    virtual std::optional<PhotoAdjustment> adjustPhoto(const LocalPath& path) {
        (void)path;
        return std::nullopt;
    }
};

} // namespace quorvane
