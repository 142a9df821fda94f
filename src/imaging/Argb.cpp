#include "imaging/Argb.h"

#include "text/Numbers.h"

namespace quorvane {

std::optional<QRgb> ParseArgb(std::string_view text) {
    auto value = text::ParseHex32(text);
    if (!value)
        return std::nullopt;
    return static_cast<QRgb>(*value);
}

std::optional<QRgb> ParseArgb(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return ParseArgb(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

QRgb ParseArgbOr(const QString& text, QRgb fallback) {
    return ParseArgb(text).value_or(fallback);
}

QString ArgbText(QRgb colour) {
    return QStringLiteral("%1").arg(static_cast<uint>(colour), 8, 16, QLatin1Char('0'));
}

} // namespace quorvane
