#include "render/PhotoSource.h"

#include <QImageIOHandler>
#include <QImageReader>

namespace quorvane {

QSize UprightPhotoSize(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    reader.setAutoTransform(true);
    QSize size = reader.size();
    if (!size.isValid())
        return {};
    if (reader.transformation() & QImageIOHandler::TransformationRotate90)
        size.transpose();
    return size;
}

} // namespace quorvane
