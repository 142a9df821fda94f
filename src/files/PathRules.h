// The path tidy rule shared by every folder box and built path.
#pragma once

#include <QString>

namespace quorvane {

// Removes one trailing "/" from a path of 2 or more characters; a shorter path becomes "/".
QString StripPath(const QString& path);
// Appends "/" to a path of 2 or more characters that does not end in one; a shorter path becomes
// "/".
QString EnsurePath(const QString& path);

} // namespace quorvane
