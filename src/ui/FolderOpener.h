// Opening a folder in the desktop's file manager from a window: never blocks, and a desktop
// without a launcher costs one line of log for the whole run instead of a warning per press.
#pragma once

#include "files/LocalPath.h"

#include <QString>

namespace quorvane {

// Asks the desktop to open the folder, by its exact bytes (see LocalPath.h). Returns false when
// no launcher took it; the first failure is logged (category "quorvane.ui"), later ones are
// silent.
bool OpenFolderInFileManager(const LocalPath& folder);

// What the operator is told when no file manager opened the folder: where to find it, readably.
QString FolderNotOpenedMessage(const LocalPath& folder, bool japanese);

} // namespace quorvane
