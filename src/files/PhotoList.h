// The photo list: finding the photos of a folder, their shooting dates (EXIF or ".exif" side
// file) and the rows of the main window's grid, which every later step takes its photos from.
#pragma once

#include "files/LocalPath.h"
#include "text/Notice.h"
#include "text/Problem.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <vector>

namespace quorvane {

constexpr int kPhotoListRows = 10000; // the grid's fixed row count, so the most photos listed

// One row of the photo list. File name and folder keep names that are not UTF-8 byte for byte
// (see LocalPath.h): open them through its functions and show them through display().
struct PhotoEntry {
    int number = 0;       // 1-based row number
    QString fileName;     // bare name with extension (text form, see LocalPath.h)
    QString shootingDate; // displayed date, possibly empty
    LocalPath folder;     // folder of the file, ending in "/"

    LocalPath path() const { return folder.joined(fileName); }
    bool operator==(const PhotoEntry&) const = default;
};

struct ListedPaths {
    QList<LocalPath> paths;   // full paths in listing order
    QList<LocalPath> skipped; // photos of kinds that are not read (IsUnreadPhotoFileName)
    bool stopped = false;     // the stop request ended the listing (the paths so far are kept)
};

// True for a name ending in ".JPG", ".JPEG", ".PNG" or ".GIF", in any case: the kinds a run
// writes, and so the only files it deletes from its output folder as old pages.
bool IsPageKindFileName(const QString& name);

// True for the kinds of photo the list takes, in any case: those of IsPageKindFileName, and
// ".HEIC", ".HEIF", ".HIF", ".AVIF", ".WEBP", ".TIF", ".TIFF".
bool IsPhotoFileName(const QString& name);

// True for camera RAW files (".CR2", ".CR3", ".NEF", ".NRW", ".ARW", ".DNG", ".ORF", ".RW2",
// ".RAF", ".PEF", ".SRW", ".X3F", any case): photos that are not read, named as skipped.
bool IsUnreadPhotoFileName(const QString& name);

// Every photo (IsPhotoFileName) of the folder, and of its subfolders at any depth when asked;
// names beginning with "." are skipped, files and folders alike. Symbolically linked folders are
// followed and every real folder is listed once, under its own path when it lies in the tree, so
// a link loop ends. Names are kept byte for byte (see LocalPath.h). A missing folder gives an
// empty list. Files of kinds that are not read go to `skipped`.
ListedPaths ListPhotos(const LocalPath& folder, bool subfolders,
                       const std::function<bool()>& stopRequested = {});

// Sorts full paths as whole texts as they are shown, case-insensitively, in the user's locale.
void SortPhotoPaths(QList<LocalPath>& paths);

// The photo's side file under its exact name: same name, extension replaced by ".exif".
LocalPath SideFilePath(const LocalPath& photoPath);

// Finds side files whatever the case of their names ("NAME.EXIF", "name.Exif"), as the file names
// of Windows ignore case: the exact name when it exists, else the first matching name of the
// folder in byte order. Each folder is read once, so one finder serves a whole listing.
class SideFileFinder {
  public:
    // The side file's path, or empty when there is none.
    LocalPath find(const LocalPath& photoPath);

  private:
    // Folder → case-folded side-file name → the name on disk.
    QHash<LocalPath, QHash<QString, QString>> folders_;
};

// The date line of a photo's side file: the rest of the first line beginning with
// "データ撮影日時:", trimmed; empty when there is none.
QString SideFileDate(const LocalPath& photoPath, SideFileFinder* finder = nullptr);

// The date cell of the grid for a date text, by its length: YYYYMMDD, YYYY:MM:DD (or with "-"),
// or YYYY:MM:DD HH:MM:SS; any other length gives an empty cell. `era` shows dates from
// 1989-01-08 on as 平成 years; `withTime` appends the time of day of the long form.
QString FormatDateCell(const QString& dateText, bool era, bool withTime);

// The photo options of the main window's boxes.
struct PhotoRowsRequest {
    LocalPath sourceFolder;  // Edit1
    bool subfolders = false; // CheckBox5
    bool era = false;        // CheckBox1
    bool withTime = false;   // CheckBox2
    int maxDumpBinCt = 32;   // the value cap also applies to the date text
};

struct PhotoListHooks {
    std::function<void()> yield;         // lets pending events run before each photo
    std::function<bool()> stopRequested; // ends the build early; the rows so far stay
    std::function<void(const PhotoEntry& row, int done, int found)> rowAdded;
    // Empties the caller's rows once the folder boxes passed, before the folder is listed.
    std::function<void()> emptyRows;
};

struct PhotoListResult {
    bool listReplaced = false; // the grid was emptied and refilled from `rows`
    QVector<PhotoEntry> rows;
    std::vector<text::Problem> problems; // to be shown to the operator, in order
    QList<LocalPath> skipped;            // photos of kinds that are not read, sorted like the rows
    bool stopped = false;
};

// The notice naming one skipped photo (its name shown readably).
text::Notice SkippedPhotoNotice(const LocalPath& path);

// Lists, sorts and dates the photos of a folder, one row each, stopping at 10000 rows with its
// problem (kPhotoListFull). Photos that vanished since the listing get no row.
PhotoListResult ListPhotoRows(const PhotoRowsRequest& request, const PhotoListHooks& hooks = {});

// The main window's boxes: the photo options and the save folder, which must exist or be made.
struct PhotoListRequest : PhotoRowsRequest {
    LocalPath saveFolder; // Edit2
};

// Builds the photo list: checks the folder boxes, makes the save folder, lists and sorts the
// photos and reads each one's date. A folder box that is empty or a save folder that cannot be
// made is its problem, the rows left as they were; stops at 10000 rows with its problem.
PhotoListResult BuildPhotoList(const PhotoListRequest& request, const PhotoListHooks& hooks = {});

} // namespace quorvane
