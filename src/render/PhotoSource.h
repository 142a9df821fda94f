// Reading one photo for a page: its upright size first (from the file header, nothing decoded),
// then its pixels. Both open the photo by its exact bytes, so names that are not UTF-8 are read
// too (see LocalPath.h).
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace quorvane {

// The size the photo has when turned upright by its EXIF orientation; an invalid size when the
// file cannot be read as an image.
QSize UprightPhotoSize(const QString& path);

// The photo decoded upright (see LoadImageFile); null when it cannot be opened or read.
QImage LoadPhoto(const QString& path);

} // namespace quorvane
