#include "cli/Output.h"

#include "catalogue/ProblemText.h"
#include "catalogue/Wording.h"
#include "cli/CliSupport.h"
#include "files/LineEscape.h"
#include "files/LocalPath.h"

#include <cerrno>
#include <cstdio>

namespace quorvane::cli {

namespace {

int g_stdoutError = 0;   // errno of the first failed write to stdout
bool g_japanese = false; // the language of FinishStdout's message

void Remember(int error) {
    if (g_stdoutError == 0)
        g_stdoutError = error != 0 ? error : EIO;
}

} // namespace

void OutBytes(QByteArrayView bytes) {
    const auto size = static_cast<size_t>(bytes.size());
    if (size > 0 && std::fwrite(bytes.data(), 1, size, stdout) != size)
        Remember(errno);
}

void Out(const QString& text) {
    OutBytes(text.toUtf8());
}

void OutPathLine(const LocalPath& path) {
    OutBytes(EscapeLine(path.bytes()) + '\n');
}

void FlushOut() {
    if (std::fflush(stdout) != 0)
        Remember(errno);
}

void Err(const QString& text) {
    const QByteArray bytes = EscapeControls(text).toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

void SetMessagesJapanese(bool japanese) {
    g_japanese = japanese;
}

int FinishStdout(int code) {
    FlushOut();
    if (std::ferror(stdout))
        Remember(EIO);
    if (g_stdoutError == 0)
        return code;
    Err(Pick(g_japanese, "標準出力に書き込めませんでした。\n",
             "Could not write the standard output.\n") +
        ErrorReasonText(g_stdoutError, g_japanese));
    return code == kExitInterrupted ? code : kExitFailure;
}

} // namespace quorvane::cli
