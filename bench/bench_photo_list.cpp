// How fast a folder of 10,000 camera JPEGs is listed with its EXIF dates (warm file cache).
// Reports photos per second. Set QUORVANE_BENCH_PHOTO to choose the camera JPEG that is copied.
#include "app/PhotoList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

constexpr int kPhotos = 10000;

// A small camera JPEG: the chosen file, a real test photo, or the shipped example.
QByteArray CameraJpeg() {
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

void BM_ListTenThousandPhotos(benchmark::State& state) {
    QTemporaryDir dir;
    const QByteArray jpeg = CameraJpeg();
    if (!dir.isValid() || jpeg.isEmpty()) {
        state.SkipWithError("cannot prepare the photo folder");
        return;
    }
    for (int i = 0; i < kPhotos; ++i) {
        QFile f(dir.path() + QStringLiteral("/IMG_%1.JPG").arg(i, 5, 10, QLatin1Char('0')));
        if (!f.open(QIODevice::WriteOnly) || f.write(jpeg) != jpeg.size()) {
            state.SkipWithError("cannot write the photo folder");
            return;
        }
    }
    quorvane::PhotoRowsRequest request;
    request.sourceFolder = dir.path();
    int64_t photos = 0;
    for (auto _ : state) {
        const auto result = quorvane::ListPhotoRows(request);
        if (result.rows.size() != kPhotos || result.rows.front().shootingDate.isEmpty()) {
            state.SkipWithError("the list is not complete or has no dates");
            return;
        }
        photos += result.rows.size();
    }
    state.counters["photos/s"] =
        benchmark::Counter(static_cast<double>(photos), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ListTenThousandPhotos)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
