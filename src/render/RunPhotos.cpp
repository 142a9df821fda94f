#include "render/RunPhotos.h"

#include "app/LocalPath.h"

namespace quorvane {

RunPhotos TakeRunPhotos(const QVector<PhotoEntry>& rows) {
    RunPhotos photos;
    for (const PhotoEntry& row : rows) {
        if (row.fileName.isEmpty() || row.folder.isEmpty() || photos.paths.size() >= kPhotoListRows)
            break;
        photos.paths << row.folder + row.fileName;
        photos.dates << row.shootingDate;
    }
    return photos;
}

int FirstPlaceablePhoto(const QStringList& paths, int first, std::optional<int> endRow) {
    for (int i = std::max(0, first); i < paths.size(); ++i) {
        if (endRow && int64_t{i} + 1 > *endRow)
            return -1;
        if (IsLocalFile(paths[i]))
            return i;
    }
    return -1;
}

bool ListedPhotoGuard::covers(const QString& path) {
    if (!filled_) {
        for (const QString& photo : paths_) {
            const QString canonical = CanonicalLocalPath(photo);
            if (!canonical.isEmpty())
                canonical_.insert(canonical);
        }
        filled_ = true;
    }
    const QString canonical = CanonicalLocalPath(path);
    return !canonical.isEmpty() && canonical_.contains(canonical);
}

} // namespace quorvane
