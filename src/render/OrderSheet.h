// The order sheet of a run: one row per placed photo with the number it has on the sheet, the
// page file, the file name, the shooting date as the list shows it and the photo's folder, so
// that the number a customer circles on a sheet leads back to the file. Written as CSV: UTF-8
// with a byte-order mark (so that spreadsheet programs read it as UTF-8), fields quoted as
// RFC 4180 says, lines ended by CR LF.
#pragma once

#include "render/PageSink.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quorvane {

// One CSV field: as it is, or in double quotes (each inner quote doubled) when it holds a comma,
// a double quote, a line break or a carriage return.
QString CsvField(const QString& text);

class OrderSheet {
  public:
    // A row for each photo on the page, in the order they were placed.
    void addPage(const QString& pageFile, const QVector<PlacedPhoto>& photos);
    int rows() const { return rows_; }
    void clear();
    // The file: the byte-order mark, the column titles as the first row when given, the rows.
    QByteArray bytes(const QStringList& columns) const;

  private:
    QByteArray lines_;
    int rows_ = 0;
};

} // namespace quorvane
