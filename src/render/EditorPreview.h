// The settings editor's half-size preview of a calculated layout: the page with grey photo cells,
// their number labels, green outlines and sample texts, the title and the page number "1234".
#pragma once

#include "layout/LayoutInput.h"
#include "layout/RenderableLayout.h"
#include "layout/SheetLayout.h"

#include <QImage>
#include <QString>
#include <functional>

namespace quorvane {

// Page pixels per preview pixel.
inline constexpr int kEditorPreviewScale = 2;

// The sample texts the preview prints under each photo.
inline const QString kPreviewFileName = QStringLiteral("DSC_005675.JPG");
inline const QString kPreviewDate = QStringLiteral("2018/03/12");
// What "[$PAGE]" shows as in the preview.
inline const QString kPreviewPageNumber = QStringLiteral("1234");

// The text under each photo: the file name (CheckBox12), then with CheckBox13 the date, after a
// line break (CheckBox14) or a blank when the file name is there.
QString PreviewUnderPhotoText(const layout::LayoutInput& input);

// Asked before each cell with the cells drawn so far and all cells; true stops the drawing.
using PreviewStopCheck = std::function<bool(int drawn, int cells)>;

// Whether the layout's pages fit the memory bound of a run (layout::CheckMemory with
// layout::DefaultRenderMemoryLimit): kNone, or kMemory naming the value that makes them too
// large. No preview of a layout beyond it is drawn: neither could its sheets be made.
layout::LayoutProblem EditorPreviewMemory(const layout::SheetLayout& layout);

// Draws the preview of the layout that the calculation made from these controls: a bitmap of
// width / 2 by height / 2 in the background colour with a black border, and for each photo
// (rows outer, columns inner, numbered from 1) its cell in ffcccccc with the number label (font of
// the title, Edit24; none when that is empty), a green outline, the title inside the photo and
// the sample text under it; then the page title and the page number. Colours are the texts of the
// colour fields (an empty or unreadable one counts as 0). Null when the layout is beyond the
// memory bound (EditorPreviewMemory), when the bitmap cannot be made, or when `stop` said so.
QImage DrawEditorPreview(const layout::SheetLayout& layout, const layout::LayoutInput& input,
                         const PreviewStopCheck& stop = {});

} // namespace quorvane
