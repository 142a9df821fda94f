// An INI file held as its lines, so that values can be read and changed without touching the
// other lines: sections and keys match case-insensitively, values are trimmed, the first key wins.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvane::text {

class IniDocument {
  public:
    IniDocument() = default;
    // Parses decoded text (UTF-8); any line ending is accepted.
    static IniDocument Parse(std::string_view utf8);
    // Reads and decodes a file (see DecodeTextFile); nullopt when it cannot be read.
    static std::optional<IniDocument> Load(const std::string& path);

    bool hasSection(std::string_view section) const;
    // The trimmed value of the first matching key in the first matching section.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;
    std::string value(std::string_view section, std::string_view key,
                      std::string_view fallback) const;
    // Whole-text integer (optional sign, decimal digits); the fallback when missing or not a
    // number.
    int intValue(std::string_view section, std::string_view key, int fallback) const;

    // Replaces the first matching key's value, or adds the key at the end of the section (the
    // section is appended when missing). Other lines stay as they were.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    // The document as text, one line per line, each ended by "\n".
    std::string text() const;
    // Writes text() atomically (see WriteFileAtomically).
    bool save(const std::string& path) const;

  private:
    // Index of the first line after the header of the first matching section, or npos.
    size_t sectionBody(std::string_view section) const;
    std::vector<std::string> lines_;
};

// Parses "[name]" headers; returns false for any other line.
bool ParseSectionHeader(std::string_view line, std::string& name);
// Parses "key=value" lines (key and value trimmed); returns false for comments and other lines.
bool ParseKeyValue(std::string_view line, std::string& key, std::string& value);

} // namespace quorvane::text
