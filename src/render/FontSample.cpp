#include "render/FontSample.h"

#include "imaging/Canvas.h"
#include "imaging/Raster.h"

#include <QRectF>
#include <algorithm>

namespace quorvane {

QImage DrawFontSample(const QString& family, const QString& text, int width, int height) {
    QImage bitmap = CreateBitmap(width, height);
    if (bitmap.isNull())
        return bitmap;
    Canvas canvas(bitmap);
    canvas.SetFont(family, kFontSampleSize);
    const int textWidth = static_cast<int>(canvas.MeasureText(text).width());
    const QRectF area(0, 0, std::max(width, textWidth), height);
    canvas.FillRect(area, 0xffffffff);
    canvas.DrawText(area, text, 0xff000000, TextAlign::Centre);
    canvas.End();
    return bitmap;
}

} // namespace quorvane
