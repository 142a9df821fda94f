// Runs a sheet job on a worker thread and reports to an observer that lives on another thread
// (a window's, on the GUI thread): every report is carried over to the observer's thread and the
// worker waits until the observer has taken it, so the observer sees the same reports in the
// same order, and stop requests at the same points, as a run on its own thread.
#pragma once

#include "files/LocalPath.h"

#include "render/SheetRun.h"

#include <QObject>
#include <QPointer>
#include <functional>

namespace quorvane {

class ObserverRelay : public SheetRunObserver {
  public:
    // `target` is called on the thread of `context` (which must outlive the run).
    ObserverRelay(SheetRunObserver& target, QObject* context);

    void progress(int value, int maximum) override;
    void photoPlaced(const QImage& scaledPhoto) override;
    // A page larger than the target's preview is scaled down to fit it here, on the worker, so
    // that the observer's thread never handles the full page.
    void pageFinished(const QImage& page) override;
    QSize previewSize() override;
    void clearPreview() override;
    void outputFolderChosen(const LocalPath& folder) override;
    void pageWritten(const LocalPath& path) override;
    void pdfWritten(const LocalPath& path) override;
    void problem(const text::Problem& problem) override;
    void notice(const text::Notice& notice) override;
    void openFolder(const LocalPath& folder) override;
    void stopButtonVisible(bool visible) override;
    void yield() override;
    std::optional<PhotoAdjustment> adjustPhoto(const LocalPath& path) override;

  private:
    // Runs the call on the observer's thread and waits for it; directly when already there.
    void call(const std::function<void()>& report);

    SheetRunObserver& target_;
    QObject* context_;
};

// The page scaled down (smoothly, keeping its proportions) to fit within `size`; the page itself
// when it fits already or the size is empty.
QImage PageForPreview(const QImage& page, const QSize& size);

} // namespace quorvane
