#include "files/PhotoList.h"

#include "exif/ExifReader.h"
#include "files/LocalPath.h"
#include "text/FileIO.h"
#include "text/Numbers.h"
#include "text/TextDecode.h"

#include <QCollator>

#include <algorithm>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <memory>
#include <numeric>
#include <set>
#include <sys/stat.h>

namespace quorvane {

namespace {

bool HasExtension(const QString& name, std::initializer_list<const char*> extensions) {
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString ext = name.mid(dot).toUpper();
    return std::any_of(extensions.begin(), extensions.end(),
                       [&](const char* e) { return ext == QLatin1String(e); });
}

} // namespace

bool IsPageKindFileName(const QString& name) {
    return HasExtension(name, {".JPG", ".JPEG", ".PNG", ".GIF"});
}

bool IsPhotoFileName(const QString& name) {
    return IsPageKindFileName(name) ||
           HasExtension(name, {".HEIC", ".HEIF", ".HIF", ".AVIF", ".WEBP", ".TIF", ".TIFF"});
}

bool IsUnreadPhotoFileName(const QString& name) {
    return HasExtension(name, {".CR2", ".CR3", ".NEF", ".NRW", ".ARW", ".DNG", ".ORF", ".RW2",
                               ".RAF", ".PEF", ".SRW", ".X3F"});
}

text::Notice SkippedPhotoNotice(const LocalPath& path) {
    return {text::NoticeCode::kPhotoKindNotRead, {DisplayName(path.fileName()).toStdString()}};
}

namespace {

int FieldNumber(const QString& text, int from, int length) {
    return text::ParseIntOr(text.mid(from, length).toStdString(), 0);
}

// The folder's bytes ready for a name to be appended: one trailing "/" taken off (as a listing
// of "X/" gives "X/a.jpg"), then "/" added; the root folder stays "/".
QByteArray JoinableFolder(QByteArray folder) {
    if (folder.size() > 1 && folder.endsWith('/'))
        folder.chop(1);
    if (!folder.endsWith('/'))
        folder += '/';
    return folder;
}

bool IsDateError(const QString& date) {
    return date.isEmpty() || date.startsWith(QStringLiteral("エラー"));
}

} // namespace

ListedPaths ListPhotos(const LocalPath& folder, bool subfolders,
                       const std::function<bool()>& stopRequested) {
    ListedPaths result;
    struct stat st;
    if (folder.isEmpty() || ::stat(folder.bytes().constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return result;
    // Real folders are walked first; linked ones afterwards, each only when its target has not
    // been walked yet.
    std::set<std::pair<dev_t, ino_t>> walked{{st.st_dev, st.st_ino}};
    std::vector<QByteArray> folders{JoinableFolder(folder.bytes())};
    std::deque<QByteArray> links;
    while (!folders.empty() || !links.empty()) {
        QByteArray dir;
        if (!folders.empty()) {
            dir = std::move(folders.back());
            folders.pop_back();
        } else {
            dir = std::move(links.front());
            links.pop_front();
            if (::stat(dir.constData(), &st) != 0 || !walked.insert({st.st_dev, st.st_ino}).second)
                continue;
            dir = JoinableFolder(dir);
        }
        std::unique_ptr<DIR, int (*)(DIR*)> stream(::opendir(dir.constData()), &::closedir);
        if (!stream)
            continue;
        while (const dirent* entry = ::readdir(stream.get())) {
            const char* name = entry->d_name;
            if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0)
                continue;
            if (stopRequested && stopRequested()) {
                result.stopped = true;
                return result;
            }
            if (name[0] == '.')
                continue;
            const QByteArray path = dir + name;
            unsigned char type = entry->d_type;
            if (type == DT_LNK || type == DT_UNKNOWN) {
                if (::stat(path.constData(), &st) != 0)
                    continue; // a dangling link
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
                if (type == DT_DIR && entry->d_type == DT_LNK) {
                    if (subfolders)
                        links.push_back(path);
                    continue;
                }
            }
            if (type == DT_DIR) {
                if (subfolders && ::lstat(path.constData(), &st) == 0 &&
                    walked.insert({st.st_dev, st.st_ino}).second)
                    folders.push_back(path + '/');
                continue;
            }
            if (type == DT_REG) {
                const QString decoded = DecodeName(name);
                if (IsPhotoFileName(decoded))
                    result.paths.append(LocalPath::FromBytes(path));
                else if (IsUnreadPhotoFileName(decoded))
                    result.skipped.append(LocalPath::FromBytes(path));
            }
        }
    }
    return result;
}

void SortPhotoPaths(QList<LocalPath>& paths) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    // Names that are not UTF-8 sort as they are shown.
    QStringList shown;
    shown.reserve(paths.size());
    for (const LocalPath& path : std::as_const(paths))
        shown.append(path.display());
    std::vector<int> order(static_cast<size_t>(paths.size()));
    std::iota(order.begin(), order.end(), 0);
    if (collator.locale().language() == QLocale::C) {
        // Qt's sort keys of the C locale (LANG=C.UTF-8) ignore the case setting; compare() not.
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return collator.compare(shown[a], shown[b]) < 0; });
    } else {
        std::vector<QCollatorSortKey> keys;
        keys.reserve(order.size());
        for (const QString& text : std::as_const(shown))
            keys.push_back(collator.sortKey(text));
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]) < 0;
        });
    }
    QList<LocalPath> sorted;
    sorted.reserve(paths.size());
    for (int i : order)
        sorted.append(paths[i]);
    paths = std::move(sorted);
}

LocalPath SideFilePath(const LocalPath& photoPath) {
    const QString name = photoPath.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return photoPath.folderWithSlash().joined((dot >= 0 ? name.left(dot) : name) +
                                              QStringLiteral(".exif"));
}

LocalPath SideFileFinder::find(const LocalPath& photoPath) {
    LocalPath exact = SideFilePath(photoPath);
    if (IsLocalFile(exact))
        return exact;
    const LocalPath folder = exact.folderWithSlash();
    auto known = folders_.find(folder);
    if (known == folders_.end()) {
        QHash<QString, QString> names;
        const QByteArray dir = folder.isEmpty() ? QByteArray(".") : folder.bytes();
        std::unique_ptr<DIR, int (*)(DIR*)> stream(::opendir(dir.constData()), &::closedir);
        while (stream) {
            const dirent* entry = ::readdir(stream.get());
            if (!entry)
                break;
            const QString name = DecodeName(QByteArray(entry->d_name));
            const QString folded = name.toCaseFolded();
            if (!folded.endsWith(QLatin1String(".exif")))
                continue;
            auto it = names.find(folded);
            if (it == names.end())
                names.insert(folded, name);
            else if (EncodeName(name) < EncodeName(*it))
                *it = name;
        }
        known = folders_.insert(folder, names);
    }
    const QString name = known->value(exact.fileName().toCaseFolded());
    if (name.isEmpty() || !IsLocalFile(folder.joined(name)))
        return {};
    return folder.joined(name);
}

QString SideFileDate(const LocalPath& photoPath, SideFileFinder* finder) {
    SideFileFinder own;
    const LocalPath sideFile = (finder ? finder : &own)->find(photoPath);
    if (sideFile.isEmpty())
        return {};
    auto bytes = text::ReadWholeFile(sideFile.bytes().toStdString(), 4u << 20);
    if (!bytes)
        return {};
    static const QString kDateLabel = QStringLiteral("データ撮影日時:");
    for (const std::string& line : text::SplitLines(text::DecodeTextFile(*bytes))) {
        const QString l = QString::fromStdString(line);
        if (l.startsWith(kDateLabel))
            return QString::fromStdString(
                text::TrimSpaceAndControls(l.mid(kDateLabel.size()).toStdString()));
    }
    return {};
}

QString FormatDateCell(const QString& date, bool era, bool withTime) {
    const qsizetype length = date.size();
    QString gregorian;
    QString time;
    int year, month, day;
    if (length == 8) {
        gregorian =
            date.left(4) + QLatin1Char('/') + date.mid(4, 2) + QLatin1Char('/') + date.mid(6, 2);
        year = FieldNumber(date, 0, 4);
        month = FieldNumber(date, 4, 2);
        day = FieldNumber(date, 6, 2);
    } else if (length >= 10) {
        if (length == 10) {
            gregorian = date;
        } else {
            const qsizetype space = date.indexOf(QLatin1Char(' '));
            if (space < 0)
                return {};
            gregorian = date.left(space + 1);
            if (withTime)
                time = date.mid(space + 1);
        }
        gregorian.replace(QLatin1Char(':'), QLatin1Char('/'))
            .replace(QLatin1Char('-'), QLatin1Char('/'));
        year = FieldNumber(date, 0, 4);
        month = FieldNumber(date, 5, 2);
        day = FieldNumber(date, 8, 2);
    } else {
        return {};
    }
    const bool eraDate = era && year > 0 && month > 0 && day > 0 &&
                         year * 10000LL + month * 100LL + day >= 19890108LL;
    if (!eraDate)
        return gregorian + time;
    // Every date from 1989-01-08 on is shown in the Heisei era; 1989 is its first year (元年).
    QString text = QStringLiteral("平成");
    text +=
        year == 1989 ? QStringLiteral("元年") : QString::number(year - 1988) + QStringLiteral("年");
    text +=
        QString::number(month) + QStringLiteral("月") + QString::number(day) + QStringLiteral("日");
    return text + time;
}

PhotoListResult BuildPhotoList(const PhotoListRequest& request, const PhotoListHooks& hooks) {
    PhotoListResult result;
    if (request.sourceFolder.isEmpty() || request.saveFolder.isEmpty()) {
        result.problems.push_back({text::ProblemCode::kPhotoListFoldersNotSet, {}});
        return result;
    }
    if (!MakeLocalPath(request.saveFolder)) {
        result.problems.push_back({text::ProblemCode::kPhotoListSaveFolderUnmakeable,
                                   {request.saveFolder.display().toStdString()}});
        return result;
    }
    return ListPhotoRows(request, hooks);
}

PhotoListResult ListPhotoRows(const PhotoRowsRequest& request, const PhotoListHooks& hooks) {
    PhotoListResult result;
    result.listReplaced = true;
    if (hooks.emptyRows)
        hooks.emptyRows();
    ListedPaths listed = ListPhotos(request.sourceFolder, request.subfolders, hooks.stopRequested);
    result.stopped = listed.stopped; // even when nothing was found before the stop
    SortPhotoPaths(listed.paths);
    SortPhotoPaths(listed.skipped);
    result.skipped = std::move(listed.skipped);

    exif::ExifOptions exifOptions;
    exifOptions.maxDumpBinCt = request.maxDumpBinCt;
    exifOptions.yield = hooks.yield;
    exifOptions.stopRequested = hooks.stopRequested;

    SideFileFinder sideFiles;
    const int found = static_cast<int>(listed.paths.size());
    for (const LocalPath& path : std::as_const(listed.paths)) {
        if (hooks.yield)
            hooks.yield();
        if (hooks.stopRequested && hooks.stopRequested()) {
            result.stopped = true;
            break;
        }
        if (!IsLocalFile(path))
            continue;
        PhotoEntry row;
        row.number = static_cast<int>(result.rows.size()) + 1;
        row.fileName = path.fileName();
        row.folder = path.folderWithSlash(); // "/" for a photo of the root folder
        QString date =
            QString::fromStdString(exif::ShootingDate(path.bytes().toStdString(), exifOptions));
        if (IsDateError(date))
            date = SideFileDate(path, &sideFiles);
        if (!IsDateError(date))
            row.shootingDate = FormatDateCell(date, request.era, request.withTime);
        result.rows.append(row);
        if (hooks.rowAdded)
            hooks.rowAdded(row, static_cast<int>(result.rows.size()), found);
        if (result.rows.size() >= kPhotoListRows) {
            result.problems.push_back({text::ProblemCode::kPhotoListFull, {}});
            break;
        }
    }
    return result;
}

} // namespace quorvane
