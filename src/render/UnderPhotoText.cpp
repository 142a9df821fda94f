#include "render/UnderPhotoText.h"

#include "app/PhotoList.h"
#include "text/FileIO.h"
#include "text/TextDecode.h"

#include <QFile>

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

QStringList SideFileLines(const QString& photoPath) {
    const auto bytes =
        text::ReadWholeFile(QFile::encodeName(SideFilePath(photoPath)).toStdString(), 4u << 20);
    QStringList lines;
    if (!bytes)
        return lines;
    for (const std::string& line : text::SplitLines(text::DecodeTextFile(*bytes)))
        lines << QString::fromStdString(line);
    return lines;
}

} // namespace quorvane
