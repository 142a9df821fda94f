// The page renderer: places the listed photos, trimmed and scaled, into the cells of page bitmaps
// with their labels and texts, stamps frames, title and page number, and has each full page
// written. It reads a snapshot of the windows and reports through a SheetRunObserver.
#pragma once

#include "files/LocalPath.h"

#include "layout/RenderableLayout.h"
#include "layout/SheetLayout.h"
#include "render/PageSink.h"
#include "render/SheetRun.h"
#include "render/WriteGuard.h"

#include <QImage>
#include <QRgb>
#include <QSet>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

namespace quorvane {

class OutputFolder;
class PhotoGuard;
class PhotoPrefetch;
struct PhotoPlanInput;
struct PreparedPhoto;

// Result codes of a run.
enum RenderCode : int {
    kRenderMemoryOrImage = -1,
    kRenderBackground = -2,
    kRenderStopped = -3,
};

struct RenderOutcome {
    int code = kRenderStopped; // the next page number on success, else a RenderCode
    int pageCounter = 0;       // number of the last page completed
    int resumePhoto = 0;       // first photo index that is not on a written page
    bool listDone = false;     // no photo is left before the end of the list or the end row
};

class PageRenderer {
  public:
    PageRenderer(const PageRenderer&) = delete;
    PageRenderer& operator=(const PageRenderer&) = delete;
    // `stopRequest` is the job's stop flag: read between photos, set on failures.
    PageRenderer(const layout::SheetLayout& layout, const SheetRunSettings& settings,
                 SheetRunObserver& observer, std::atomic<bool>& stopRequest);

    // A layout edited by hand may hold a value no page can use, or one that makes the page or its
    // photos too large for the memory limit: its problem (naming the file, section and key) has
    // been reported and kRenderStopped is returned; 0 when every value is usable.
    int refuseUnusableValues();

    // The start checks: photos per page, usable values, the page bitmap, the background image. On
    // failure the problem has been reported and the RenderCode is returned; 0 when the run can go.
    int prepare();
    // Photos in the list (after prepare).
    int photoCount() const { return static_cast<int>(paths_.size()); }

    // Renders from the photo index with the page counter of the previous page into the output
    // folder (see setOutput). Without continuous output it ends after the first page.
    RenderOutcome run(int firstPhoto, int pageCounter);

    // The open folder the page files (or, for web exhibition layouts, the web images) go to, and
    // what they must never replace (optional).
    void setOutput(OutputFolder* folder, PhotoGuard* guard) {
        output_ = folder;
        writeGuard_ = WriteGuard(folder, guard);
    }
    // Where every finished page goes besides its file (the PDF, the order sheet, the printer), in
    // the order added; each sink's finish() is called when the run ends, however it ends.
    void addSink(PageSink* sink) { sinks_.push_back(sink); }
    // Called once, when the run's first page is ready to be written and before it is: old pages
    // are removed then, so that a run failing before it leaves them as they were.
    void beforeFirstPage(std::function<void()> hook) { beforeFirstPage_ = std::move(hook); }
    // The web image names already taken by the job (lower case), so that presses continuing a
    // run keep clear of them too; names this run takes are added. Without it the run keeps its own.
    void shareWebNames(QSet<QString>* names) { webNames_ = names ? names : &ownWebNames_; }
    void setPhotoDecoding(const PhotoDecoding& decoding) { decoding_ = decoding; }

  private:
    struct Cell {
        int col = 0;
        int row = 0;
    };
    // Where a run stands between photos: the cell the next photo goes to, the photos on the page
    // being filled, the number of the last page written and the first photo that is on no written
    // page (where a later press resumes). The page's title and page number use the title text and
    // the date of the last photo placed.
    struct PageCursor {
        Cell cell;
        int placed = 0;
        QVector<PlacedPhoto> photos; // on the page being filled
        int page = 0;
        int resumePhoto = 0;
        QString title;
        QString date;
    };

    // The steps of a run.
    std::unique_ptr<PhotoPrefetch> startPrefetch(int firstPhoto) const;
    // The photos from the first on, page by page; the outcome of the run without its ending.
    RenderOutcome renderPages(int firstPhoto, int pageCounter);
    // Prepares, places and captions the photo; 0, or the RenderCode that ends the run.
    int placeNext(int index, PageCursor& cursor, PhotoPrefetch* prefetch);
    // Ends the page: the stop request, then frames, title, page number, preview and file;
    // 0, or the RenderCode that ends the run.
    int closePage(PageCursor& cursor);
    RenderOutcome outcome(const PageCursor& cursor, int code) const;

    PhotoPlanInput cellPlan() const;
    layout::LayoutProblem checkValues() const;
    // Whether each photo is adjusted by the operator before it is placed.
    bool adjusting() const;
    QPoint cellOrigin(const Cell& cell) const;
    void advance(Cell& cell) const;
    void clearPage();
    QString photoTitle(int index) const;
    // Stamps the prepared photo, shows it, draws it into its cell and writes the text under it;
    // false on a failure that ends the run (problem reported).
    bool placePhoto(int index, PreparedPhoto& photo, const Cell& cell);
    QStringList exifLines(const LocalPath& path) const;
    // Frames, title and page number (with the date of the page's last photo), preview, and the
    // page to every sink; false when a sink could not take it (problem reported).
    bool finishPage(const PageCursor& cursor, int pageCounter);
    // Whether a web image may be written under the name (WriteGuard); false with the problem
    // reported.
    bool mayWrite(const QString& name);
    // The end of the run for every sink; false when one failed (problem reported).
    bool finishSinks();
    bool writeWebPhoto(const QImage& photo, const LocalPath& path);
    QString webPhotoName(const LocalPath& path);
    // Reports the problem and sets the stop request.
    void fail(const text::Problem& problem);

    const layout::SheetLayout& layout_;
    const SheetRunSettings& settings_;
    SheetRunObserver& observer_;
    std::atomic<bool>& stop_;

    QList<LocalPath> paths_;
    QStringList dates_;
    QRgb background_ = 0xffffffff;
    QImage backgroundImage_;
    QImage page_;
    bool pageFinished_ = false; // the page bitmap still holds the page last finished
    int gapX_ = 0;
    int gapY_ = 0;
    int numberOffset_ = 0;
    // The end row field's number: a photo with a greater "No." ends the run.
    std::optional<int> endRow_;
    OutputFolder* output_ = nullptr;
    WriteGuard writeGuard_{nullptr, nullptr};
    std::vector<PageSink*> sinks_;
    std::function<void()> beforeFirstPage_;
    QSet<QString> ownWebNames_;
    QSet<QString>* webNames_ = &ownWebNames_;
    PhotoDecoding decoding_;
};

} // namespace quorvane
