// Long work (a listing, a sheet run) on a worker thread while the calling thread, a window's,
// keeps handling its events: repaints, the stop button, the reports the work sends it.
#pragma once

#include <functional>

namespace quorvane {

// Runs the work on a new thread and returns once it has ended. Meanwhile the calling thread
// handles its events, so the work may report to it with calls it waits for (CallOnThreadOf).
// Leaving the application's event loops (quitting) does not end the wait: the work is always
// waited for.
void RunOffThread(const std::function<void()>& work);

} // namespace quorvane
