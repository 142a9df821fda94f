// quorvane-cli sheets stopped by SIGINT or SIGTERM part way: exit 130, and a last line on stderr
// saying how many pages are on disk and in which folder, which the path lines and the folder
// itself confirm.
#include "TestSupport.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// One photo a page on a 4000 x 3000 page at full resolution: each page takes long enough to
// encode that a signal lands in the middle of the run.
const std::string kLayout = "[PAPER]\nwidth=4000\nheight=3000\n[PHOTO]\nphoto_ct=1\nphoto_col=1\n"
                            "photo_row=1\nphoto_width=3600\nphoto_height=2600\n[INPUT]\n"
                            "CHECKBOX7=1\n";

struct Interrupted {
    int exitCode = -1;
    QStringList lines; // stdout
    QString err;
};

// Runs sheets until it has printed `lines` lines, holds it (SIGSTOP) so that it cannot run on,
// sends the signal and lets it go.
Interrupted InterruptAfter(const QStringList& args, const fs::path& configHome, int lines,
                           int signal, const QString& language) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(configHome.string()));
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("LC_ALL", language);
    process.setProcessEnvironment(env);
    process.start(QString::fromStdString((quorvane::test::BinDir() / "quorvane-cli").string()),
                  args);
    Interrupted run;
    if (!process.waitForStarted(30000))
        return run;
    QByteArray out;
    while (out.count('\n') < lines && process.state() == QProcess::Running) {
        process.waitForReadyRead(30000);
        out += process.readAllStandardOutput();
    }
    const pid_t pid = static_cast<pid_t>(process.processId());
    ::kill(pid, SIGSTOP);
    ::kill(pid, signal);
    ::kill(pid, SIGCONT);
    process.waitForFinished(60000);
    out += process.readAllStandardOutput();
    run.lines = QString::fromUtf8(out).split('\n', Qt::SkipEmptyParts);
    run.err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit)
        run.exitCode = process.exitCode();
    return run;
}

TEST(CliInterrupt, SaysHowManyPagesWereWrittenAndWhere) {
    quorvane::test::TempDir dir;
    quorvane::test::WriteFile(dir / "layout.ini", kLayout);
    fs::create_directories(dir / "photos");
    for (int i = 1; i <= 16; ++i) {
        QImage photo(400, 300, QImage::Format_RGB32);
        photo.fill(qRgb(15 * i, 100, 160));
        ASSERT_TRUE(photo.save(QString::fromStdString((dir / "photos").string()) +
                               QString("/p%1.png").arg(i, 2, 10, QChar('0'))));
    }
    const struct {
        int lines; // stdout lines before the signal: the folder, then pages
        int signal;
        const char* language;
        const char* said; // the line's text before the count
    } cases[] = {{1, SIGINT, "C.UTF-8", "Interrupted ("},
                 {2, SIGTERM, "C.UTF-8", "Interrupted ("},
                 {3, SIGINT, "ja_JP.UTF-8", "中断しました（"}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines << " " << c.language);
        const fs::path dest = dir / ("dest" + std::to_string(++n));
        const Interrupted run = InterruptAfter(
            {"sheets", "--source", QString::fromStdString((dir / "photos").string()), "--dest",
             QString::fromStdString(dest.string()), "--layout",
             QString::fromStdString((dir / "layout.ini").string()), "--full-resolution"},
            dir / "config", c.lines, c.signal, c.language);
        EXPECT_EQ(run.exitCode, 130) << run.err.toStdString();
        ASSERT_GE(run.lines.size(), c.lines);
        const QString folder = run.lines.first();
        const qsizetype pages = run.lines.size() - 1;
        EXPECT_LT(pages, 16); // stopped part way
        EXPECT_EQ(QDir(folder).entryList({"page*.jpg"}, QDir::Files).size(), pages);
        const bool ja = QString(c.language).startsWith("ja");
        const QString line = QString::fromUtf8(c.said) + QString::number(pages) +
                             (ja           ? QString(" ページ作成）")
                              : pages == 1 ? QString(" page written)")
                                           : QString(" pages written)")) +
                             ": " + folder + "\n";
        EXPECT_TRUE(run.err.endsWith(line)) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString(); // the line alone
    }
}

} // namespace
