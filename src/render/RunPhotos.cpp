#include "render/RunPhotos.h"

#include "files/LocalPath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvane {

RunPhotos TakeRunPhotos(const QVector<PhotoEntry>& rows) {
    RunPhotos photos;
    for (const PhotoEntry& row : rows) {
        if (row.fileName.isEmpty() || row.folder.isEmpty() || photos.paths.size() >= kPhotoListRows)
            break;
        photos.paths << row.path();
        photos.dates << row.shootingDate;
    }
    return photos;
}

int FirstPlaceablePhoto(const QList<LocalPath>& paths, int first, std::optional<int> endRow) {
    for (int i = std::max(0, first); i < paths.size(); ++i) {
        if (endRow && int64_t{i} + 1 > *endRow)
            return -1;
        if (IsLocalFile(paths[i]))
            return i;
    }
    return -1;
}

namespace {

FileIdentityKey Key(const FileIdentity& id) {
    return {static_cast<quint64>(id.device), static_cast<quint64>(id.inode)};
}

FileIdentityKey Key(const struct stat& st) {
    return Key(FileIdentity{st.st_dev, st.st_ino});
}

// How far up a folder is looked for the photo folder: deeper trees than this are not listed.
constexpr int kMaxDepth = 4096;

} // namespace

PhotoGuard::PhotoGuard(const QList<LocalPath>& listedPaths, const LocalPath& photoFolder,
                       bool subfolders)
    : paths_(listedPaths), photoFolder_(photoFolder), subfolders_(subfolders) {}

void PhotoGuard::fill() {
    if (filled_)
        return;
    filled_ = true;
    photoFolderIdentity_ = LocalFileIdentity(photoFolder_);
    if (photoFolderIdentity_)
        folders_.insert(Key(*photoFolderIdentity_));
    QSet<LocalPath> folders;
    for (const LocalPath& photo : std::as_const(paths_)) {
        if (const auto id = LocalFileIdentity(photo))
            photos_.insert(Key(*id));
        folders.insert(photo.folderWithSlash());
    }
    for (const LocalPath& folder : std::as_const(folders))
        if (const auto id = LocalFileIdentity(folder))
            folders_.insert(Key(*id));
}

bool PhotoGuard::isListedPhoto(const FileIdentity& file) {
    fill();
    return photos_.contains(Key(file));
}

bool PhotoGuard::isListedFolder(int folder) {
    fill();
    struct stat st;
    if (::fstat(folder, &st) != 0)
        return true; // a folder that cannot be told apart is kept as if it were listed
    if (folders_.contains(Key(st)))
        return true;
    if (!subfolders_ || !photoFolderIdentity_)
        return false;
    // Any folder below the photo folder is listed too: look up the parents for it.
    const FileIdentityKey photoFolder = Key(*photoFolderIdentity_);
    int current = ::openat(folder, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    bool below = false;
    for (int depth = 0; current >= 0 && depth < kMaxDepth; ++depth) {
        struct stat parent;
        if (::fstat(current, &parent) != 0)
            break;
        if (Key(parent) == photoFolder) {
            below = true;
            break;
        }
        if (Key(parent) == Key(st)) // the root is its own parent
            break;
        st = parent;
        const int up = ::openat(current, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(current);
        current = up;
    }
    if (current >= 0)
        ::close(current);
    return below;
}

} // namespace quorvane
