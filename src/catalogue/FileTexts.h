// Texts that go into the files a run writes, in the interface's language: the column titles of
// the order sheet.
#pragma once

#include <QStringList>

namespace quorvane {

// The first row of "index.csv": number, page file, file name, shooting date, folder.
QStringList OrderSheetColumns(bool japanese);

} // namespace quorvane
