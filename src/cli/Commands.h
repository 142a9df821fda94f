// The subcommands of quorvane-cli; each takes its own arguments (without the subcommand name).
#pragma once

#include <QStringList>

namespace quorvane::cli {

int RunList(const QStringList& args);
int RunExif(const QStringList& args);
int RunSheets(const QStringList& args);
int RunCalc(const QStringList& args);

} // namespace quorvane::cli
