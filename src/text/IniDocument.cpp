#include "text/IniDocument.h"

#include "text/FileIO.h"
#include "text/Numbers.h"
#include "text/TextDecode.h"

namespace quorvane::text {

namespace {

std::string_view TrimSpaces(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

} // namespace

bool ParseSectionHeader(std::string_view line, std::string& name) {
    std::string_view t = TrimSpaces(line);
    if (t.size() < 2 || t.front() != '[')
        return false;
    size_t close = t.find(']');
    if (close == std::string_view::npos)
        return false;
    name = std::string(TrimSpaces(t.substr(1, close - 1)));
    return true;
}

bool ParseKeyValue(std::string_view line, std::string& key, std::string& value) {
    std::string_view t = TrimSpaces(line);
    if (t.empty() || t.front() == ';' || t.front() == '#' || t.front() == '[')
        return false;
    size_t eq = t.find('=');
    if (eq == std::string_view::npos || eq == 0)
        return false;
    key = std::string(TrimSpaces(t.substr(0, eq)));
    value = std::string(TrimSpaces(t.substr(eq + 1)));
    return !key.empty();
}

IniDocument IniDocument::Parse(std::string_view utf8) {
    IniDocument doc;
    doc.lines_ = SplitLines(utf8);
    return doc;
}

std::optional<IniDocument> IniDocument::Load(const std::string& path) {
    auto bytes = ReadWholeFile(path);
    if (!bytes)
        return std::nullopt;
    return Parse(DecodeTextFile(*bytes));
}

size_t IniDocument::sectionBody(std::string_view section) const {
    std::string name;
    for (size_t i = 0; i < lines_.size(); ++i)
        if (ParseSectionHeader(lines_[i], name) && EqualsIgnoreAsciiCase(name, section))
            return i + 1;
    return std::string::npos;
}

bool IniDocument::hasSection(std::string_view section) const {
    return sectionBody(section) != std::string::npos;
}

std::optional<std::string> IniDocument::value(std::string_view section,
                                              std::string_view key) const {
    size_t i = sectionBody(section);
    if (i == std::string::npos)
        return std::nullopt;
    std::string k, v, name;
    for (; i < lines_.size(); ++i) {
        if (ParseSectionHeader(lines_[i], name))
            break;
        if (ParseKeyValue(lines_[i], k, v) && EqualsIgnoreAsciiCase(k, key))
            return v;
    }
    return std::nullopt;
}

std::string IniDocument::value(std::string_view section, std::string_view key,
                               std::string_view fallback) const {
    auto v = value(section, key);
    return v ? *v : std::string(fallback);
}

int IniDocument::intValue(std::string_view section, std::string_view key, int fallback) const {
    auto v = value(section, key);
    return v ? ParseIntOr(*v, fallback) : fallback;
}

void IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + std::string(value);
    size_t i = sectionBody(section);
    if (i == std::string::npos) {
        lines_.push_back("[" + std::string(section) + "]");
        lines_.push_back(line);
        return;
    }
    std::string k, v, name;
    size_t insertAt = i;
    for (; i < lines_.size(); ++i) {
        if (ParseSectionHeader(lines_[i], name))
            break;
        if (ParseKeyValue(lines_[i], k, v)) {
            if (EqualsIgnoreAsciiCase(k, key)) {
                lines_[i] = line;
                return;
            }
        }
        if (!TrimSpaces(lines_[i]).empty())
            insertAt = i + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
}

std::string IniDocument::text() const {
    std::string out;
    for (const auto& l : lines_) {
        out += l;
        out += '\n';
    }
    return out;
}

bool IniDocument::save(const std::string& path) const {
    return WriteFileAtomically(path, text());
}

} // namespace quorvane::text
