// A folder of camera JPEGs for the benchmarks: copies of one small camera photo with its EXIF.
// Set QUORVANE_BENCH_PHOTO to choose the photo that is copied.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <cstdlib>

namespace quorvane::bench {

// The chosen file, a real test photo, or the shipped example; empty when none can be read.
inline QByteArray CameraJpeg() {
    QStringList candidates;
    if (const char* chosen = std::getenv("QUORVANE_BENCH_PHOTO"))
        candidates << QString::fromLocal8Bit(chosen);
    candidates << QStringLiteral(QUORVANE_SOURCE_DIR
                                 "/../shared/testdata/photos/cameras/Canon_40D.jpg")
               << QStringLiteral(QUORVANE_SOURCE_DIR "/examples/photos/IMG_0001.JPG");
    for (const QString& path : candidates) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            return f.readAll();
    }
    return {};
}

// Writes `count` copies of the camera photo into the folder; false when that fails.
inline bool WritePhotoFolder(const QString& folder, int count) {
    const QByteArray jpeg = CameraJpeg();
    if (jpeg.isEmpty())
        return false;
    for (int i = 0; i < count; ++i) {
        QFile f(folder + QStringLiteral("/IMG_%1.JPG").arg(i, 5, 10, QLatin1Char('0')));
        if (!f.open(QIODevice::WriteOnly) || f.write(jpeg) != jpeg.size())
            return false;
    }
    return true;
}

} // namespace quorvane::bench
