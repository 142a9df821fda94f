#include "layout/LayoutInput.h"

#include "text/Numbers.h"
#include "text/TextDecode.h"

#include <algorithm>
#include <utility>

namespace quorvane::layout {

namespace {

const std::string kEmpty;

// Splits "EDIT12" into kind and number; false when the name is no control of the echo.
bool ParseControlName(std::string_view control, std::string& kind, int& number) {
    std::string upper = text::AsciiUpper(control);
    for (const char* prefix : {"RADIOBUTTON", "CHECKBOX", "EDIT"}) {
        std::string_view p(prefix);
        if (upper.size() > p.size() && upper.compare(0, p.size(), p) == 0) {
            std::string_view digits = std::string_view(upper).substr(p.size());
            if (digits.front() < '1' || digits.front() > '9')
                return false;
            auto n = text::ParseInt(digits);
            if (!n)
                return false;
            kind = prefix;
            number = *n;
            int limit = kind == "EDIT"       ? LayoutInput::kEditCount
                        : kind == "CHECKBOX" ? LayoutInput::kCheckCount
                                             : LayoutInput::kRadioCount;
            return number >= 1 && number <= limit;
        }
    }
    return false;
}

LayoutInput::RadioGroup GroupOf(int n) {
    for (auto g :
         {LayoutInput::kTitlePosition, LayoutInput::kPagePosition, LayoutInput::kFileNameAlign})
        if (n >= g.first && n < g.first + g.count)
            return g;
    return {n, 1};
}

// The first `units` UTF-16 units of a UTF-8 text; a character that would not fit whole is left
// out.
std::string LeftUtf16(const std::string& utf8, int units) {
    size_t at = 0;
    int used = 0;
    while (at < utf8.size()) {
        const size_t length = std::max<size_t>(1, text::Utf8SequenceLength(utf8, at));
        const int width = length == 4 ? 2 : 1; // characters above U+FFFF take a surrogate pair
        if (used + width > units)
            break;
        used += width;
        at += length;
    }
    return utf8.substr(0, at);
}

} // namespace

int LayoutInput::maxLength(int n) {
    switch (n) {
    case 1:
        return 4;
    case 9:
    case 23:
    case 25:
    case 27:
    case 33:
        return 8;
    case 8:
        return 60;
    case 22:
        return 64;
    default:
        return 0;
    }
}

const std::string& LayoutInput::edit(int n) const {
    return n >= 1 && n <= kEditCount ? edits_[static_cast<size_t>(n - 1)] : kEmpty;
}

void LayoutInput::setEdit(int n, std::string text) {
    if (n >= 1 && n <= kEditCount)
        edits_[static_cast<size_t>(n - 1)] = std::move(text);
}

bool LayoutInput::check(int n) const {
    return n >= 1 && n <= kCheckCount && checks_[static_cast<size_t>(n - 1)];
}

void LayoutInput::setCheck(int n, bool checked) {
    if (n >= 1 && n <= kCheckCount)
        checks_[static_cast<size_t>(n - 1)] = checked;
}

bool LayoutInput::radio(int n) const {
    return n >= 1 && n <= kRadioCount && radios_[static_cast<size_t>(n - 1)];
}

void LayoutInput::setRadio(int n, bool checked) {
    if (n < 1 || n > kRadioCount)
        return;
    if (checked) {
        RadioGroup g = GroupOf(n);
        for (int i = g.first; i < g.first + g.count; ++i)
            radios_[static_cast<size_t>(i - 1)] = false;
    }
    radios_[static_cast<size_t>(n - 1)] = checked;
}

int LayoutInput::checkedIndex(RadioGroup group, int none) const {
    for (int i = 0; i < group.count; ++i)
        if (radio(group.first + i))
            return i;
    return none;
}

std::optional<std::string> LayoutInput::value(std::string_view control) const {
    std::string kind;
    int n = 0;
    if (!ParseControlName(control, kind, n))
        return std::nullopt;
    if (kind == "EDIT")
        return edit(n);
    bool on = kind == "CHECKBOX" ? check(n) : radio(n);
    return std::string(on ? "1" : "0");
}

bool LayoutInput::setValue(std::string_view control, std::string_view value) {
    std::string kind;
    int n = 0;
    if (!ParseControlName(control, kind, n))
        return false;
    if (kind == "EDIT") {
        setEdit(n, std::string(value));
        return true;
    }
    auto v = text::ParseInt(value);
    if (!v)
        return false;
    if (kind == "CHECKBOX")
        setCheck(n, *v != 0);
    else
        setRadio(n, *v != 0);
    return true;
}

LayoutInput ReadLayoutInput(const text::IniDocument& doc) {
    static constexpr std::string_view kSection = "INPUT";
    LayoutInput input;

    // Texts the editor puts into fields whose key is missing; every other field is left empty.
    static const std::pair<int, const char*> kEditDefaults[] = {
        {1, "300"},       {9, "ffffffff"},
        {13, "4"},        {15, "5"},
        {18, "5"},        {19, "4"},
        {20, "3"},        {21, "1"},
        {23, "ff000000"}, {24, "ＭＳ ゴシック"},
        {25, "ff000000"}, {26, "0.0"},
        {27, "ff000000"}, {28, "ページ[$PAGE]"},
        {29, "4"},        {30, "ＭＳ ゴシック"},
        {31, "0.0"},      {32, "1"},
    };
    std::array<std::string, LayoutInput::kEditCount + 1> editDefault;
    for (const auto& [n, text] : kEditDefaults)
        editDefault[static_cast<size_t>(n)] = text;

    for (int n = 1; n <= LayoutInput::kEditCount; ++n) {
        std::string text =
            doc.value(kSection, "EDIT" + std::to_string(n), editDefault[static_cast<size_t>(n)]);
        if (const int limit = LayoutInput::maxLength(n); limit > 0)
            text = LeftUtf16(text, limit);
        input.setEdit(n, std::move(text));
    }

    auto readBool = [&](const std::string& key, bool fallback) {
        auto v = doc.value(kSection, key);
        if (!v)
            return fallback;
        auto n = text::ParseInt(*v);
        return n ? *n != 0 : fallback;
    };
    for (int n = 1; n <= LayoutInput::kCheckCount; ++n)
        input.setCheck(n, readBool("CHECKBOX" + std::to_string(n), n <= 3));
    for (int n = 1; n <= LayoutInput::kRadioCount; ++n)
        input.setRadio(n, readBool("RADIOBUTTON" + std::to_string(n), n == 2 || n == 10));
    return input;
}

} // namespace quorvane::layout
