// The sheet job: what a press of "シート作成" does. It checks the preconditions, prepares the
// output folder, works out the first photo and page (fresh, or continuing the previous press),
// removes old sheets and runs the page renderer. It keeps the continuation state, the busy flag
// and the stop request between presses.
#pragma once

#include "files/LocalPath.h"
#include "layout/SheetLayout.h"
#include "render/OrderSheet.h"
#include "render/SheetPdf.h"
#include "render/SheetRun.h"

#include <QDateTime>
#include <QSet>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace quorvane {

class OutputFolder;
class PageSink;
class PhotoGuard;

class SheetJob {
  public:
    // A press of "シート作成" with the selected layout (nullptr when none is selected). Returns
    // −1 when nothing was run, −2 when the output folder could not be made, else the renderer's
    // code. Every page of the press also goes to `printer` when given (the caller's; its
    // finish() ends the press's print job).
    int press(const layout::SheetLayout* layout, const SheetRunSettings& settings,
              SheetRunObserver& observer, PageSink* printer = nullptr);

    // "中止": sets the stop request; when no run is going on it also resets the continuation
    // state and hides the stop button. The request may come from another thread than the run's:
    // the run sees it between photos and it ends the decode of a photo under way.
    void stop(SheetRunObserver& observer);

    bool busy() const { return busy_; }
    // Other windows set the busy flag while they reload layouts or when the window closes.
    void setBusy(bool busy) { busy_ = busy; }
    bool stopRequested() const { return stop_; }
    void clearStopRequest() { stop_ = false; }

    // The continuation state: the photo the next press starts from (0 when nothing is pending),
    // the number of the last page written and the folder it went to.
    int resumePhoto() const { return resumePhoto_; }
    int lastPage() const { return lastPage_; }
    const LocalPath& previousFolder() const { return previousFolder_; }
    bool continuationPending() const { return resumePhoto_ > 0; }
    void resetContinuation();

    // How the renderer decodes photos; tests choose.
    PhotoDecoding decoding;

    // The clock of the creation stamp; tests replace it.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

    // "一覧フォルダ" or "IndexSheetFolder" under the save folder.
    static QString BaseFolderName(bool japanese);
    static QString BaseFolder(const QString& saveFolder, bool japanese);
    // The folder of web exhibition images under the save folder.
    static inline const QString kWebFolderName = QStringLiteral("Ｗｅｂ用フォルダ");

  private:
    // Deletes the photo-kind files directly in the folder, except links, listed photos and
    // anything in a folder being listed; a problem for each file that stays.
    void deleteOldFiles(OutputFolder& folder, PhotoGuard& guard, SheetRunObserver& observer);
    static std::optional<text::Problem> FolderRefusal(const OutputFolder& folder);
    // On a fresh press: a PDF or order sheet that exists with "既存のファイルは上書きしない"
    // stays, and the run makes none (said once); otherwise the run starts its own.
    void startDocuments(const SheetRunSettings& settings, const OutputFolder& output,
                        SheetRunObserver& observer);

    std::atomic<bool> busy_ = false;
    std::atomic<bool> stop_ = false;
    int resumePhoto_ = 0;
    int lastPage_ = 0;
    LocalPath previousFolder_;
    QStringList previousComponents_; // below the save folder
    // Web exhibition image names taken by this run and the presses that continue it.
    QSet<QString> webNames_;
    // The run's PDF and order sheet, which the presses that continue it add their pages to; null
    // when the run makes none.
    std::unique_ptr<SheetPdf> pdf_;
    std::unique_ptr<OrderSheet> orderSheet_;
};

} // namespace quorvane
