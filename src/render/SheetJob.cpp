#include "render/SheetJob.h"

#include "app/Language.h"
#include "app/LocalPath.h"
#include "app/PhotoList.h"
#include "render/PageRenderer.h"
#include "render/RunPhotos.h"
#include "text/Numbers.h"

#include <QFile>

namespace quorvane {

QString SheetJob::BaseFolder(const QString& saveFolder, bool japanese) {
    return saveFolder + QLatin1Char('/') +
           (japanese ? QStringLiteral("一覧フォルダ") : QStringLiteral("IndexSheetFolder"));
}

void SheetJob::resetContinuation() {
    resumePhoto_ = 0;
    lastPage_ = 0;
    previousFolder_.clear();
    webNames_.clear();
}

void SheetJob::stop(SheetRunObserver& observer) {
    stop_ = true;
    if (!busy_) {
        resetContinuation();
        observer.stopButtonVisible(false);
    }
}

void SheetJob::deleteOldFiles(const QString& folder, ListedPhotoGuard& listed, bool japanese,
                              SheetRunObserver& observer) {
    // A folder reached through a link may be anybody's folder: it is written to, never emptied.
    if (IsLocalSymLink(folder))
        return;
    // The same kinds the photo list takes, directly in the folder only.
    const QStringList files = ListPhotos(folder, false).paths;
    for (const QString& path : files) {
        observer.yield();
        if (stop_)
            return;
        // Only regular files go: a link is neither followed nor removed, and a photo being listed
        // (the photo folder may be the output folder) is the customer's, not an old sheet.
        if (IsLocalSymLink(path) || !IsLocalFile(path) || listed.covers(path))
            continue;
        if (!RemoveLocalFile(path))
            observer.message(
                Pick(japanese, "ファイルの削除に失敗しました。\n", "Failed to delete the file.\n") +
                DisplayPath(path));
    }
}

int SheetJob::press(const layout::SheetLayout* layout, const SheetRunSettings& settings,
                    SheetRunObserver& observer) {
    const bool ja = settings.japanese;
    if (!layout || busy_)
        return -1;
    // An emptied save folder would put the sheets at the root of the file system.
    if (settings.photoFolder.isEmpty() || settings.saveFolder.isEmpty()) {
        observer.message(Pick(ja, "フォルダが設定されていません。", "Folder is not set."));
        return -1;
    }
    busy_ = true;
    stop_ = false;
    const QString stamp = clock().toString(QStringLiteral("yyyyMMddHHmmss"));
    const QString base = BaseFolder(settings.saveFolder, ja);
    const RunPhotos photos = TakeRunPhotos(settings.photos);

    int firstPhoto = 0;
    int pageCounter = 0;
    QString output;
    const bool continuing = !settings.continuous && continuationPending();
    if (continuing) {
        firstPhoto = resumePhoto_;
        pageCounter = lastPage_;
        output = IsLocalDir(previousFolder_) ? previousFolder_ : base;
    } else {
        output = base;
        if (!layout->for_web && settings.stampFolder)
            output += QLatin1Char('/') + stamp;
        webNames_.clear();
    }
    // The start row counts among the listed photos.
    const int64_t listed = photos.paths.size();
    if (const auto n = text::ParseInt(settings.startRow.toStdString());
        n && int64_t{*n} - 1 >= 0 && int64_t{*n} - 1 < listed - 1)
        firstPhoto = std::max(firstPhoto, *n - 1);
    // A run that would place no photo makes no folder, removes nothing and claims no success.
    if (FirstPlaceablePhoto(photos.paths, firstPhoto,
                            text::ParseInt(settings.endRow.toStdString())) < 0) {
        observer.message(Pick(ja, "出力する写真がありません。", "There are no photos to output."));
        busy_ = false;
        return -1;
    }

    // A layout edited by hand with a value no page can use is refused before anything is made.
    ListedPhotoGuard guard(photos.paths);
    PageRenderer renderer(*layout, settings, observer, stop_);
    if (const int refused = renderer.refuseUnusableValues(); refused < 0) {
        busy_ = false;
        return refused;
    }

    // A continued run whose folder vanished falls back to the base folder, which is made again.
    // Web exhibition runs write into their own folder and leave the base folder alone.
    if (!layout->for_web && !MakeLocalPath(output)) {
        observer.message(
            Pick(ja, "一覧フォルダが作成できません。\n", "Can not create a folder.\n") +
            DisplayPath(output));
        busy_ = false;
        return -2;
    }

    renderer.protectListedPhotos(&guard);
    renderer.shareWebNames(&webNames_);
    renderer.setPhotoDecoding(decoding);
    observer.stopButtonVisible(true);
    const int prepared = renderer.prepare();
    if (prepared < 0) {
        busy_ = false;
        return prepared;
    }
    // Old sheets go only once the run is sure to start, so a failing run never wipes them.
    if (!continuing && !layout->for_web && !settings.keepExisting)
        deleteOldFiles(output, guard, ja, observer);

    observer.clearPreview();
    observer.outputFolderChosen(layout->for_web ? renderer.webFolder() : output);
    previousFolder_ = output;
    const RenderOutcome outcome = renderer.run(firstPhoto, pageCounter, output);
    resumePhoto_ = outcome.resumePhoto;
    lastPage_ = outcome.pageCounter;
    if (outcome.listDone || settings.continuous) {
        resetContinuation();
        observer.stopButtonVisible(false);
    }
    busy_ = false;
    return outcome.code;
}

} // namespace quorvane
