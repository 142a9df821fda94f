#include "ui/InputFilter.h"

#include <QLineEdit>

namespace quorvane {

InputFilter::InputFilter(QString allowed, QObject* parent)
    : QValidator(parent), allowed_(std::move(allowed)) {}

QValidator::State InputFilter::validate(QString& input, int& pos) const {
    if (!bypass_) {
        // The new characters lie between what the old and the new text share at either end.
        qsizetype prefix = 0;
        while (prefix < last_.size() && prefix < input.size() && last_[prefix] == input[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < last_.size() - prefix && suffix < input.size() - prefix &&
               last_[last_.size() - 1 - suffix] == input[input.size() - 1 - suffix])
            ++suffix;
        QString kept = input.left(prefix);
        for (qsizetype i = prefix; i < input.size() - suffix; ++i) {
            if (allowed_.contains(input[i]))
                kept += input[i];
            else if (i < pos)
                --pos;
        }
        kept += input.right(suffix);
        input = kept;
    }
    last_ = input;
    return Acceptable;
}

void InputFilter::SetText(QLineEdit* field, const QString& text) {
    auto* filter = qobject_cast<InputFilter*>(const_cast<QValidator*>(field->validator()));
    if (filter)
        filter->bypass_ = true;
    field->setText(text);
    if (filter) {
        filter->bypass_ = false;
        filter->last_ = field->text();
    }
}

} // namespace quorvane
