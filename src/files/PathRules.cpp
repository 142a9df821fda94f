#include "files/PathRules.h"

namespace quorvane {

QString StripPath(const QString& path) {
    if (path.size() < 2)
        return QStringLiteral("/");
    return path.endsWith(QLatin1Char('/')) ? path.left(path.size() - 1) : path;
}

QString EnsurePath(const QString& path) {
    if (path.size() < 2)
        return QStringLiteral("/");
    return path.endsWith(QLatin1Char('/')) ? path : path + QLatin1Char('/');
}

} // namespace quorvane
