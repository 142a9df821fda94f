// The photos a sheet run takes from the photo list: their paths and dates, which of them a run
// would place, and what output files must never replace or remove.
#pragma once

#include "files/LocalPath.h"
#include "files/PhotoList.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace quorvane {

// A file identity as a key of a set.
using FileIdentityKey = std::pair<quint64, quint64>;

struct RunPhotos {
    QList<LocalPath> paths; // folder + file name, in list order
    QStringList dates;      // the shooting-date text of each
};

// The rows from the top while both the file name and the folder are filled, at most
// kPhotoListRows of them.
RunPhotos TakeRunPhotos(const QVector<PhotoEntry>& rows);

// The index of the first photo from `first` on that a run would place: its file exists and its
// "No." (index + 1) is not past the end row. -1 when there is none.
int FirstPlaceablePhoto(const QList<LocalPath>& paths, int first, std::optional<int> endRow);

// What no output of a run may touch: the listed photos, known by device and inode whatever path,
// link, mount or letter case leads to them, and every file of the folders being listed (the photo
// folder, the folders of the listed photos, and with subfolders every folder below the photo
// folder), listed or not: the list stops at 10000 rows, but the photos past it are photos too.
class PhotoGuard {
  public:
    PhotoGuard(const QList<LocalPath>& listedPaths, const LocalPath& photoFolder, bool subfolders);
    // True when the file is one of the listed photos.
    bool isListedPhoto(const FileIdentity& file);
    // True when the open folder (a descriptor) is one of the folders being listed.
    bool isListedFolder(int folder);

  private:
    void fill();

    QList<LocalPath> paths_;
    LocalPath photoFolder_;
    bool subfolders_ = false;
    bool filled_ = false;
    QSet<FileIdentityKey> photos_;
    QSet<FileIdentityKey> folders_;
    std::optional<FileIdentity> photoFolderIdentity_;
};

} // namespace quorvane
