// The photos a sheet run takes from the photo list: their paths and dates, which of them a run
// would place, and the listed photos that output files must never replace or remove.
#pragma once

#include "app/PhotoList.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace quorvane {

struct RunPhotos {
    QStringList paths; // folder + file name, in list order
    QStringList dates; // the shooting-date text of each
};

// The rows from the top while both the file name and the folder are filled, at most
// kPhotoListRows of them.
RunPhotos TakeRunPhotos(const QVector<PhotoEntry>& rows);

// The index of the first photo from `first` on that a run would place: its file exists and its
// "No." (index + 1) is not past the end row. -1 when there is none.
int FirstPlaceablePhoto(const QStringList& paths, int first, std::optional<int> endRow);

// The listed photos by their canonical paths: a file among them is a customer's photo, whatever
// folder the sheets go to, and is never deleted or overwritten by a run.
class ListedPhotoGuard {
  public:
    explicit ListedPhotoGuard(const QStringList& paths) : paths_(paths) {}
    // True when the path names one of the listed photos (through any links).
    bool covers(const QString& path);

  private:
    QStringList paths_;
    QSet<QString> canonical_; // filled on the first question
    bool filled_ = false;
};

} // namespace quorvane
