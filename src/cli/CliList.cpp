// quorvane-cli list: the photo list of a folder, one line per photo.
#include "catalogue/NoticeText.h"
#include "catalogue/ProblemText.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "files/LineEscape.h"
#include "files/LocalPath.h"
#include "files/PhotoList.h"
#include "language/Language.h"

namespace quorvane::cli {

namespace {

const char* const kUsage =
    "usage: quorvane-cli list SOURCE [--subfolders] [--era] [--time] [--en]\n"
    "\n"
    "Lists the photos (.jpg, .jpeg, .png, .gif, .heic, .heif, .hif, .avif, .webp, .tif, .tiff,\n"
    "any case) of the folder SOURCE, sorted by path, with their shooting dates taken from EXIF\n"
    "or from a \".exif\" side file; one line per photo: No. TAB file name TAB shooting date TAB\n"
    "folder (ending in \"/\"). Camera RAW files (.cr2 .cr3 .nef .nrw .arw .dng .orf .rw2 .raf\n"
    ".pef .srw .x3f) are not read: each is named on stderr, \"skipped, format not supported:\n"
    "NAME\"; the exit code stays 0.\n"
    "Names are shown readably (CP932 decoded, other bytes that are no text as \\xHH) and\n"
    "escaped so that each stays one field: a backslash as \\\\, newline \\n, tab \\t, carriage\n"
    "return \\r, any other control character as \\xHH (two lower-case hex digits); names\n"
    "without these print as they are. In messages on stderr, control characters other than\n"
    "line breaks and tabs are escaped the same way.\n"
    "\n"
    "options:\n"
    "  --subfolders  list the photos of every subfolder too (default: the folder only)\n"
    "  --era         dates from 1989-01-08 on as Heisei years (default: 2017/03/04)\n"
    "  --time        add the time of day to the date (default: date only)\n"
    "  -en, --en     English messages (default: the system's language)\n"
    "  --            end of options: what follows is SOURCE even when it begins with \"-\"\n"
    "\n"
    "exit codes: 0 listed, 1 the folder does not exist or the list could not be written\n"
    "            (a full disk), 2 bad arguments, 130 interrupted\n"
    "example: quorvane-cli list ~/Pictures/shop --subfolders\n";

} // namespace

int RunList(const QStringList& args) {
    ArgReader reader(args);
    PhotoRowsRequest request;
    bool english = false;
    QString source;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (reader.endsOptions(arg)) {
            continue;
        } else if (reader.isOperand(arg)) {
            if (source.isEmpty())
                source = arg;
            else
                reader.fail(QStringLiteral("one photo folder only, not also %1").arg(arg));
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            Out(QString::fromUtf8(kUsage));
            return kExitOk;
        } else if (arg == QLatin1String("--subfolders")) {
            request.subfolders = true;
        } else if (arg == QLatin1String("--era")) {
            request.era = true;
        } else if (arg == QLatin1String("--time")) {
            request.withTime = true;
        } else if (IsEnglishSwitch(arg)) {
            english = true;
        } else {
            reader.fail(QStringLiteral("unknown option %1").arg(arg));
        }
    }
    if (reader.error().isEmpty() && source.isEmpty())
        reader.fail(QStringLiteral("the photo folder is missing"));
    if (!reader.error().isEmpty())
        return UsageError(reader.error(), kUsage);

    const AppContext ctx = CliStartUp(english);
    const bool ja = ctx.japanese();
    request.sourceFolder = LocalPath::FromText(source);
    if (!CheckPhotoFolder(request.sourceFolder, ja))
        return kExitFailure;
    request.maxDumpBinCt = ctx.config.maxDumpBinCt;

    InterruptGuard interrupt;
    PhotoListHooks hooks;
    hooks.stopRequested = [&] { return interrupt.requested(); };
    // Every field escaped, so that a name (or a date read from a damaged photo) holding a tab or
    // a line break cannot split the line.
    hooks.rowAdded = [](const PhotoEntry& row, int, int) {
        Out(QString::number(row.number) + QLatin1Char('\t') + EscapedDisplayName(row.fileName) +
            QLatin1Char('\t') + EscapeLine(row.shootingDate) + QLatin1Char('\t') +
            row.folder.escapedDisplay() + QLatin1Char('\n'));
    };
    const PhotoListResult result = ListPhotoRows(request, hooks);
    for (const LocalPath& skipped : result.skipped)
        Err(NoticeText(SkippedPhotoNotice(skipped), ja));
    for (const text::Problem& problem : result.problems)
        Err(ProblemText(problem, ja));
    return result.stopped ? kExitInterrupted : kExitOk;
}

} // namespace quorvane::cli
