#include "render/ObserverRelay.h"

#include "imaging/Raster.h"
#include "render/BlockingCall.h"

namespace quorvane {

ObserverRelay::ObserverRelay(SheetRunObserver& target, QObject* context)
    : target_(target), context_(context) {}

void ObserverRelay::call(const std::function<void()>& report) {
    CallOnThreadOf(context_, report);
}

void ObserverRelay::progress(int value, int maximum) {
    call([&] { target_.progress(value, maximum); });
}

void ObserverRelay::photoPlaced(const QImage& scaledPhoto) {
    call([&] { target_.photoPlaced(scaledPhoto); });
}

QImage PageForPreview(const QImage& page, const QSize& size) {
    if (page.isNull() || size.isEmpty() ||
        (page.width() <= size.width() && page.height() <= size.height()))
        return page;
    const QSize fitted = page.size().scaled(size, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    const QImage scaled = ScaledCopy(page, fitted.width(), fitted.height());
    return scaled.isNull() ? page : scaled;
}

void ObserverRelay::pageFinished(const QImage& page) {
    const QImage shown = PageForPreview(page, previewSize());
    call([&] { target_.pageFinished(shown); });
}

QSize ObserverRelay::previewSize() {
    QSize size;
    call([&] { size = target_.previewSize(); });
    return size;
}

void ObserverRelay::clearPreview() {
    call([&] { target_.clearPreview(); });
}

void ObserverRelay::outputFolderChosen(const LocalPath& folder) {
    call([&] { target_.outputFolderChosen(folder); });
}

void ObserverRelay::pageWritten(const LocalPath& path) {
    call([&] { target_.pageWritten(path); });
}

void ObserverRelay::pdfWritten(const LocalPath& path) {
    call([&] { target_.pdfWritten(path); });
}

void ObserverRelay::problem(const text::Problem& problem) {
    call([&] { target_.problem(problem); });
}

void ObserverRelay::notice(const text::Notice& notice) {
    call([&] { target_.notice(notice); });
}

void ObserverRelay::openFolder(const LocalPath& folder) {
    call([&] { target_.openFolder(folder); });
}

void ObserverRelay::stopButtonVisible(bool visible) {
    call([&] { target_.stopButtonVisible(visible); });
}

void ObserverRelay::yield() {
    // The observer's thread takes every report and press that came before this one first.
    call([&] { target_.yield(); });
}

std::optional<PhotoAdjustment> ObserverRelay::adjustPhoto(const LocalPath& path) {
    std::optional<PhotoAdjustment> adjustment;
    call([&] { adjustment = target_.adjustPhoto(path); });
    return adjustment;
}

} // namespace quorvane
