// Shared pieces of the batch command: argument reading, start-up.
#pragma once

#include "app/AppContext.h"
#include "cli/Output.h"
#include "files/LocalPath.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane::cli {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;
constexpr int kExitInterrupted = 130;

// Reads options one by one; reports the first problem once. A "--" ends the options: every
// argument after it is an operand, however it begins (a file named "-rf.jpg").
class ArgReader {
  public:
    explicit ArgReader(QStringList args) : args_(std::move(args)) {}
    bool atEnd() const { return index_ >= args_.size(); }
    QString next() { return args_.at(index_++); }
    // True for the first "--" read by next(), which the caller then passes over.
    bool endsOptions(const QString& arg);
    // Whether an argument read by next() is an operand: it comes after "--", or it does not
    // begin with "-" (or is "-" alone).
    bool isOperand(const QString& arg) const;
    // The value that follows an option; sets the error when there is none.
    std::optional<QString> value(const QString& option);
    // An integer value within [low, high]; sets the error otherwise.
    std::optional<int> intValue(const QString& option, int low, int high);
    void fail(const QString& message) {
        if (error_.isEmpty())
            error_ = message;
    }
    const QString& error() const { return error_; }

  private:
    QStringList args_;
    int index_ = 0;
    bool optionsEnded_ = false;
    QString error_;
};

// True for "-en" and "--en" (any case).
bool IsEnglishSwitch(const QString& arg);

// Whether the photo folder exists; when not, says so on stderr in the interface's language.
bool CheckPhotoFolder(const LocalPath& folder, bool japanese);

// Start-up as the GUI does it, with the English switch applied when `english` is set; the
// messages follow its language from then on.
AppContext CliStartUp(bool english);

// Prints what is wrong and the usage to stderr; returns kExitUsage.
int UsageError(const QString& problem, const char* usage);

} // namespace quorvane::cli
