// The message texts of the core's problems, Japanese and English: the one place where the windows
// and the batch command turn a text::Problem into what the operator reads.
#pragma once

#include "text/Problem.h"

#include <QString>

#include <vector>

namespace quorvane {

// The message of one problem, its arguments put in. A missing argument reads as empty text.
QString ProblemText(const text::Problem& problem, bool japanese);

// The messages of a stage, one a line, as the settings editor shows them: every message of the
// size calculation but the name's starts with a line break, so a list that does not begin with
// the name's message begins with an empty line.
QString ProblemsText(const std::vector<text::Problem>& problems, bool japanese);

} // namespace quorvane
