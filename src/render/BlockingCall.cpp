#include "render/BlockingCall.h"

#include <QMetaObject>
#include <QThread>

#include <condition_variable>
#include <memory>
#include <mutex>

namespace quorvane {

namespace {

// Every hand-over goes through one mutex, which the receiving thread takes before it reads
// anything the worker made (the posted call included): the call sees everything the worker
// wrote, and the worker everything the call wrote, ordered by a mutex that thread checkers see
// (Qt's own blocking call waits on a futex they cannot see). No lock is held while the call runs.
std::mutex& HandoverMutex() {
    static std::mutex mutex;
    return mutex;
}

std::condition_variable& HandoverDone() {
    static std::condition_variable done;
    return done;
}

struct Handover {
    const std::function<void()>* call;
    bool done = false;
};

// Ends the worker's wait once the posted call is gone: run, or dropped unrun with its receiver
// (as Qt's blocking call does), so the worker never waits for a call that cannot come.
class Release {
  public:
    explicit Release(Handover* handover) : handover_(handover) {}
    Release(const Release&) = delete;
    Release& operator=(const Release&) = delete;
    ~Release() {
        {
            const std::lock_guard lock(HandoverMutex());
            handover_->done = true;
        }
        HandoverDone().notify_all();
    }

  private:
    Handover* handover_;
};

} // namespace

void CallOnThreadOf(QObject* context, const std::function<void()>& call) {
    if (QThread::currentThread() == context->thread()) {
        call();
        return;
    }
    Handover handover{&call};
    std::unique_lock lock(HandoverMutex());
    QMetaObject::invokeMethod(
        context,
        [&handover, release = std::make_shared<Release>(&handover)] {
            const std::function<void()>* posted = nullptr;
            {
                const std::lock_guard held(HandoverMutex());
                posted = handover.call;
            }
            (*posted)();
        },
        Qt::QueuedConnection);
    HandoverDone().wait(lock, [&] { return handover.done; });
}

} // namespace quorvane
