#include "files/LineEscape.h"

namespace quorvane {

namespace {

bool IsControl(char16_t c) {
    return c < 0x20 || c == 0x7F;
}

bool NeedsEscape(char16_t c) {
    return IsControl(c) || c == '\\';
}

// The escape of a control character or a backslash: 2 or 4 characters in `to`; its length.
int EscapeOf(char16_t c, char (&to)[4]) {
    static const char kHex[] = "0123456789abcdef";
    to[0] = '\\';
    switch (c) {
    case '\\':
        to[1] = '\\';
        return 2;
    case '\n':
        to[1] = 'n';
        return 2;
    case '\t':
        to[1] = 't';
        return 2;
    case '\r':
        to[1] = 'r';
        return 2;
    default:
        to[1] = 'x';
        to[2] = kHex[(c >> 4) & 0xF];
        to[3] = kHex[c & 0xF];
        return 4;
    }
}

char16_t Unit(QChar c) {
    return c.unicode();
}
char16_t Unit(char c) {
    return static_cast<unsigned char>(c); // bytes from 0x80 up are never controls
}

QString Copy(QStringView text) {
    return text.toString();
}
QByteArray Copy(QByteArrayView bytes) {
    return bytes.toByteArray();
}

void Append(QString& out, const char* escape, int length) {
    out += QLatin1String(escape, length);
}
void Append(QByteArray& out, const char* escape, int length) {
    out.append(escape, length);
}

// Copies the text with each character for which `escaped` holds replaced by its escape; the
// text unchanged when there is none.
template <typename View, typename Pred> auto Escaped(View text, Pred escaped) {
    qsizetype first = 0;
    while (first < text.size() && !escaped(Unit(text[first])))
        ++first;
    auto out = Copy(text.first(first));
    if (first == text.size())
        return out;
    out.reserve(text.size() + 16);
    for (qsizetype i = first; i < text.size(); ++i) {
        const char16_t c = Unit(text[i]);
        if (!escaped(c)) {
            out += text[i];
            continue;
        }
        char escape[4];
        Append(out, escape, EscapeOf(c, escape));
    }
    return out;
}

} // namespace

QString EscapeLine(QStringView text) {
    return Escaped(text, NeedsEscape);
}

QByteArray EscapeLine(QByteArrayView bytes) {
    return Escaped(bytes, NeedsEscape);
}

QString EscapeControls(QStringView text) {
    return Escaped(text, [](char16_t c) { return IsControl(c) && c != '\n' && c != '\t'; });
}

} // namespace quorvane
