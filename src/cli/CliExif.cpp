// quorvane-cli exif: the EXIF report of one photo, one item after another.
#include "catalogue/Wording.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "cli/Interrupt.h"
#include "exif/ExifReader.h"
#include "files/LocalPath.h"

#include <QFile>

namespace quorvane::cli {

namespace {

const char* const kUsage =
    "usage: quorvane-cli exif PHOTO [--ja] [--maker-notes] [--max-tag-line-col N]\n"
    "                         [--max-dump-bin-ct N] [--en]\n"
    "\n"
    "Prints the EXIF report of a photo (JPEG, HEIC/HEIF, AVIF, WebP or TIFF), item after\n"
    "item, as the sheets print it under a photo. When the report fails, a message on stderr\n"
    "and then the line \"result CODE\" (-1 no such file, -2 nothing read, -3 not a JPEG nor\n"
    "one of the other kinds, -4 no EXIF data, -5 no IFD0 entries, -6 too many IFD0 entries).\n"
    "\n"
    "options:\n"
    "  --ja                    Japanese tag names (default: English names)\n"
    "  --maker-notes           add the maker note block when the camera has one\n"
    "  --max-tag-line-col N    4-256 values per line of a dump (default from Quorvane.ini, 16)\n"
    "  --max-dump-bin-ct N     4-8192 value bytes shown per tag (default from Quorvane.ini, 32)\n"
    "  -en, --en               English messages (default: the system's language)\n"
    "  --                      end of options: what follows is PHOTO even when it begins\n"
    "                          with \"-\"\n"
    "\n"
    "In messages on stderr, control characters other than line breaks and tabs are escaped\n"
    "C-style (\\r, \\xHH).\n"
    "\n"
    "exit codes: 0 reported, 1 the report failed or could not be written (a full disk),\n"
    "            2 bad arguments, 130 interrupted\n"
    "example: quorvane-cli exif IMG_0001.JPG --ja --maker-notes\n";

// What a failed report's code means, for the operator.
QString FailureText(int code, bool ja) {
    switch (code) {
    case -1:
        return Pick(ja, "ファイルがありません: ", "The file does not exist: ");
    case -2:
        return Pick(ja,
                    "ファイルを読み込めませんでした: ", "Nothing could be read from the file: ");
    case -3:
        return Pick(ja, "JPEG ファイルではありません: ", "The file is not a JPEG photo: ");
    case -4:
        return Pick(ja, "EXIF 情報がありません: ", "The photo holds no EXIF data: ");
    case -5:
        return Pick(ja, "EXIF 情報に項目がありません: ", "The EXIF data holds no entries: ");
    default:
        return Pick(ja, "EXIF 情報が壊れています: ", "The EXIF data is damaged: ");
    }
}

} // namespace

int RunExif(const QStringList& args) {
    ArgReader reader(args);
    bool japaneseNames = false, makerNotes = false, english = false;
    std::optional<int> col, cap;
    QString photo;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (reader.endsOptions(arg)) {
            continue;
        } else if (reader.isOperand(arg)) {
            if (photo.isEmpty())
                photo = arg;
            else
                reader.fail(QStringLiteral("one photo only, not also %1").arg(arg));
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
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
        } else {
            reader.fail(QStringLiteral("unknown option %1").arg(arg));
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
    const int code =
        exif::ReadReport(LocalPath::FromText(photo).bytes().toStdString(), lines, options);
    for (const std::string& item : lines) {
        OutBytes(item);
        if (item.empty() || item.back() != '\n')
            OutBytes("\n");
    }
    if (code < 0) {
        Err(FailureText(code, ctx.japanese()) + LocalPath::FromText(photo).display());
        Err(QStringLiteral("result %1").arg(code));
        return kExitFailure;
    }
    return interrupt.requested() ? kExitInterrupted : kExitOk;
}

} // namespace quorvane::cli
