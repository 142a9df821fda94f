// A call handed from a worker thread to the thread of a QObject (a window's), the worker waiting
// until it has run: how a job's reports reach the window that shows them.
#pragma once

#include <QObject>

#include <functional>

namespace quorvane {

// Runs `call` on the thread of `context` and returns once it has run; runs it directly when
// already on that thread. The call sees everything the worker wrote before, and the worker
// everything the call wrote. A call dropped unrun with its receiver still ends the wait.
void CallOnThreadOf(QObject* context, const std::function<void()>& call);

} // namespace quorvane
