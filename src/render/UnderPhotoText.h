// The text printed under a photo: its file name, its EXIF information (from the ".exif" side file
// or the EXIF report) and its shooting date, as the layout asks.
#pragma once

#include "files/LocalPath.h"

#include <QString>
#include <QStringList>

namespace quorvane {

struct UnderPhotoParts {
    bool fileName = false;      // disp_filename
    bool exifInfo = false;      // disp_exif_info
    bool date = false;          // disp_date
    bool dateOnOwnLine = false; // disp_date_multiline
};

// Builds the text: the file name; then, for EXIF information, each line after a line break and
// the whole text so far preceded by a line break, 40 "-" and a line break; then a non-empty date
// after a line break (own line) or a blank (nothing in front of it when the text is empty).
QString BuildUnderPhotoText(const UnderPhotoParts& parts, const QString& fileName,
                            const QStringList& exifLines, const QString& date);

// The lines of the photo's ".exif" side file (its name in any case, see SideFileFinder); empty
// when it is missing or unreadable.
QStringList SideFileLines(const LocalPath& photoPath);

} // namespace quorvane
