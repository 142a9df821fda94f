// How fast a folder of 10,000 camera JPEGs is listed with its EXIF dates (warm file cache).
// Reports photos per second. Set QUORVANE_BENCH_PHOTO to choose the camera JPEG that is copied.
#include "BenchPhotos.h"
#include "files/PhotoList.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kPhotos = 10000;

void BM_ListTenThousandPhotos(benchmark::State& state) {
    QTemporaryDir dir;
    if (!dir.isValid() || !quorvane::bench::WritePhotoFolder(dir.path(), kPhotos)) {
        state.SkipWithError("cannot prepare the photo folder");
        return;
    }
    quorvane::PhotoRowsRequest request;
    request.sourceFolder = quorvane::LocalPath::FromText(dir.path());
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
