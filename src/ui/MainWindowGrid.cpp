#include "ui/MainWindowGrid.h"

#include "catalogue/Wording.h"
#include "files/LocalPath.h"

namespace quorvane {

PhotoGridModel::PhotoGridModel(bool japanese, QObject* parent)
    : QAbstractTableModel(parent), japanese_(japanese), rows_(kPhotoListRows) {}

int PhotoGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kPhotoListRows;
}

int PhotoGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant PhotoGridModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cell(index.column(), index.row());
}

QVariant PhotoGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    switch (section) {
    case kNumberColumn:
        return QStringLiteral("No.");
    case kFileNameColumn:
        return Pick(japanese_, "ファイル名", "FileName");
    case kDateColumn:
        return Pick(japanese_, "撮影日時", "ShootingDate");
    case kFolderColumn:
        return Pick(japanese_, "フォルダパス", "FolderPath");
    default:
        return QString();
    }
}

QString PhotoGridModel::cell(int column, int row) const {
    if (row < 0 || row >= kPhotoListRows)
        return {};
    const Row& r = rows_[static_cast<size_t>(row)];
    switch (column) {
    case kNumberColumn:
        return r.number;
    case kFileNameColumn:
        return DisplayName(r.fileName);
    case kDateColumn:
        return r.date;
    case kFolderColumn:
        return r.folder.display();
    default:
        return {};
    }
}

void PhotoGridModel::emptyAll() {
    for (Row& r : rows_)
        r = Row();
    allChanged();
}

void PhotoGridModel::emptyAndNumber() {
    for (size_t i = 0; i < rows_.size(); ++i)
        rows_[i] = Row{QString::number(i + 1), {}, {}, {}};
    allChanged();
}

void PhotoGridModel::setRow(int row, const PhotoEntry& entry) {
    if (row < 0 || row >= kPhotoListRows)
        return;
    rows_[static_cast<size_t>(row)] =
        Row{QString::number(entry.number), entry.fileName, entry.shootingDate, entry.folder};
    emit dataChanged(index(row, 0), index(row, kColumnCount - 1), {Qt::DisplayRole});
}

QVector<PhotoEntry> PhotoGridModel::photoList() const {
    QVector<PhotoEntry> list;
    for (size_t i = 0; i < rows_.size(); ++i) {
        const Row& r = rows_[i];
        if (r.fileName.isEmpty() || r.folder.isEmpty())
            break;
        list.append(PhotoEntry{static_cast<int>(i) + 1, r.fileName, r.date, r.folder});
    }
    return list;
}

void PhotoGridModel::allChanged() {
    emit dataChanged(index(0, 0), index(kPhotoListRows - 1, kColumnCount - 1), {Qt::DisplayRole});
}

} // namespace quorvane
