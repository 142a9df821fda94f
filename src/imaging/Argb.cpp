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

std::optional<QRgb> ParseArgbLow32(const QString& text) {
    // Digits only: toULongLong alone would also take a "0x" prefix, blanks and a sign.
    if (text.isEmpty())
        return std::nullopt;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')))
            return std::nullopt;
    }
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok, 16);
    if (!ok)
        return std::nullopt;
    return static_cast<QRgb>(value & 0xffffffffu);
}

QString ArgbText(QRgb colour) {
    return QStringLiteral("%1").arg(static_cast<uint>(colour), 8, 16, QLatin1Char('0'));
}

} // namespace quorvane
