#include "app/DropRule.h"

#include "app/PathRules.h"

#include <QFileInfo>

namespace quorvane {

DropDecision DecideDrop(const QString& droppedName) {
    DropDecision d;
    if (droppedName.contains(QLatin1Char(','))) {
        d.message =
            QStringLiteral("ドロップ処理\nフォルダ名にカンマが含まれています。中断しました。");
        return d;
    }
    const QFileInfo info(droppedName);
    d.sourceFolder = info.isDir() ? StripPath(droppedName) : info.path();
    return d;
}

} // namespace quorvane
