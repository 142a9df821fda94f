#include "render/PageFileSink.h"

#include "files/LocalPath.h"
#include "render/OutputFolder.h"
#include "render/SheetRun.h"
#include "render/WriteGuard.h"

namespace quorvane {

std::optional<text::Problem> PageFileSink::take(FinishedPage& page) {
    const QString name = page.fileName();
    const LocalPath path = folder_.pathOf(name);
    if (options_.keepExisting && folder_.contains(name))
        return std::nullopt;
    if (!guard_.mayWrite(name))
        return text::Problem{text::ProblemCode::kPageWouldReplacePhoto,
                             {path.display().toStdString()}};
    // A full-size page file is the very JPEG the other sinks take.
    std::optional<QByteArray> reduced;
    const std::optional<QByteArray>& bytes = options_.fullResolution
                                                 ? page.fullSizeJpeg()
                                                 : (reduced = EncodePage(page.image(), options_));
    int errorCode = 0;
    if (!bytes || !folder_.write(name, *bytes, &errorCode))
        return WriteProblem(path, errorCode);
    observer_.pageWritten(path);
    return std::nullopt;
}

} // namespace quorvane
