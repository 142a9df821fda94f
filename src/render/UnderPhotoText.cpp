#include "render/UnderPhotoText.h"

#include "files/LocalPath.h"
#include "files/PhotoList.h"
#include "text/FileIO.h"
#include "text/TextDecode.h"

namespace quorvane {

QString BuildUnderPhotoText(const UnderPhotoParts& parts, const QString& fileName,
                            const QStringList& exifLines, const QString& date) {
    QString text;
    if (parts.fileName)
        text = fileName;
    if (parts.exifInfo) {
        for (const QString& line : exifLines)
            text += QLatin1Char('\n') + line;
        text = QLatin1Char('\n') + QString(40, QLatin1Char('-')) + QLatin1Char('\n') + text;
    }
    if (parts.date && !date.isEmpty()) {
        if (!text.isEmpty())
            text += parts.dateOnOwnLine ? QLatin1Char('\n') : QLatin1Char(' ');
        text += date;
    }
    return text;
}

QStringList SideFileLines(const LocalPath& photoPath) {
    QStringList lines;
    const LocalPath sideFile = SideFileFinder().find(photoPath);
    if (sideFile.isEmpty())
        return lines;
    const auto bytes = text::ReadWholeFile(sideFile.bytes().toStdString(), 4u << 20);
    if (!bytes)
        return lines;
    for (const std::string& line : text::SplitLines(text::DecodeTextFile(*bytes)))
        lines << QString::fromStdString(line);
    return lines;
}

} // namespace quorvane
