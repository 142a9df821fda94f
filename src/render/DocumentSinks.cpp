#include "render/DocumentSinks.h"

#include "files/LocalPath.h"
#include "render/OrderSheet.h"
#include "render/OutputFolder.h"
#include "render/SheetPdf.h"
#include "render/SheetRun.h"
#include "render/WriteGuard.h"

#include <cerrno>

namespace quorvane {

namespace {

text::Problem Unwritten(text::ProblemCode code, const OutputFolder& folder, const QString& name,
                        int error) {
    return {code, {folder.pathOf(name).display().toStdString()}, error};
}

} // namespace

std::optional<text::Problem> PdfSink::take(FinishedPage& page) {
    const auto& jpeg = page.fullSizeJpeg();
    int error = 0;
    if (!jpeg || pdf_.addPage(folder_, *jpeg, page.dpi(), &error) != SheetPdf::Added::kAdded)
        return Unwritten(text::ProblemCode::kPdfNotWritten, folder_, kPdfFileName, error);
    ++added_;
    return std::nullopt;
}

std::optional<text::Problem> PdfSink::finish() {
    if (added_ == 0)
        return std::nullopt;
    added_ = 0;
    int error = EEXIST; // what stands there is the customer's
    if (!guard_.mayWrite(kPdfFileName) || !pdf_.write(folder_, kPdfFileName, &error))
        return Unwritten(text::ProblemCode::kPdfNotWritten, folder_, kPdfFileName, error);
    observer_.pdfWritten(folder_.pathOf(kPdfFileName));
    return std::nullopt;
}

std::optional<text::Problem> OrderSheetSink::take(FinishedPage& page) {
    sheet_.addPage(page.fileName(), page.photos());
    ++added_;
    return std::nullopt;
}

std::optional<text::Problem> OrderSheetSink::finish() {
    if (added_ == 0 || guard_.outputListed())
        return std::nullopt;
    added_ = 0;
    int error = 0;
    if (!guard_.mayWrite(kOrderSheetFileName) ||
        !folder_.write(kOrderSheetFileName, sheet_.bytes(columns_), &error))
        return Unwritten(text::ProblemCode::kOrderSheetNotWritten, folder_, kOrderSheetFileName,
                         error);
    return std::nullopt;
}

} // namespace quorvane
