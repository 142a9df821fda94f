#include "render/PhotoSource.h"

#include "app/LocalPath.h"
#include "imaging/Raster.h"

#include <QImageIOHandler>
#include <QImageReader>

namespace quorvane {

QSize UprightPhotoSize(const QString& path) {
    const auto file = OpenLocalFile(path);
    if (!file)
        return {};
    QImageReader reader(file.get());
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (!size.isValid())
        return {};
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    return size;
}

QImage LoadPhoto(const QString& path) {
    const auto file = OpenLocalFile(path);
    return file ? LoadImageFile(*file) : QImage();
}

} // namespace quorvane
