// quorvane-cli: the batch command, a thin front end of the same core as the windows.
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "files/LineEscape.h"
#include "files/LocalPath.h"
#include "imaging/CancellableDevice.h"
#include "imaging/Fonts.h"
#include "language/Language.h"

#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {

const char* const kUsage =
    "usage: quorvane-cli COMMAND [ARGS...]\n"
    "\n"
    "Makes index sheets (contact sheets) of a folder of photos without windows.\n"
    "\n"
    "commands:\n"
    "  list    the photo list of a folder, with shooting dates\n"
    "  exif    the EXIF report of a photo\n"
    "  calc    the size calculation of a layout's [INPUT] section\n"
    "  sheets  make the index sheets of a folder\n"
    "\n"
    "Every command takes --help, -en/--en for English texts, and -- to end its options (a\n"
    "file or folder named after it may begin with \"-\"). Names on output lines are escaped\n"
    "C-style (\\\\, \\n, \\t, \\r, \\xHH), so that each stays on its line; see each --help.\n"
    "exit codes: 0 done, 1 failed (also when stdout could not be written), 2 bad arguments,\n"
    "            130 interrupted\n"
    "example: quorvane-cli sheets --help\n";

struct Command {
    const char* name;
    int (*run)(const QStringList&);
    bool needsGui; // drawing text and pages needs a GUI application (offscreen)
};

const Command kCommands[] = {
    {"list", quorvane::cli::RunList, false},
    {"exif", quorvane::cli::RunExif, false},
    {"sheets", quorvane::cli::RunSheets, true},
    {"calc", quorvane::cli::RunCalc, false},
};

// The command reports through its own messages; Qt's warnings (fonts, runtime folders of the
// offscreen platform) would only mix noise into stderr, which scripts read.
void QuietQtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", quorvane::EscapeControls(text).toLocal8Bit().constData());
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(QuietQtMessages);
    quorvane::QuietCancelledDecodes();
    using namespace quorvane::cli;
    // Arguments keep bytes that are not UTF-8, so a photo or folder named in CP932 is found.
    QStringList raw;
    for (int i = 1; i < argc; ++i)
        raw << quorvane::DecodeName(QByteArray(argv[i]));
    if (raw.isEmpty()) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    // The language of a message about stdout until the command's start-up fixes it.
    bool japanese = quorvane::IsJapanese(quorvane::SystemLanguage());
    for (const QString& arg : raw) {
        if (arg == QLatin1String("--"))
            break;
        if (IsEnglishSwitch(arg))
            japanese = false;
    }
    SetMessagesJapanese(japanese);
    if (raw.first() == QLatin1String("--help") || raw.first() == QLatin1String("-h")) {
        OutBytes(kUsage);
        return FinishStdout(kExitOk);
    }
    const Command* command = nullptr;
    for (const Command& c : kCommands)
        if (raw.first() == QLatin1String(c.name))
            command = &c;
    if (!command)
        return UsageError(QStringLiteral("unknown command \"%1\"").arg(raw.first()), kUsage);

    // Only the program name goes to Qt, so no argument of ours is taken as a Qt option.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (command->needsGui) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
        quorvane::RegisterFontSubstitutions();
    } else {
        app = std::make_unique<QCoreApplication>(qtArgc, qtArgv);
    }
    // Whatever the command wrote, the exit status says whether it reached stdout.
    return FinishStdout(command->run(raw.mid(1)));
}
