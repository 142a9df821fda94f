#include "render/SheetJob.h"

#include "files/LocalPath.h"
#include "files/PhotoList.h"
#include "render/DocumentSinks.h"
#include "render/OutputFolder.h"
#include "render/PageRenderer.h"
#include "render/RunPhotos.h"
#include "render/WriteGuard.h"
#include "text/Numbers.h"

namespace quorvane {

QString SheetJob::BaseFolderName(bool japanese) {
    return japanese ? QStringLiteral("一覧フォルダ") : QStringLiteral("IndexSheetFolder");
}

QString SheetJob::BaseFolder(const QString& saveFolder, bool japanese) {
    return saveFolder + QLatin1Char('/') + BaseFolderName(japanese);
}

void SheetJob::resetContinuation() {
    resumePhoto_ = 0;
    lastPage_ = 0;
    previousFolder_ = {};
    previousComponents_.clear();
    webNames_.clear();
    pdf_.reset();
    orderSheet_.reset();
}

void SheetJob::startDocuments(const SheetRunSettings& settings, const OutputFolder& output,
                              SheetRunObserver& observer) {
    pdf_.reset();
    orderSheet_.reset();
    QStringList kept;
    const auto keeps = [&](const QString& name) {
        if (!settings.keepExisting || !output.contains(name))
            return false;
        kept << output.pathOf(name).display();
        return true;
    };
    if (settings.makePdf && !keeps(kPdfFileName))
        pdf_ = std::make_unique<SheetPdf>();
    if (settings.orderSheet && !keeps(kOrderSheetFileName))
        orderSheet_ = std::make_unique<OrderSheet>();
    // Said once for both files.
    if (!kept.isEmpty())
        observer.notice(
            {text::NoticeCode::kRunFileKept, {kept.join(QLatin1Char('\n')).toStdString()}});
}

void SheetJob::stop(SheetRunObserver& observer) {
    stop_ = true;
    if (!busy_) {
        resetContinuation();
        observer.stopButtonVisible(false);
    }
}

void SheetJob::deleteOldFiles(OutputFolder& folder, PhotoGuard& guard, SheetRunObserver& observer) {
    // Every file of a folder being listed is a customer's photo, listed or not.
    if (guard.isListedFolder(folder.descriptor()))
        return;
    // The kinds a run writes, directly in the folder only.
    for (const QString& name : folder.names()) {
        if (name.startsWith(QLatin1Char('.')) || !IsPageKindFileName(name))
            continue;
        observer.yield();
        if (stop_)
            return;
        // Only regular files go: a link is neither followed nor removed, and a listed photo
        // (through a hard link too) is the customer's, not an old sheet.
        const auto file = folder.regularFile(name);
        if (!file || guard.isListedPhoto(*file))
            continue;
        if (!folder.remove(name))
            observer.problem({text::ProblemCode::kOldFileNotDeleted,
                              {folder.pathOf(name).display().toStdString()}});
    }
}

// Why an output folder cannot take the run's files, or nullopt when it can.
std::optional<text::Problem> SheetJob::FolderRefusal(const OutputFolder& folder) {
    text::ProblemCode code = text::ProblemCode::kOutputFolderUnmakeable;
    switch (folder.status()) {
    case OutputFolder::kOpen:
        return std::nullopt;
    case OutputFolder::kThroughLink:
        code = text::ProblemCode::kOutputFolderIsLink;
        break;
    case OutputFolder::kLocked:
        code = text::ProblemCode::kOutputFolderBusy;
        break;
    case OutputFolder::kUnmakeable:
        break;
    }
    return text::Problem{code, {folder.path().display().toStdString()}};
}

int SheetJob::press(const layout::SheetLayout* layout, const SheetRunSettings& settings,
                    SheetRunObserver& observer, PageSink* printer) {
    const bool ja = settings.japanese;
    if (!layout || busy_)
        return -1;
    // An emptied save folder would put the sheets at the root of the file system.
    if (settings.photoFolder.isEmpty() || settings.saveFolder.isEmpty()) {
        observer.problem({text::ProblemCode::kRunFoldersNotSet, {}});
        return -1;
    }
    busy_ = true;
    stop_ = false;
    const QString stamp = clock().toString(QStringLiteral("yyyyMMddHHmmss"));
    const RunPhotos photos = TakeRunPhotos(settings.photos);

    int firstPhoto = 0;
    int pageCounter = 0;
    // The output folder below the save folder: the base folder, a stamped folder in it, or for
    // web exhibition layouts the web folder.
    QStringList components{BaseFolderName(ja)};
    bool fresh = false;
    const bool continuing = !settings.continuous && continuationPending();
    if (continuing) {
        firstPhoto = resumePhoto_;
        pageCounter = lastPage_;
        // The previous press's folder when it is still there, else the base folder.
        if (IsLocalDir(previousFolder_))
            components = previousComponents_;
    } else {
        if (!layout->for_web && settings.stampFolder) {
            components << stamp;
            fresh = true;
        }
        webNames_.clear();
    }
    if (layout->for_web)
        components = QStringList{kWebFolderName};
    // The start row counts among the listed photos: one past the list leaves nothing to output.
    const int64_t listed = photos.paths.size();
    if (const auto n = text::ParseInt(settings.startRow.toStdString()); n && *n >= 1) {
        if (*n > listed)
            firstPhoto = static_cast<int>(std::min<int64_t>(listed, INT32_MAX));
        else
            firstPhoto = std::max(firstPhoto, *n - 1);
    }
    // A run that would place no photo makes no folder, removes nothing and claims no success.
    if (FirstPlaceablePhoto(photos.paths, firstPhoto,
                            text::ParseInt(settings.endRow.toStdString())) < 0) {
        observer.problem({text::ProblemCode::kRunNothingToOutput, {}});
        busy_ = false;
        return -1;
    }

    // A layout edited by hand with a value no page can use is refused before anything is made.
    PhotoGuard guard(photos.paths, settings.photoFolder, settings.subfolders);
    PageRenderer renderer(*layout, settings, observer, stop_);
    if (const int refused = renderer.refuseUnusableValues(); refused < 0) {
        busy_ = false;
        return refused;
    }

    // A continued run whose folder vanished falls back to the base folder, which is made again.
    OutputFolder output(settings.saveFolder, components, fresh);
    if (const auto refusal = FolderRefusal(output)) {
        observer.problem(*refusal);
        busy_ = false;
        return -2;
    }

    renderer.setOutput(&output, &guard);
    renderer.shareWebNames(&webNames_);
    // A stop request ends a decode under way too, not only the run between photos.
    PhotoDecoding runDecoding = decoding;
    runDecoding.cancelled = [this, outer = decoding.cancelled] {
        return stop_.load() || (outer && outer());
    };
    renderer.setPhotoDecoding(runDecoding);
    observer.stopButtonVisible(true);
    const int prepared = renderer.prepare();
    if (prepared < 0) {
        busy_ = false;
        return prepared;
    }
    // Sheets go on into the run's PDF, order sheet and print job; web images make none of them.
    if (!continuing)
        startDocuments(settings, output, observer);
    WriteGuard writeGuard(&output, &guard);
    std::optional<PdfSink> pdf;
    std::optional<OrderSheetSink> orderSheet;
    if (!layout->for_web) {
        if (pdf_)
            renderer.addSink(&pdf.emplace(*pdf_, output, writeGuard, observer));
        if (orderSheet_)
            renderer.addSink(
                &orderSheet.emplace(*orderSheet_, settings.orderSheetColumns, output, writeGuard));
        if (printer)
            renderer.addSink(printer);
    }
    // Old sheets go only once the run has its first page ready, so a failing run never wipes
    // them.
    if (!continuing && !layout->for_web && !settings.keepExisting)
        renderer.beforeFirstPage([&] { deleteOldFiles(output, guard, observer); });

    observer.clearPreview();
    observer.outputFolderChosen(output.path());
    previousFolder_ = output.path();
    previousComponents_ = output.components();
    const RenderOutcome outcome = renderer.run(firstPhoto, pageCounter);
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
