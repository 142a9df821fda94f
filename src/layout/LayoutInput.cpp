#include "layout/LayoutInput.h"

#include "text/Numbers.h"
#include "text/TextDecode.h"

#include <algorithm>
#include <utility>

namespace quorvane::layout {

namespace {

const std::string kEmpty;

size_t At(EditorField field) {
    return static_cast<size_t>(IndexOf(field));
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

const std::string& LayoutInput::text(EditorField field) const {
    return KindOf(field) == FieldKind::Text ? texts_[At(field)] : kEmpty;
}

void LayoutInput::setText(EditorField field, std::string text) {
    if (KindOf(field) == FieldKind::Text)
        texts_[At(field)] = std::move(text);
}

bool LayoutInput::isOn(EditorField field) const {
    return KindOf(field) != FieldKind::Text && on_[At(field)];
}

void LayoutInput::setOn(EditorField field, bool on) {
    const FieldKind kind = KindOf(field);
    if (kind == FieldKind::Text)
        return;
    if (kind == FieldKind::Radio && on) {
        const RadioGroup g = GroupOf(field);
        for (int n = g.first; n < g.first + g.count; ++n)
            on_[At(*FieldOf(FieldKind::Radio, n))] = false;
    }
    on_[At(field)] = on;
}

LayoutInput::RadioGroup LayoutInput::GroupOf(EditorField radio) {
    const int n = DesignNumber(radio);
    for (RadioGroup g : {kTitlePosition, kPagePosition, kFileNameAlign})
        if (n >= g.first && n < g.first + g.count)
            return g;
    return {n, 1};
}

int LayoutInput::checkedIndex(RadioGroup group, int none) const {
    for (int i = 0; i < group.count; ++i)
        if (radio(group.first + i))
            return i;
    return none;
}

int LayoutInput::maxLength(int n) {
    const auto field = FieldOf(FieldKind::Text, n);
    return field ? MaxLength(*field) : 0;
}

const std::string& LayoutInput::edit(int n) const {
    const auto field = FieldOf(FieldKind::Text, n);
    return field ? text(*field) : kEmpty;
}

void LayoutInput::setEdit(int n, std::string text) {
    if (const auto field = FieldOf(FieldKind::Text, n))
        setText(*field, std::move(text));
}

bool LayoutInput::check(int n) const {
    const auto field = FieldOf(FieldKind::Check, n);
    return field && isOn(*field);
}

void LayoutInput::setCheck(int n, bool checked) {
    if (const auto field = FieldOf(FieldKind::Check, n))
        setOn(*field, checked);
}

bool LayoutInput::radio(int n) const {
    const auto field = FieldOf(FieldKind::Radio, n);
    return field && isOn(*field);
}

void LayoutInput::setRadio(int n, bool checked) {
    if (const auto field = FieldOf(FieldKind::Radio, n))
        setOn(*field, checked);
}

std::string LayoutInput::value(EditorField field) const {
    if (KindOf(field) == FieldKind::Text)
        return text(field);
    return isOn(field) ? "1" : "0";
}

bool LayoutInput::setValue(EditorField field, std::string_view value) {
    if (KindOf(field) == FieldKind::Text) {
        setText(field, std::string(value));
        return true;
    }
    const auto n = text::ParseInt(value);
    if (!n)
        return false;
    setOn(field, *n != 0);
    return true;
}

std::optional<std::string> LayoutInput::value(std::string_view control) const {
    const auto field = FieldNamed(control);
    return field ? std::optional(value(*field)) : std::nullopt;
}

bool LayoutInput::setValue(std::string_view control, std::string_view value) {
    const auto field = FieldNamed(control);
    return field && setValue(*field, value);
}

LayoutInput ReadLayoutInput(const text::IniDocument& doc) {
    static constexpr std::string_view kSection = "INPUT";
    LayoutInput input;
    for (int i = 0; i < kEditorFieldCount; ++i) {
        const EditorField field = FieldAt(i);
        const std::string key = EchoKey(field);
        if (KindOf(field) == FieldKind::Text) {
            std::string text = doc.value(kSection, key, LoadDefault(field));
            if (const int limit = MaxLength(field); limit > 0)
                text = LeftUtf16(text, limit);
            input.setText(field, std::move(text));
        } else {
            // A box whose value is no integer keeps the default.
            const auto value = doc.value(kSection, key);
            if (!value || !input.setValue(field, *value))
                input.setValue(field, LoadDefault(field));
        }
    }
    return input;
}

} // namespace quorvane::layout
