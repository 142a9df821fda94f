#include "layout/LayoutWriter.h"

#include "layout/LayoutKeys.h"
#include "text/Numbers.h"

#include <string_view>
#include <variant>

namespace quorvane::layout {

namespace {

class LineWriter {
  public:
    explicit LineWriter(std::vector<std::string>& lines) : lines_(lines) {}

    void section(const char* name) { lines_.push_back(std::string("[") + name + "]"); }
    void text(std::string_view key, const std::string& value) {
        std::string line = std::string(key) + "=";
        for (char c : value)
            line += (c == '\n' || c == '\r') ? ' ' : c;
        lines_.push_back(std::move(line));
    }

  private:
    std::vector<std::string>& lines_;
};

std::string FlagText(bool on) {
    return on ? "1" : "0";
}

// A key's value as the file has it: the fixed text, the typed text, else the value held.
std::string WrittenValue(const LayoutKey& key, const LayoutFileContent& c) {
    if (key.fixedText)
        return key.fixedText;
    if (key.typedText && c.*key.typedText)
        return *(c.*key.typedText);
    return std::visit(Overloaded{
                          [&](std::string SheetLayout::*m) { return c.layout.*m; },
                          [&](int SheetLayout::*m) { return std::to_string(c.layout.*m); },
                          [&](bool SheetLayout::*m) { return FlagText(c.layout.*m); },
                          [&](float SheetLayout::*m) { return text::ShortestText(c.layout.*m); },
                          [&](bool LayoutFileContent::*m) { return FlagText(c.*m); },
                      },
                      key.member);
}

} // namespace

std::vector<std::string> LayoutTextLines(const LayoutFileContent& c) {
    std::vector<std::string> lines;
    LineWriter w(lines);
    for (const LayoutSection& section : LayoutSections()) {
        w.section(section.name);
        for (const LayoutKey& key : section.keys)
            w.text(key.name, WrittenValue(key, c));
    }
    w.section("INPUT");
    for (int i = 0; i < kEditorFieldCount; ++i)
        w.text(EchoKey(FieldAt(i)), c.input.value(FieldAt(i)));
    return lines;
}

std::string LayoutText(const LayoutFileContent& content) {
    std::string out;
    for (const auto& line : LayoutTextLines(content)) {
        out += line;
        out += '\n';
    }
    return out;
}

} // namespace quorvane::layout
