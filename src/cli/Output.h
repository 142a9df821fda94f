// What the batch command writes. Stdout carries what scripts read: a write that fails there (a
// full disk) is remembered and said at the end by FinishStdout, so the command never ends in
// success with its output lost. Stderr carries the messages, kept off the terminal's controls.
#pragma once

#include "files/LocalPath.h"

#include <QByteArrayView>
#include <QString>

namespace quorvane::cli {

void Out(const QString& text);       // stdout, UTF-8, as it is
void OutBytes(QByteArrayView bytes); // stdout, as they are
// A path on a line of stdout in its exact bytes (see LocalPath.h), so scripts can open it, with
// backslashes and control characters escaped (see LineEscape.h), so it stays one line.
void OutPathLine(const LocalPath& path);
// Writes what stdout holds so far; a failure is remembered as any other.
void FlushOut();

// stderr, UTF-8, followed by a line break; control characters other than line breaks and tabs
// are escaped (see EscapeControls).
void Err(const QString& text);

// The language of the message FinishStdout gives (English until set).
void SetMessagesJapanese(bool japanese);

// Flushes stdout. When any write to it failed, says so with the reason on stderr and returns
// 1 (130 stays 130: the interruption is what ended the run); otherwise returns `code`.
int FinishStdout(int code);

} // namespace quorvane::cli
