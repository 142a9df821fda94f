// Where finished pages go. The renderer makes each page once, at the layout's pixel size, and
// hands it to every sink of the run in turn: the page file, the PDF, the order sheet, the printer.
// Each sink takes what it needs from there (a reduced copy, the full-size JPEG, the photos on it).
#pragma once

#include "files/LocalPath.h"

#include "text/Problem.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QVector>
#include <cstdint>
#include <optional>

namespace quorvane {

// A photo as placed on a page.
struct PlacedPhoto {
    int64_t number = 0; // the number it has on the sheet: its "No." plus the number offset
    LocalPath path;     // folder + file name, as listed
    QString date;       // the shooting date as the list shows it
};

// A page the renderer finished, as the sinks receive it.
class FinishedPage {
  public:
    FinishedPage(const QImage& image, int counter, int dpi, int quality,
                 QVector<PlacedPhoto> photos);

    // The page at the layout's pixel size.
    const QImage& image() const { return image_; }
    // The page counter: 1 for the first page of a fresh run.
    int counter() const { return counter_; }
    // The page file's name, "page0001.jpg" for counter 1.
    QString fileName() const;
    int dpi() const { return dpi_; }
    int quality() const { return quality_; }
    const QVector<PlacedPhoto>& photos() const { return photos_; }

    // The page at its full size as JPEG at the run's quality, resolution stamped and sRGB tagged,
    // byte for byte what a full-resolution page file holds. Encoded when first asked, once for
    // all sinks; nullopt when it cannot be encoded.
    const std::optional<QByteArray>& fullSizeJpeg();

  private:
    const QImage& image_;
    int counter_;
    int dpi_;
    int quality_;
    QVector<PlacedPhoto> photos_;
    bool encoded_ = false;
    std::optional<QByteArray> jpeg_;
};

class PageSink {
  public:
    virtual ~PageSink() = default;
    // Takes the finished page; the problem that ends the run when it could not.
    virtual std::optional<text::Problem> take(FinishedPage& page) = 0;
    // The press is over, after its last page or ended early (stopped, or failed): the sink
    // completes what it makes of the pages it took. The problem when it could not.
    virtual std::optional<text::Problem> finish() { return std::nullopt; }
};

} // namespace quorvane
