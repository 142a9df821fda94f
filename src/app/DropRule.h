// What a name dropped onto the main window's drop target means: the source folder, or a refusal.
#pragma once

#include "files/LocalPath.h"
#include "text/Problem.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace quorvane {

struct DropDecision {
    LocalPath sourceFolder;               // empty when refused
    std::optional<text::Problem> refusal; // why, for the operator, when refused
};

// A folder is taken as it is; a file gives its folder (no trailing "/"). Names with "," are
// refused.
DropDecision DecideDrop(const LocalPath& droppedName);

// The local names of a "text/uri-list" drag in their order, in their exact bytes (see
// LocalPath.h): each "file:" address whose host is empty or "localhost", percent-decoded. Other
// addresses and comment lines are left out. (QUrl decodes the bytes as UTF-8 and loses names
// that are not.)
QList<LocalPath> LocalNamesOfUriList(const QByteArray& uriList);

} // namespace quorvane
