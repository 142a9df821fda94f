// The paper a sheet is printed on: a standard size when the layout's page matches one within
// 1 mm each way (so the printer takes it from the tray that holds it), else a custom size of the
// page's own; upright or turned as the page is.
#pragma once

#include <QPageLayout>
#include <QPageSize>
#include <QSizeF>

namespace quorvane {

// The page's size in millimetres: pixels / dpi x 25.4.
QSizeF PageMillimetres(int widthPixels, int heightPixels, int dpi);

// The paper for a page of these pixels at dpi. Standard sizes are Qt's, defined upright; the
// closest within 1 mm on both sides wins, the first in Qt's order on a tie (A4 before "A4
// Small"). The orientation is landscape when the page is wider than high.
QPageLayout PaperFor(int widthPixels, int heightPixels, int dpi);

} // namespace quorvane
