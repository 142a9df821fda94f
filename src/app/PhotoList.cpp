#include "app/PhotoList.h"

#include "app/Language.h"
#include "exif/ExifReader.h"
#include "text/FileIO.h"
#include "text/Numbers.h"
#include "text/TextDecode.h"

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace quorvane {

namespace {

bool IsPhotoName(const QString& name) {
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return false;
    const QString ext = name.mid(dot).toUpper();
    return ext == QLatin1String(".JPG") || ext == QLatin1String(".JPEG") ||
           ext == QLatin1String(".PNG") || ext == QLatin1String(".GIF");
}

int FieldNumber(const QString& text, int from, int length) {
    return text::ParseIntOr(text.mid(from, length).toStdString(), 0);
}

bool IsDateError(const QString& date) {
    return date.isEmpty() || date.startsWith(QStringLiteral("エラー"));
}

} // namespace

ListedPaths ListPhotos(const QString& folder, bool subfolders,
                       const std::function<bool()>& stopRequested) {
    ListedPaths result;
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return result;
    // Hidden files (and, on this platform, hidden folders) are not listed.
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot,
                    subfolders ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
    while (it.hasNext()) {
        const QString path = it.next();
        if (stopRequested && stopRequested()) {
            result.stopped = true;
            return result;
        }
        const QString name = it.fileName();
        if (name.startsWith(QLatin1Char('.')) || !IsPhotoName(name))
            continue;
        result.paths.append(path);
    }
    return result;
}

void SortPhotoPaths(QStringList& paths) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(false);
    collator.setIgnorePunctuation(false);
    if (collator.locale().language() == QLocale::C) {
        // Qt's sort keys of the C locale (LANG=C.UTF-8) ignore the case setting; compare() not.
        std::stable_sort(paths.begin(), paths.end(), [&](const QString& a, const QString& b) {
            return collator.compare(a, b) < 0;
        });
        return;
    }
    std::vector<std::pair<QCollatorSortKey, int>> keys;
    keys.reserve(static_cast<size_t>(paths.size()));
    for (int i = 0; i < paths.size(); ++i)
        keys.emplace_back(collator.sortKey(paths[i]), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return a.first.compare(b.first) < 0; });
    QStringList sorted;
    sorted.reserve(paths.size());
    for (const auto& k : keys)
        sorted.append(paths[k.second]);
    paths = std::move(sorted);
}

QString SideFilePath(const QString& photoPath) {
    const QFileInfo info(photoPath);
    const QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot < 0 ? name : name.left(dot);
    return info.path() + QLatin1Char('/') + base + QStringLiteral(".exif");
}

QString SideFileDate(const QString& photoPath) {
    auto bytes =
        text::ReadWholeFile(QFile::encodeName(SideFilePath(photoPath)).toStdString(), 4u << 20);
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
    const int length = date.size();
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
            const int space = date.indexOf(QLatin1Char(' '));
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
    const bool ja = request.japanese;
    if (request.sourceFolder.isEmpty() || request.saveFolder.isEmpty()) {
        result.messages << Pick(ja, "読込み元フォルダと保存先フォルダを設定してください。",
                                "Please set the source folder and destination folder.");
        return result;
    }
    if (!QFileInfo(request.saveFolder).isDir() && !QDir().mkpath(request.saveFolder)) {
        result.messages << Pick(ja, "保存先フォルダが作成できません。\n",
                                "Can not create a save destination folder.\n") +
                               request.saveFolder;
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

    exif::ExifOptions exifOptions;
    exifOptions.maxDumpBinCt = request.maxDumpBinCt;
    exifOptions.yield = hooks.yield;
    exifOptions.stopRequested = hooks.stopRequested;

    const int found = static_cast<int>(listed.paths.size());
    for (const QString& path : std::as_const(listed.paths)) {
        if (hooks.yield)
            hooks.yield();
        if (hooks.stopRequested && hooks.stopRequested()) {
            result.stopped = true;
            break;
        }
        const QFileInfo info(path);
        if (!info.isFile())
            continue;
        PhotoEntry row;
        row.number = static_cast<int>(result.rows.size()) + 1;
        row.fileName = info.fileName();
        row.folder = info.path(); // "/" for a photo of the root folder
        if (!row.folder.endsWith(QLatin1Char('/')))
            row.folder += QLatin1Char('/');
        QString date = QString::fromStdString(
            exif::ShootingDate(QFile::encodeName(path).toStdString(), exifOptions));
        if (IsDateError(date) && QFileInfo::exists(SideFilePath(path)))
            date = SideFileDate(path);
        if (!IsDateError(date))
            row.shootingDate = FormatDateCell(date, request.era, request.withTime);
        result.rows.append(row);
        if (hooks.rowAdded)
            hooks.rowAdded(row, static_cast<int>(result.rows.size()), found);
        if (result.rows.size() >= kPhotoListRows) {
            result.messages << Pick(
                request.japanese, "最大枚数に達したので中断しました。",
                "Since it reached the maximum number of sheets, it was interrupted.");
            break;
        }
    }
    return result;
}

} // namespace quorvane
