#include "render/PageSink.h"

#include "render/PageOutput.h"

#include <utility>

namespace quorvane {

FinishedPage::FinishedPage(const QImage& image, int counter, int dpi, int quality,
                           QVector<PlacedPhoto> photos)
    : image_(image), counter_(counter), dpi_(dpi), quality_(quality), photos_(std::move(photos)) {}

QString FinishedPage::fileName() const {
    return PageFileName(counter_);
}

const std::optional<QByteArray>& FinishedPage::fullSizeJpeg() {
    if (!encoded_) {
        PageWriteOptions options;
        options.quality = quality_;
        options.dpi = dpi_;
        options.fullResolution = true;
        jpeg_ = EncodePage(image_, options);
        encoded_ = true;
    }
    return jpeg_;
}

} // namespace quorvane
