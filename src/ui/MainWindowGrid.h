// The cells of the main window's photo grid: 10000 rows of text, the photo list of the program.
#pragma once

#include "files/LocalPath.h"

#include "files/PhotoList.h"

#include <QAbstractTableModel>
#include <QString>
#include <QVector>

#include <vector>

namespace quorvane {

// Model of the grid StringGrid1. Every cell is text and starts empty; the row count is fixed at
// kPhotoListRows. Columns: 0 "No." (StringColumn1), 1 the check column (CheckColumn1, hidden by the
// view, never written), 2 file name (StringColumn2), 3 shooting date (StringColumn3), 4 folder
// ending in "/" (StringColumn4). Changes are signalled with dataChanged, never with a model reset,
// so the view keeps its column widths and hidden column.
class PhotoGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column {
        kNumberColumn = 0,
        kCheckColumn = 1,
        kFileNameColumn = 2,
        kDateColumn = 3,
        kFolderColumn = 4,
        kColumnCount = 5,
    };

    explicit PhotoGridModel(bool japanese, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    // The text of one cell as shown; empty outside the grid. Names that are not UTF-8 are shown
    // readably (LocalPath::display()) while photoList() keeps their bytes.
    QString cell(int column, int row) const;

    // Empties every cell of every row, the "No." column included.
    void emptyAll();
    // Empties every cell and writes the row numbers 1 to 10000 into the "No." column.
    void emptyAndNumber();
    // Fills one row from a photo: number, file name, date and folder. Rows outside are ignored.
    void setRow(int row, const PhotoEntry& entry);

    // The photo list: the rows from the top down to the first row whose file name or folder is
    // empty, numbered from 1.
    QVector<PhotoEntry> photoList() const;

  private:
    struct Row {
        QString number;
        QString fileName;
        QString date;
        LocalPath folder;
    };

    void allChanged();

    bool japanese_;
    std::vector<Row> rows_;
};

} // namespace quorvane
