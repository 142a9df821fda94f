// How long the main window takes to build its photo list of 10,000 camera JPEGs (warm file
// cache), rows, progress and status shown as the operator sees them; compare with
// bench_photo_list, the same list without a window. Run it headless with
// QT_QPA_PLATFORM=offscreen.
#include "BenchPhotos.h"
#include "app/AppContext.h"
#include "ui/MainWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kPhotos = 10000;

void BM_MainWindowListsTenThousandPhotos(benchmark::State& state) {
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir().mkpath(dir.path() + "/photos") ||
        !quorvane::bench::WritePhotoFolder(dir.path() + "/photos", kPhotos)) {
        state.SkipWithError("cannot prepare the photo folder");
        return;
    }
    // A settings folder of its own, so that the user's Quorvane.ini is left alone.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + "/config"));
    quorvane::MainWindow window(quorvane::StartUp({QStringLiteral("quorvane")}));
    window.showMessage = [](const QString&) {};
    window.findChild<QLineEdit*>("Edit1")->setText(dir.path() + "/photos");
    window.findChild<QLineEdit*>("Edit2")->setText(dir.path() + "/out");
    window.show();
    QApplication::processEvents();
    auto* build = window.findChild<QAbstractButton*>("SpeedButton2");
    int64_t photos = 0;
    for (auto _ : state) {
        build->click();
        const auto listed = window.photoList().size();
        if (listed != kPhotos) {
            state.SkipWithError("the list is not complete");
            return;
        }
        photos += listed;
    }
    state.counters["photos/s"] =
        benchmark::Counter(static_cast<double>(photos), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MainWindowListsTenThousandPhotos)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
