// What a name dropped onto the main window's drop target means: the source folder, or a refusal.
#pragma once

#include <QString>

namespace quorvane {

struct DropDecision {
    QString sourceFolder; // empty when refused
    QString message;      // shown to the operator when refused
};

// A folder is taken as it is; a file gives its folder (no trailing "/"). Names with "," are
// refused.
DropDecision DecideDrop(const QString& droppedName);

} // namespace quorvane
