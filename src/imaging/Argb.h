// Colour texts of the layouts and the settings editor: eight hexadecimal digits AARRGGBB.
#pragma once

#include <QRgb>
#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorvane {

// "ff000000" → 0xff000000: the text read as a hexadecimal number of at most 32 bits (upper or
// lower case, no prefix, no sign). nullopt when it does not convert (empty, not hexadecimal, too
// long).
std::optional<QRgb> ParseArgb(std::string_view text);
std::optional<QRgb> ParseArgb(const QString& text);

// As ParseArgb, with the fallback colour for a text that does not convert.
QRgb ParseArgbOr(const QString& text, QRgb fallback);

// The text read as a hexadecimal number of up to 64 bits (no prefix, no sign, any case), of which
// the low 32 bits are the colour: "ff" is 000000ff. nullopt when it does not convert (empty, not
// hexadecimal, more than 64 bits).
std::optional<QRgb> ParseArgbLow32(const QString& text);

// Eight lower-case hexadecimal digits AARRGGBB ("ff000000" for opaque black).
QString ArgbText(QRgb colour);

} // namespace quorvane
