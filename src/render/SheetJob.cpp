#include "render/SheetJob.h"

#include "app/Language.h"
#include "app/LocalPath.h"
#include "app/PhotoList.h"
#include "render/PageRenderer.h"
#include "text/Numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvane {

QString SheetJob::BaseFolder(const QString& saveFolder, bool japanese) {
    return saveFolder + QLatin1Char('/') +
           (japanese ? QStringLiteral("一覧フォルダ") : QStringLiteral("IndexSheetFolder"));
}

void SheetJob::resetContinuation() {
    lastPhoto_ = -1;
    lastPage_ = 0;
    previousFolder_.clear();
}

void SheetJob::stop(SheetRunObserver& observer) {
    stop_ = true;
    if (!busy_) {
        resetContinuation();
        observer.stopButtonVisible(false);
    }
}

void SheetJob::deleteOldFiles(const QString& folder, bool japanese, SheetRunObserver& observer) {
    // The same kinds the photo list takes, directly in the folder only.
    const QStringList files = ListPhotos(folder, false).paths;
    for (const QString& path : files) {
        observer.yield();
        if (stop_)
            return;
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
    if (settings.photoFolder.isEmpty()) {
        observer.message(Pick(ja, "フォルダが設定されていません。", "Folder is not set."));
        return -1;
    }
    busy_ = true;
    stop_ = false;
    const QString stamp = clock().toString(QStringLiteral("yyyyMMddHHmmss"));
    const QString base = BaseFolder(settings.saveFolder, ja);

    int firstPhoto = 0;
    int pageCounter = 0;
    QString output;
    const bool continuing = !settings.continuous && lastPhoto_ >= 0;
    if (continuing) {
        firstPhoto = lastPhoto_ + 1;
        pageCounter = lastPage_;
        output = QFileInfo(previousFolder_).isDir() ? previousFolder_ : base;
    } else {
        output = base;
        if (!layout->for_web && settings.stampFolder)
            output += QLatin1Char('/') + stamp;
    }
    // A continued run whose folder vanished falls back to the base folder, which is made again.
    // Web exhibition runs write into their own folder and leave the base folder alone.
    if (!layout->for_web && !QDir().mkpath(output)) {
        observer.message(
            Pick(ja, "一覧フォルダが作成できません。\n", "Can not create a folder.\n") + output);
        busy_ = false;
        return -2;
    }

    PageRenderer renderer(*layout, settings, observer, stop_);
    observer.stopButtonVisible(true);
    const int prepared = renderer.prepare();
    if (prepared < 0) {
        busy_ = false;
        return prepared;
    }
    // The start row counts among the photos the renderer listed.
    const int64_t listed = renderer.photoCount();
    if (const auto n = text::ParseInt(settings.startRow.toStdString());
        n && int64_t{*n} - 1 >= 0 && int64_t{*n} - 1 < listed - 1)
        firstPhoto = std::max(firstPhoto, *n - 1);
    // Old sheets go only once the run is sure to start, so a failing run never wipes them.
    if (!continuing && !layout->for_web && !settings.keepExisting && renderer.photoCount() > 0)
        deleteOldFiles(output, ja, observer);

    observer.clearPreview();
    observer.outputFolderChosen(layout->for_web ? renderer.webFolder() : output);
    previousFolder_ = output;
    const RenderOutcome outcome = renderer.run(firstPhoto, pageCounter, output);
    lastPhoto_ = outcome.resumePhoto - 1;
    lastPage_ = outcome.pageCounter;
    if (outcome.listDone || settings.continuous) {
        resetContinuation();
        observer.stopButtonVisible(false);
    }
    busy_ = false;
    return outcome.code;
}

} // namespace quorvane
