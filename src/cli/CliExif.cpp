// quorvane-cli exif: the EXIF report of one photo, one item after another.
#include "app/LocalPath.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "exif/ExifReader.h"

#include <QFile>

namespace quorvane::cli {

namespace {

const char* const kUsage =
    "usage: quorvane-cli exif PHOTO [--ja] [--maker-notes] [--max-tag-line-col N]\n"
    "                         [--max-dump-bin-ct N] [--en]\n"
    "  prints the EXIF report items in order; N: 4-256 values per dump line,\n"
    "  4-8192 value bytes per tag (defaults from Quorvane.ini)\n";

} // namespace

int RunExif(const QStringList& args) {
    ArgReader reader(args);
    bool japaneseNames = false, makerNotes = false, english = false;
    std::optional<int> col, cap;
    QString photo;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            Out(QString::fromUtf8(kUsage));
            return kExitOk;
        } else if (arg == QLatin1String("--ja")) {
            japaneseNames = true;
        } else if (arg == QLatin1String("--maker-notes")) {
            makerNotes = true;
        } else if (arg == QLatin1String("--max-tag-line-col")) {
            col = reader.intValue(arg, 4, 256);
        } else if (arg == QLatin1String("--max-dump-bin-ct")) {
            cap = reader.intValue(arg, 4, 8192);
        } else if (IsEnglishSwitch(arg)) {
            english = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            reader.fail(QStringLiteral("unknown option %1").arg(arg));
        } else if (photo.isEmpty()) {
            photo = arg;
        } else {
            reader.fail(QStringLiteral("one photo only, not also %1").arg(arg));
        }
    }
    if (reader.error().isEmpty() && photo.isEmpty())
        reader.fail(QStringLiteral("the photo is missing"));
    if (!reader.error().isEmpty())
        return UsageError(reader.error(), kUsage);

    const AppContext ctx = CliStartUp(english);
    InterruptGuard interrupt;
    exif::ExifOptions options;
    options.maxTagLineCol = col.value_or(ctx.config.maxTagLineCol);
    options.maxDumpBinCt = cap.value_or(ctx.config.maxDumpBinCt);
    options.japaneseNames = japaneseNames;
    options.makerNotes = makerNotes;
    options.settingsFolder = QFile::encodeName(ctx.settingsFolder).toStdString();
    options.stopRequested = [&] { return interrupt.requested(); };

    std::vector<std::string> lines;
    const int code = exif::ReadReport(EncodeLocalPath(photo).toStdString(), lines, options);
    for (const std::string& item : lines) {
        std::fwrite(item.data(), 1, item.size(), stdout);
        if (item.empty() || item.back() != '\n')
            std::fputc('\n', stdout);
    }
    if (code < 0) {
        Err(QStringLiteral("result %1").arg(code));
        return kExitFailure;
    }
    return interrupt.requested() ? kExitInterrupted : kExitOk;
}

} // namespace quorvane::cli
