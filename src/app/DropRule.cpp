#include "app/DropRule.h"

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
    // A folder is the source folder as dropped; only the remembered read path is tidied.
    d.sourceFolder = info.isDir() ? droppedName : info.path();
    return d;
}

} // namespace quorvane
