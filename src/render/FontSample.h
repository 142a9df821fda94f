// The font chooser's sample: a line of text in a family at a fixed size, on white.
#pragma once

#include <QImage>
#include <QString>

namespace quorvane {

// The sample text and its size in pixels.
inline const QString kFontSampleText = QStringLiteral("あいうえお写真展示");
inline constexpr int kFontSampleSize = 30;

// A width x height bitmap, white, with the text in opaque black at kFontSampleSize pixels in the
// family, on one line, centred in a rectangle as high as the bitmap and as wide as the bitmap or
// the text, whichever is wider: a text wider than the bitmap starts at its left edge and is cut
// off at its right. Null when the bitmap cannot be made.
QImage DrawFontSample(const QString& family, const QString& text, int width, int height);

} // namespace quorvane
