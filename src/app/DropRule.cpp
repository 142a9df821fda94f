#include "app/DropRule.h"

#include "files/PathRules.h"

namespace quorvane {

DropDecision DecideDrop(const LocalPath& droppedName) {
    DropDecision d;
    if (droppedName.text().contains(QLatin1Char(','))) {
        d.refusal = text::Problem{text::ProblemCode::kDropNameHasComma, {}};
        return d;
    }
    // A folder is the source folder as dropped; only the remembered read path is tidied.
    d.sourceFolder = IsLocalDir(droppedName)
                         ? droppedName
                         : LocalPath::FromText(StripPath(droppedName.folderWithSlash().text()));
    return d;
}

QList<LocalPath> LocalNamesOfUriList(const QByteArray& uriList) {
    QList<LocalPath> names;
    for (const QByteArray& entry : uriList.split('\n')) {
        const QByteArray line = entry.trimmed();
        if (!line.toLower().startsWith("file:"))
            continue;
        QByteArray path = line.mid(5);
        if (path.startsWith("//")) {
            const qsizetype slash = path.indexOf('/', 2);
            const QByteArray host = path.mid(2, slash < 0 ? -1 : slash - 2).toLower();
            if (slash < 0 || !(host.isEmpty() || host == "localhost"))
                continue;
            path = path.mid(slash);
        }
        // A query or fragment is not part of the name ("?" and "#" in names are escaped).
        for (qsizetype i = 0; i < path.size(); ++i)
            if (path[i] == '?' || path[i] == '#') {
                path.truncate(i);
                break;
            }
        if (path.startsWith('/'))
            names << LocalPath::FromBytes(QByteArray::fromPercentEncoding(path));
    }
    return names;
}

} // namespace quorvane
