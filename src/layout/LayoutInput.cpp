#include "layout/LayoutInput.h"

#include "text/Numbers.h"
#include "text/TextDecode.h"

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

} // namespace

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

    for (int n = 1; n <= LayoutInput::kEditCount; ++n)
        input.setEdit(n, doc.value(kSection, "EDIT" + std::to_string(n),
                                   editDefault[static_cast<size_t>(n)]));

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
