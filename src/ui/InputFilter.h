// A field's input filter: characters outside the allowed set are dropped as they are typed or
// pasted; text the program puts into the field is taken as it is.
#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

namespace quorvane {

class InputFilter : public QValidator {
    Q_OBJECT
  public:
    InputFilter(QString allowed, QObject* parent);

    // Only the part of the text that differs from the field's last text is filtered, so that
    // characters already there (a layout file may hold any) stay when others are typed.
    State validate(QString& input, int& pos) const override;

    // Sets the field's text unfiltered (the field's length limit still applies).
    static void SetText(QLineEdit* field, const QString& text);

  private:
    QString allowed_;
    mutable QString last_;
    bool bypass_ = false;
};

} // namespace quorvane
