#include "print/PrintSink.h"

#include "files/LocalPath.h"
#include "imaging/Raster.h"
#include "print/PaperChoice.h"

#include <QFileInfo>
#include <QPrinter>
#include <utility>

namespace quorvane {

QString PrintJobTitle(const LocalPath& photoFolder) {
    QString folder = photoFolder.display();
    while (folder.size() > 1 && folder.endsWith(QLatin1Char('/')))
        folder.chop(1);
    const QString name = QFileInfo(folder).fileName();
    return QStringLiteral("Quorvane ") + (name.isEmpty() ? folder : name);
}

void PreparePrinter(QPrinter& printer, int widthPixels, int heightPixels, int dpi,
                    const QString& jobTitle) {
    printer.setFullPage(true);
    printer.setPageLayout(PaperFor(widthPixels, heightPixels, dpi));
    printer.setDocName(jobTitle);
}

PrintSink::PrintSink(QPrinter& printer, QString jobTitle)
    : printer_(printer), jobTitle_(std::move(jobTitle)) {}

PrintSink::~PrintSink() {
    if (printing_)
        painter_.end();
}

text::Problem PrintSink::failure() const {
    const QString name =
        printer_.outputFileName().isEmpty() ? printer_.printerName() : printer_.outputFileName();
    return {text::ProblemCode::kPrintFailed, {DisplayName(name).toStdString()}};
}

std::optional<text::Problem> PrintSink::take(FinishedPage& page) {
    const QImage& image = page.image();
    if (!printing_) {
        // The paper follows the layout whatever the dialog showed last.
        PreparePrinter(printer_, image.width(), image.height(), page.dpi(), jobTitle_);
        if (!painter_.begin(&printer_))
            return failure();
        printing_ = true;
    } else if (!printer_.newPage()) {
        return failure();
    }
    // 100 %: the page's pixels at the layout's dpi in the printer's units, centred on a standard
    // paper that differs from it by up to a millimetre. The page is read as opaque, as its file
    // is.
    const double scale = static_cast<double>(printer_.resolution()) / std::max(1, page.dpi());
    const QSizeF size(image.width() * scale, image.height() * scale);
    const QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
    const QPointF at((paper.width() - size.width()) / 2, (paper.height() - size.height()) / 2);
    painter_.drawImage(QRectF(at, size), OpaqueView(image));
    return std::nullopt;
}

std::optional<text::Problem> PrintSink::finish() {
    if (!printing_)
        return std::nullopt;
    printing_ = false;
    if (!painter_.end() || printer_.printerState() == QPrinter::Error)
        return failure();
    return std::nullopt;
}

} // namespace quorvane
