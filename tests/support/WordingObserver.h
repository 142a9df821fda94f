// A sheet run observer for tests that records what a window would show: the run's problems and
// notices worded by the catalogue in the interface's language and handed to message().
#pragma once

#include "catalogue/NoticeText.h"
#include "catalogue/ProblemText.h"
#include "render/SheetRun.h"

namespace quorvane::test {

struct WordingObserver : SheetRunObserver {
    bool japanese = true; // set as the run's settings are
    virtual void message(const QString& text) { (void)text; }
    void problem(const text::Problem& p) override { message(ProblemText(p, japanese)); }
    void notice(const text::Notice& n) override { message(NoticeText(n, japanese)); }
};

} // namespace quorvane::test
