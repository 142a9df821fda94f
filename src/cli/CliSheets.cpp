// quorvane-cli sheets: the main job without windows. Lists the photos of a folder and writes all
// index-sheet pages of a layout, as "シート作成" with continuous output does.
#include "catalogue/FileTexts.h"
#include "catalogue/NoticeText.h"
#include "catalogue/ProblemText.h"
#include "catalogue/Wording.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "cli/SheetProgress.h"
#include "files/LocalPath.h"
#include "files/PhotoList.h"
#include "imaging/Fonts.h"
#include "layout/ForeignPaths.h"
#include "layout/LayoutFiles.h"
#include "layout/SheetLayout.h"
#include "print/PrintSink.h"
#include "render/PageRenderer.h"
#include "render/SheetJob.h"
#include "render/TextStamp.h"
#include "text/IniDocument.h"
#include "text/Numbers.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QPrinterInfo>
#include <cstdio>
#include <unistd.h>

namespace quorvane::cli {

namespace {

const char* const kUsage =
    "usage: quorvane-cli sheets --source DIR --dest DIR --layout FILE [--title TEXT]\n"
    "         [--quality N] [--start N] [--end N] [--add N] [--subfolders] [--era] [--time]\n"
    "         [--no-stamp-folder] [--keep-existing] [--full-resolution] [--pdf]\n"
    "         [--print QUEUE [--copies N]] [--en]\n"
    "\n"
    "Lists the photos of the folder --source and writes every index-sheet page of the layout\n"
    "FILE (an enabled CustomSize*.ini) into \"一覧フォルダ\" (\"IndexSheetFolder\" with --en)\n"
    "under --dest, in a subfolder named by the time of the run. Prints the output folder, then\n"
    "each page file written, one path a line, and with --pdf the PDF's path; messages go to\n"
    "stderr, and on a terminal a progress line and a summary. Beside the pages, index.csv\n"
    "lists every placed photo: its number on the sheet, page file, file name, shooting date\n"
    "and folder (UTF-8 with a byte-order mark, for spreadsheet programs; not written into a\n"
    "photo folder being listed). The images already in the output folder (old pages) are\n"
    "deleted once the first new page is ready, unless --keep-existing; nothing in a folder\n"
    "being listed is ever deleted or overwritten, links are never followed, and a folder\n"
    "another run is writing into is refused (see WHAT A RUN TOUCHES in the man page).\n"
    "The path lines hold each path's exact bytes, so a script can open them, except that a\n"
    "backslash is written \\\\, a newline \\n, a tab \\t, a carriage return \\r and any other\n"
    "control character \\xHH (two lower-case hex digits); undo these escapes to get the path.\n"
    "In messages on stderr, control characters other than line breaks and tabs are escaped\n"
    "the same way.\n"
    "\n"
    "options:\n"
    "  --title TEXT       title of the pages; [$DATE] and [$FOLDER] are replaced per photo\n"
    "                     (default: the layout's title); a layout with title_font_size=0\n"
    "                     shows none, which stderr says when --title is given\n"
    "  --quality N        JPEG quality 0-100 (default 90)\n"
    "  --start N          No. of the first photo (default 1)\n"
    "  --end N            No. of the last photo (default: the last listed)\n"
    "  --add N            number added to the printed photo numbers (default 0)\n"
    "  --subfolders       list the photos of every subfolder too\n"
    "  --era, --time      Heisei years, time of day in the dates\n"
    "  --no-stamp-folder  write into the output folder itself, not a subfolder per run\n"
    "  --keep-existing    never replace a page file that exists (default: replace)\n"
    "  --full-resolution  pages at the layout's own pixel size, for print (default: reduced\n"
    "                     to 640 pixels on the long side, for viewing)\n"
    "  --pdf              also write index.pdf: one page per sheet on the layout's paper\n"
    "                     (pixels / dpi), each sheet's JPEG at full size and --quality\n"
    "  --print QUEUE      print every sheet on the CUPS queue QUEUE (\"default\": the\n"
    "                     system's default printer) at 100 % on paper of the layout's size\n"
    "  --copies N         copies of each sheet with --print, 1-999 (default 1)\n"
    "  -en, --en          English messages and folder name (default: the system's language)\n"
    "  --                 end of options (sheets takes no other arguments after it)\n"
    "\n"
    "exit codes: 0 pages written, 1 failed or nothing to output (a missing or empty photo\n"
    "            folder, no photo between --start and --end, a file that is not an enabled\n"
    "            layout, an unknown printer, a PDF or print job that failed) or a path line\n"
    "            could not be written (a full disk; said after the run), 2 bad arguments,\n"
    "            130 interrupted (SIGINT, SIGTERM: the last line on\n"
    "            stderr says how many pages were written and in which folder)\n"
    "example: quorvane-cli sheets --source ~/Pictures/shop --dest ~/sheets \\\n"
    "           --layout ~/.config/Quorvane/initdata/CustomSize0001.ini --full-resolution \\\n"
    "           --pdf --print default --copies 2\n";

// Reports a run: pages on stdout, messages on stderr, and on a terminal a progress line on
// stderr that each message and page line moves out of the way.
class CliObserver : public SheetRunObserver {
  public:
    CliObserver(SheetJob& job, const InterruptGuard& interrupt, SheetProgress& progress,
                bool japanese)
        : job_(job), interrupt_(interrupt), progress_(progress), japanese_(japanese),
          terminal_(isatty(STDERR_FILENO) != 0) {
        clock_.start();
    }

    void photoPlaced(const QImage&) override {
        progress_.photoPlaced();
        showProgress();
    }
    void outputFolderChosen(const LocalPath& folder) override {
        folder_ = folder;
        OutPathLine(folder);
        FlushOut(); // a script learns the folder before the first photo is decoded
    }
    void pageWritten(const LocalPath& path) override {
        endProgressLine();
        // A failed write does not stop the run: the pages are on disk, and the failure is said
        // at the end (FinishStdout).
        OutPathLine(path);
        FlushOut();
        progress_.pageWritten();
        showProgress();
    }
    void pdfWritten(const LocalPath& path) override {
        endProgressLine();
        OutPathLine(path);
        FlushOut();
    }
    void problem(const text::Problem& problem) override {
        message(ProblemText(problem, japanese_));
    }
    void notice(const text::Notice& notice) override { message(NoticeText(notice, japanese_)); }
    void yield() override {
        if (interrupt_.requested() && !job_.stopRequested())
            job_.stop(*this);
    }
    void endProgressLine() {
        if (terminal_)
            std::fputs("\r\033[K", stderr);
    }
    // The summary line, on a terminal only: scripts read stdout and the messages.
    void summary() {
        endProgressLine();
        if (terminal_)
            Err(progress_.summary(clock_.elapsed()));
    }
    // After an interrupt, terminal or not: what is on disk and where.
    void interrupted() {
        endProgressLine();
        Err(progress_.interrupted(folder_.isEmpty() ? QString() : folder_.display()));
    }

  private:
    void message(const QString& text) {
        endProgressLine();
        Err(text);
    }
    void showProgress() {
        if (!terminal_)
            return;
        const QByteArray text = ("\r\033[K" + progress_.line(clock_.elapsed())).toUtf8();
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
        std::fflush(stderr);
    }

    SheetJob& job_;
    const InterruptGuard& interrupt_;
    SheetProgress& progress_;
    bool japanese_;
    bool terminal_;
    QElapsedTimer clock_;
    LocalPath folder_; // the output folder, once chosen
};

// The listed photos a run goes through: from the start row (when the job accepts it) to the end
// row.
int PhotosInRun(int listed, const QString& startRow, const QString& endRow) {
    int first = 0, last = listed;
    if (const auto n = text::ParseInt(startRow.toStdString()); n && *n >= 1)
        first = std::min(*n - 1, listed);
    if (const auto m = text::ParseInt(endRow.toStdString()))
        last = std::clamp(*m, 0, listed);
    return std::max(0, last - first);
}

} // namespace

int RunSheets(const QStringList& args) {
    ArgReader reader(args);
    QString source, dest, layoutPath;
    std::optional<QString> title;
    SheetRunSettings settings;
    settings.continuous = true;
    PhotoRowsRequest rows;
    bool english = false;
    std::optional<QString> printQueue;
    std::optional<int> copies;
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
        if (reader.endsOptions(arg))
            continue;
        // No operands: anything after "--" matches no option and is refused as unknown.
        const QString option = reader.isOperand(arg) ? QString() : arg;
        if (option == QLatin1String("--help") || option == QLatin1String("-h")) {
            Out(QString::fromUtf8(kUsage));
            return kExitOk;
        } else if (option == QLatin1String("--source")) {
            text(source);
        } else if (option == QLatin1String("--dest")) {
            text(dest);
        } else if (option == QLatin1String("--layout")) {
            text(layoutPath);
        } else if (option == QLatin1String("--title")) {
            if (auto v = reader.value(arg))
                title = *v;
        } else if (option == QLatin1String("--quality")) {
            if (auto v = reader.intValue(arg, 0, 100))
                settings.quality = *v;
        } else if (option == QLatin1String("--start")) {
            number(settings.startRow);
        } else if (option == QLatin1String("--end")) {
            number(settings.endRow);
        } else if (option == QLatin1String("--add")) {
            number(settings.numberOffset);
        } else if (option == QLatin1String("--subfolders")) {
            rows.subfolders = true;
        } else if (option == QLatin1String("--era")) {
            rows.era = true;
        } else if (option == QLatin1String("--time")) {
            rows.withTime = true;
        } else if (option == QLatin1String("--no-stamp-folder")) {
            settings.stampFolder = false;
        } else if (option == QLatin1String("--keep-existing")) {
            settings.keepExisting = true;
        } else if (option == QLatin1String("--full-resolution")) {
            settings.fullResolution = true;
        } else if (option == QLatin1String("--pdf")) {
            settings.makePdf = true;
        } else if (option == QLatin1String("--print")) {
            if (auto v = reader.value(arg))
                printQueue = *v;
        } else if (option == QLatin1String("--copies")) {
            copies = reader.intValue(arg, 1, 999);
        } else if (IsEnglishSwitch(option)) {
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
        else if (copies && !printQueue)
            reader.fail(QStringLiteral("--copies needs --print"));
    }
    if (!reader.error().isEmpty())
        return UsageError(reader.error(), kUsage);

    const AppContext ctx = CliStartUp(english);
    const bool ja = ctx.japanese();
    const auto doc = text::IniDocument::Load(LocalPath::FromText(layoutPath).bytes().toStdString());
    if (!doc) {
        Err(Pick(ja, "レイアウトファイルを読み込めません: ", "Cannot read the layout file: ") +
            LocalPath::FromText(layoutPath).display());
        return kExitFailure;
    }
    // Only what the layout list would offer runs: an enabled layout. A file without [PAPER] that
    // is enabled is listed there too, with the defaults of every missing key. A file with neither
    // section is no layout at all (a text, a maker-note description) and is told so.
    if (!doc->hasSection("PAPER") && !doc->hasSection("INPUT")) {
        Err(Pick(ja, "レイアウトファイルではありません（[PAPER] も [INPUT] もありません）: ",
                 "Not a layout file (it has neither [PAPER] nor [INPUT]): ") +
            LocalPath::FromText(layoutPath).display());
        return kExitFailure;
    }
    if (!layout::IsEnabledLayout(*doc)) {
        Err(Pick(ja, "このレイアウトは有効になっていません（[INPUT] の CHECKBOX7）: ",
                 "This layout is not enabled (CHECKBOX7 of [INPUT]): ") +
            LocalPath::FromText(layoutPath).display());
        return kExitFailure;
    }
    if (!CheckPhotoFolder(LocalPath::FromText(source), ja))
        return kExitFailure;
    // The printer is looked for before anything is made.
    std::optional<QPrinter> printer;
    if (printQueue) {
        const bool system = *printQueue == QLatin1String("default");
        const QString name = system ? QPrinterInfo::defaultPrinterName() : *printQueue;
        if (name.isEmpty() || !QPrinterInfo::availablePrinterNames().contains(name)) {
            Err(system ? Pick(ja, "既定のプリンターがありません。", "There is no default printer.")
                       : Pick(ja, "このプリンターはありません: ", "There is no printer named: ") +
                             name);
            return kExitFailure;
        }
        printer.emplace(QPrinter::HighResolution);
        printer->setPrinterName(name);
        printer->setCopyCount(copies.value_or(1));
    }
    layout::SheetLayout layout = layout::ReadSheetLayout(*doc, ja);
    layout.ini_file_name = DisplayName(LocalPath::FromText(layoutPath).fileName()).toStdString();

    // Problems that would spoil every page are said once, before the run; so is a title asked
    // for that the layout draws nowhere (by the renderer's own rule for its title_font_size).
    for (const auto& notice :
         {MissingJapaneseFontNotice(), layout::ForeignBackgroundNotice(layout)})
        if (notice)
            Err(NoticeText(*notice, ja));
    if (title && !title->isEmpty() && !StampSizeDraws(1, layout.title_font_size))
        Err(Pick(ja,
                 "このレイアウトはタイトルを表示しないため（title_font_size=%1）、"
                 "--title は表示されません: ",
                 "This layout shows no title (title_font_size=%1), so --title is not shown: ")
                .arg(layout.title_font_size) +
            LocalPath::FromText(layoutPath).display());

    InterruptGuard interrupt;
    PhotoListRequest request;
    static_cast<PhotoRowsRequest&>(request) = rows;
    request.sourceFolder = LocalPath::FromText(source);
    request.saveFolder = LocalPath::FromText(dest);
    request.maxDumpBinCt = ctx.config.maxDumpBinCt;
    PhotoListHooks hooks;
    hooks.stopRequested = [&] { return interrupt.requested(); };
    const PhotoListResult list = BuildPhotoList(request, hooks);
    for (const LocalPath& skipped : list.skipped)
        Err(NoticeText(SkippedPhotoNotice(skipped), ja));
    for (const text::Problem& problem : list.problems)
        Err(ProblemText(problem, ja));
    if (list.stopped) {
        Err(SheetProgress(0, ja).interrupted(QString()));
        return kExitInterrupted;
    }
    if (!list.listReplaced)
        return kExitFailure;

    settings.photos = list.rows;
    settings.photoFolder = request.sourceFolder;
    settings.subfolders = rows.subfolders;
    settings.saveFolder = request.saveFolder;
    settings.japanese = ja;
    settings.japaneseTagNames = ja;
    settings.maxTagLineCol = ctx.config.maxTagLineCol;
    settings.maxDumpBinCt = ctx.config.maxDumpBinCt;
    settings.settingsFolder = ctx.settingsFolder;
    settings.title = title.value_or(QString::fromStdString(layout.title));
    settings.orderSheet = true;
    settings.orderSheetColumns = OrderSheetColumns(ja);

    SheetJob job;
    // A signal also ends the decode of a photo at once, not only the run between photos.
    job.decoding.cancelled = [&interrupt] { return interrupt.requested(); };
    SheetProgress progress(
        PhotosInRun(static_cast<int>(list.rows.size()), settings.startRow, settings.endRow), ja);
    CliObserver observer(job, interrupt, progress, ja);
    std::optional<PrintSink> print;
    if (printer)
        print.emplace(*printer, PrintJobTitle(settings.photoFolder));
    const int code = job.press(&layout, settings, observer, print ? &*print : nullptr);
    if (code >= 0)
        observer.summary();
    observer.endProgressLine();
    if (interrupt.requested()) {
        observer.interrupted();
        return kExitInterrupted;
    }
    return code < 0 ? kExitFailure : kExitOk;
}

} // namespace quorvane::cli
