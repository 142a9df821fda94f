#include "cli/CliSupport.h"

#include "catalogue/NoticeText.h"
#include "catalogue/Wording.h"
#include "files/LocalPath.h"
#include "text/Numbers.h"

#include <QCoreApplication>
#include <cstdio>

namespace quorvane::cli {

std::optional<QString> ArgReader::value(const QString& option) {
    if (atEnd()) {
        fail(QStringLiteral("%1 needs a value").arg(option));
        return std::nullopt;
    }
    return next();
}

bool ArgReader::endsOptions(const QString& arg) {
    if (optionsEnded_ || arg != QLatin1String("--"))
        return false;
    optionsEnded_ = true;
    return true;
}

bool ArgReader::isOperand(const QString& arg) const {
    return optionsEnded_ || !arg.startsWith(QLatin1Char('-')) || arg.size() == 1;
}

std::optional<int> ArgReader::intValue(const QString& option, int low, int high) {
    auto v = value(option);
    if (!v)
        return std::nullopt;
    auto n = text::ParseInt(v->toStdString());
    if (!n || *n < low || *n > high) {
        fail(QStringLiteral("%1 takes a whole number from %2 to %3, not \"%4\"")
                 .arg(option)
                 .arg(low)
                 .arg(high)
                 .arg(*v));
        return std::nullopt;
    }
    return n;
}

bool IsEnglishSwitch(const QString& arg) {
    const QString lower = arg.toLower();
    return lower == QLatin1String("-en") || lower == QLatin1String("--en");
}

bool CheckPhotoFolder(const LocalPath& folder, bool japanese) {
    if (IsLocalDir(folder))
        return true;
    Err(Pick(japanese, "読込みフォルダがありません: ", "The photo folder does not exist: ") +
        folder.display());
    return false;
}

AppContext CliStartUp(bool english) {
    QStringList args = QCoreApplication::arguments();
    if (english)
        args << QStringLiteral("-en");
    AppContext context = StartUp(args);
    SetMessagesJapanese(context.japanese());
    if (const auto notice = SettingsFolderNotice(context))
        Err(NoticeText(*notice, context.japanese()));
    return context;
}

int UsageError(const QString& problem, const char* usage) {
    Err(QStringLiteral("quorvane-cli: ") + problem);
    std::fputs(usage, stderr);
    return kExitUsage;
}

} // namespace quorvane::cli
