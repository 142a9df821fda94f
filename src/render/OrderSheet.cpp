#include "render/OrderSheet.h"

#include "files/LocalPath.h"

namespace quorvane {

namespace {

QByteArray Row(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields)
        quoted << CsvField(field);
    return quoted.join(QLatin1Char(',')).toUtf8() + "\r\n";
}

} // namespace

QString CsvField(const QString& text) {
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString doubled = text;
    doubled.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + doubled + QLatin1Char('"');
}

void OrderSheet::addPage(const QString& pageFile, const QVector<PlacedPhoto>& photos) {
    for (const PlacedPhoto& photo : photos) {
        // Names as people read them: a name written on Windows shows as its characters.
        lines_ += Row({QString::number(photo.number), pageFile, DisplayName(photo.path.fileName()),
                       photo.date, photo.path.folderWithSlash().display()});
        ++rows_;
    }
}

void OrderSheet::clear() {
    lines_.clear();
    rows_ = 0;
}

QByteArray OrderSheet::bytes(const QStringList& columns) const {
    return QByteArray("\xEF\xBB\xBF") + (columns.isEmpty() ? QByteArray() : Row(columns)) + lines_;
}

} // namespace quorvane
