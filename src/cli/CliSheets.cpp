// quorvane-cli sheets: the main job without windows. Lists the photos of a folder and writes all
// index-sheet pages of a layout, as "シート作成" with continuous output does.
#include "app/Language.h"
#include "app/PhotoList.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "layout/LayoutFiles.h"
#include "layout/SheetLayout.h"
#include "render/PageRenderer.h"
#include "render/SheetJob.h"
#include "text/IniDocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace quorvane::cli {

namespace {

const char* const kUsage =
    "usage: quorvane-cli sheets --source DIR --dest DIR --layout FILE [--title TEXT]\n"
    "         [--quality N] [--start N] [--end N] [--add N] [--subfolders] [--era] [--time]\n"
    "         [--no-stamp-folder] [--keep-existing] [--full-resolution] [--en]\n"
    "  lists the photos of DIR and writes every index-sheet page of the layout FILE;\n"
    "  prints the output folder, then each page file written\n";

// Reports a run on the terminal: pages on stdout, messages and progress on stderr.
class CliObserver : public SheetRunObserver {
  public:
    CliObserver(SheetJob& job, const InterruptGuard& interrupt)
        : job_(job), interrupt_(interrupt), progress_(isatty(STDERR_FILENO) != 0) {}

    void progress(int value, int maximum) override {
        if (progress_)
            std::fprintf(stderr, "\r%d / %d", value, maximum), std::fflush(stderr);
    }
    void outputFolderChosen(const QString& folder) override { Out(folder + QLatin1Char('\n')); }
    void pageWritten(const QString& path) override {
        endProgressLine();
        Out(path + QLatin1Char('\n'));
        std::fflush(stdout);
    }
    void message(const QString& text) override {
        endProgressLine();
        Err(text);
    }
    void yield() override {
        if (interrupt_.requested() && !job_.stopRequested())
            job_.stop(*this);
    }
    void endProgressLine() {
        if (progress_)
            std::fputs("\r\033[K", stderr);
    }

  private:
    SheetJob& job_;
    const InterruptGuard& interrupt_;
    bool progress_;
};

} // namespace

int RunSheets(const QStringList& args) {
    ArgReader reader(args);
    QString source, dest, layoutPath;
    std::optional<QString> title;
    SheetRunSettings settings;
    settings.continuous = true;
    PhotoRowsRequest rows;
    bool english = false;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        auto text = [&](QString& into) {
            if (auto v = reader.value(arg))
                into = *v;
        };
        auto number = [&](QString& into) {
            if (auto v = reader.intValue(arg, -2147483647, 2147483647))
                into = QString::number(*v);
        };
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            Out(QString::fromUtf8(kUsage));
            return kExitOk;
        } else if (arg == QLatin1String("--source")) {
            text(source);
        } else if (arg == QLatin1String("--dest")) {
            text(dest);
        } else if (arg == QLatin1String("--layout")) {
            text(layoutPath);
        } else if (arg == QLatin1String("--title")) {
            if (auto v = reader.value(arg))
                title = *v;
        } else if (arg == QLatin1String("--quality")) {
            if (auto v = reader.intValue(arg, 0, 100))
                settings.quality = *v;
        } else if (arg == QLatin1String("--start")) {
            number(settings.startRow);
        } else if (arg == QLatin1String("--end")) {
            number(settings.endRow);
        } else if (arg == QLatin1String("--add")) {
            number(settings.numberOffset);
        } else if (arg == QLatin1String("--subfolders")) {
            rows.subfolders = true;
        } else if (arg == QLatin1String("--era")) {
            rows.era = true;
        } else if (arg == QLatin1String("--time")) {
            rows.withTime = true;
        } else if (arg == QLatin1String("--no-stamp-folder")) {
            settings.stampFolder = false;
        } else if (arg == QLatin1String("--keep-existing")) {
            settings.keepExisting = true;
        } else if (arg == QLatin1String("--full-resolution")) {
            settings.fullResolution = true;
        } else if (IsEnglishSwitch(arg)) {
            english = true;
        } else {
            reader.fail(QStringLiteral("unknown argument %1").arg(arg));
        }
    }
    if (reader.error().isEmpty()) {
        if (source.isEmpty())
            reader.fail(QStringLiteral("--source is missing"));
        else if (dest.isEmpty())
            reader.fail(QStringLiteral("--dest is missing"));
        else if (layoutPath.isEmpty())
            reader.fail(QStringLiteral("--layout is missing"));
    }
    if (!reader.error().isEmpty())
        return UsageError(reader.error(), kUsage);

    const AppContext ctx = CliStartUp(english);
    const bool ja = ctx.japanese();
    const auto doc = text::IniDocument::Load(QFile::encodeName(layoutPath).toStdString());
    if (!doc) {
        Err(Pick(ja, "レイアウトファイルを読み込めません: ", "Cannot read the layout file: ") +
            layoutPath);
        return kExitFailure;
    }
    // Only what the layout list would offer runs: a layout file, and an enabled one.
    if (!doc->hasSection("PAPER")) {
        Err(Pick(ja, "レイアウトファイルではありません（[PAPER] セクションがありません）: ",
                 "Not a layout file (it has no [PAPER] section): ") +
            layoutPath);
        return kExitFailure;
    }
    if (!layout::IsEnabledLayout(*doc)) {
        Err(Pick(ja, "このレイアウトは有効になっていません（[INPUT] の CHECKBOX7）: ",
                 "This layout is not enabled (CHECKBOX7 of [INPUT]): ") +
            layoutPath);
        return kExitFailure;
    }
    if (!CheckPhotoFolder(source, ja))
        return kExitFailure;
    layout::SheetLayout layout = layout::ReadSheetLayout(*doc, ja);
    layout.ini_file_name = QFileInfo(layoutPath).fileName().toStdString();

    InterruptGuard interrupt;
    PhotoListRequest request;
    static_cast<PhotoRowsRequest&>(request) = rows;
    request.sourceFolder = source;
    request.saveFolder = dest;
    request.japanese = ja;
    request.maxDumpBinCt = ctx.config.maxDumpBinCt;
    PhotoListHooks hooks;
    hooks.stopRequested = [&] { return interrupt.requested(); };
    const PhotoListResult list = BuildPhotoList(request, hooks);
    for (const QString& message : list.messages)
        Err(message);
    if (list.stopped)
        return kExitInterrupted;
    if (!list.listReplaced)
        return kExitFailure;

    settings.photos = list.rows;
    settings.photoFolder = source;
    settings.saveFolder = dest;
    settings.japanese = ja;
    settings.japaneseTagNames = ja;
    settings.maxTagLineCol = ctx.config.maxTagLineCol;
    settings.maxDumpBinCt = ctx.config.maxDumpBinCt;
    settings.settingsFolder = ctx.settingsFolder;
    settings.title = title.value_or(QString::fromStdString(layout.title));

    SheetJob job;
    CliObserver observer(job, interrupt);
    const int code = job.press(&layout, settings, observer);
    observer.endProgressLine();
    if (interrupt.requested())
        return kExitInterrupted;
    return code < 0 ? kExitFailure : kExitOk;
}

} // namespace quorvane::cli
