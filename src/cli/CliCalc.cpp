// quorvane-cli calc: the size calculation of a layout file's [INPUT] section, as the settings
// editor runs it after "編集".
#include "catalogue/ProblemText.h"
#include "catalogue/Wording.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "files/LocalPath.h"
#include "layout/LayoutCalc.h"
#include "layout/LayoutInput.h"
#include "text/IniDocument.h"

#include <climits>

namespace quorvane::cli {

namespace {

const char* const kUsage =
    "usage: quorvane-cli calc INPUT.ini [--canvas-max N] [--en]\n"
    "\n"
    "Reads the [INPUT] section of a layout file (the settings editor's fields, in millimetres)\n"
    "as the settings editor's \"Edit\" does and runs the size calculation: the layout text\n"
    "on stdout, or the calculation's messages on stderr.\n"
    "\n"
    "options:\n"
    "  --canvas-max N  the largest bitmap edge in pixels (default 32767)\n"
    "  -en, --en       English messages (default: the system's language)\n"
    "  --              end of options: what follows is INPUT.ini even when it begins with \"-\"\n"
    "\n"
    "In messages on stderr, control characters other than line breaks and tabs are escaped\n"
    "C-style (\\r, \\xHH).\n"
    "\n"
    "exit codes: 0 calculated, 1 the file cannot be read, the calculation refused it or the\n"
    "            layout text could not be written (a full disk), 2 bad arguments\n"
    "example: quorvane-cli calc ~/.config/Quorvane/initdata/CustomSize0001.ini > layout.ini\n";

} // namespace

int RunCalc(const QStringList& args) {
    ArgReader reader(args);
    bool english = false;
    std::optional<int> canvasMax;
    QString file;
    while (!reader.atEnd()) {
        const QString arg = reader.next();
        if (reader.endsOptions(arg)) {
            continue;
        } else if (reader.isOperand(arg)) {
            if (file.isEmpty())
                file = arg;
            else
                reader.fail(QStringLiteral("one input file only, not also %1").arg(arg));
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            Out(QString::fromUtf8(kUsage));
            return kExitOk;
        } else if (arg == QLatin1String("--canvas-max")) {
            canvasMax = reader.intValue(arg, 1, INT_MAX);
        } else if (IsEnglishSwitch(arg)) {
            english = true;
        } else {
            reader.fail(QStringLiteral("unknown option %1").arg(arg));
        }
    }
    if (reader.error().isEmpty() && file.isEmpty())
        reader.fail(QStringLiteral("the input file is missing"));
    if (!reader.error().isEmpty())
        return UsageError(reader.error(), kUsage);

    // Start-up as for every command (settings folder, first-run copy); the messages follow the
    // interface's language from then on.
    const bool japanese = CliStartUp(english).japanese();
    auto doc = text::IniDocument::Load(LocalPath::FromText(file).bytes().toStdString());
    if (!doc) {
        Err(Pick(japanese, "入力ファイルを読めません: ", "Cannot read the input file: ") +
            LocalPath::FromText(file).display());
        return kExitFailure;
    }

    const layout::LayoutInput input = layout::ReadLayoutInput(*doc);
    const layout::LayoutCalcResult result =
        layout::CalculateLayout(input, canvasMax.value_or(layout::kDefaultCanvasMax));
    if (!result.ok) {
        Err(ProblemsText(result.problems, japanese));
        return kExitFailure;
    }
    Out(QString::fromStdString(result.layoutText));
    return kExitOk;
}

} // namespace quorvane::cli
