// The message texts of the core's problems, Japanese and English: the one place where the windows
// and the batch command turn a text::Problem into what the operator reads.
#pragma once

#include "text/Problem.h"

#include <QString>

#include <vector>

namespace quorvane {

// The message of one problem, its arguments put in, and when the problem carries an errno the
// reason on a line of its own (ErrorReasonText). A missing argument reads as empty text.
QString ProblemText(const text::Problem& problem, bool japanese);

// Why the system refused a write, for the operator: the disk is full, writing is not permitted,
// the folder is gone, a folder is in the way; otherwise the system's own text. Empty for 0.
QString ErrorReasonText(int error, bool japanese);

// The messages of a stage, one a line, as the settings editor shows them: every message of the
// size calculation but the name's starts with a line break, so a list that does not begin with
// the name's message begins with an empty line.
QString ProblemsText(const std::vector<text::Problem>& problems, bool japanese);

} // namespace quorvane
