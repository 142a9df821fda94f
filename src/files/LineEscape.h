// Names and other texts on one line of the batch command's output, escaped C-style: a backslash
// as "\\", a newline as "\n", a tab as "\t", a carriage return as "\r" and every other control
// character (0x00-0x1F, 0x7F) as "\xHH" (two lower-case hex digits, the form LocalPath::display()
// gives bytes that are not text). Everything else stays as it is, so a text without those
// characters comes out unchanged, and a line keeps its tabs and its end for the fields and lines of
// scripts.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace quorvane {

QString EscapeLine(QStringView text);
// The same on bytes; bytes from 0x80 up (UTF-8 sequences, bytes of other encodings) stay.
QByteArray EscapeLine(QByteArrayView bytes);

// For messages, which keep their texts, line breaks, tabs and backslashes: only the other
// control characters are escaped as above, so that no escape character in a name reaches a
// terminal and starts a control sequence there.
QString EscapeControls(QStringView text);

} // namespace quorvane
