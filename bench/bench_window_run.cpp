// A continuous run of the sheet window against the batch command on the same job (listing the
// photos, then writing every page), one after the other in the same run, and how long the window's
// event loop waits meanwhile (the longest gap between the ticks of a 10 ms timer: the window
// repaints at least that often).
//
// usage: bench_window_run PHOTO_FOLDER LAYOUT.ini QUORVANE_CLI [ROUNDS]
// Run it headless with QT_QPA_PLATFORM=offscreen (bench/window-run.sh does, with the job of the
// README: 40 photos of 6000 x 4000 on the A3 12-up layout).
#include "app/AppContext.h"
#include "ui/MainWindow.h"
#include "ui/SheetWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double CliSeconds(const QString& cli, const QString& photos, const QString& layout,
                  const QString& out) {
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(cli, {"sheets", "--source", photos, "--dest", out, "--layout", layout});
    process.waitForFinished(-1);
    if (process.exitCode() != 0)
        std::fprintf(stderr, "quorvane-cli ended with %d\n", process.exitCode());
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

struct WindowRun {
    double seconds = 0;
    double longestGapMs = 0;
};

WindowRun WindowSeconds(quorvane::MainWindow& main, quorvane::SheetWindow& sheet,
                        const QString& out) {
    main.findChild<QLineEdit*>("Edit2")->setText(out);
    QElapsedTimer sinceTick;
    double longest = 0;
    QTimer ticks;
    ticks.setInterval(10);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longest = std::max(longest, static_cast<double>(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    QElapsedTimer clock;
    clock.start();
    sinceTick.start();
    ticks.start();
    // The batch command lists the photos too: the window lists them again.
    main.findChild<QAbstractButton*>("SpeedButton2")->click();
    sheet.findChild<QAbstractButton*>("Button1")->click();
    ticks.stop();
    return {static_cast<double>(clock.nsecsElapsed()) / 1e9, longest};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: bench_window_run PHOTO_FOLDER LAYOUT.ini QUORVANE_CLI "
                             "[ROUNDS]\n");
        return 2;
    }
    const QString photos = args[1], layout = args[2], cli = args[3];
    const int rounds = args.size() > 4 ? std::max(1, args[4].toInt()) : 1;

    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + "/config"));
    quorvane::MainWindow main(quorvane::StartUp({QStringLiteral("quorvane")}));
    main.showMessage = [](const QString&) {};
    // The window lists the layouts of its settings folder: the job's layout, alone.
    const QString settings = main.context().settingsFolder;
    for (const QString& name : QDir(settings).entryList({"CustomSize*.ini"}))
        QFile::remove(settings + "/" + name);
    QFile::copy(layout, settings + "/CustomSize0001.ini");

    quorvane::SheetWindow sheet(main);
    sheet.showMessage = [](const QString&) {};
    sheet.openInFileManager = [](const quorvane::LocalPath&) { return true; };
    main.findChild<QLineEdit*>("Edit1")->setText(photos);
    main.findChild<QLineEdit*>("Edit2")->setText(dir.path() + "/out");
    main.show();
    main.findChild<QAbstractButton*>("SpeedButton2")->click();
    main.findChild<QAbstractButton*>("SpeedButton4")->click();
    sheet.findChild<QComboBox*>("ComboBox1")->setCurrentIndex(0);
    sheet.findChild<QCheckBox*>("CheckBox1")->setChecked(true);
    QApplication::processEvents();

    std::printf("%-6s %12s %12s %8s %18s\n", "round", "cli s", "window s", "ratio",
                "longest wait ms");
    for (int round = 1; round <= rounds; ++round) {
        const QString out = dir.path() + QStringLiteral("/out%1").arg(round);
        const double cliTime = CliSeconds(cli, photos, layout, out + "-cli");
        const WindowRun window = WindowSeconds(main, sheet, out + "-window");
        std::printf("%-6d %12.2f %12.2f %8.2f %18.1f\n", round, cliTime, window.seconds,
                    window.seconds / cliTime, window.longestGapMs);
        std::fflush(stdout);
    }
    return 0;
}
