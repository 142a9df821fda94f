// Reading one photo for a page: its upright size first (from the file header, nothing decoded),
// then its pixels.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace quorvane {

// The size the photo has when turned upright by its EXIF orientation; an invalid size when the
// file cannot be read as an image.
QSize UprightPhotoSize(const QString& path);

} // namespace quorvane
