#include "app/OffThread.h"

#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <memory>

namespace quorvane {

void RunOffThread(const std::function<void()>& work) {
    std::atomic<bool> ended = false;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        work();
        ended = true;
        // Wakes the waiting thread, which may be asleep in its event dispatcher.
        QCoreApplication::postEvent(QCoreApplication::instance(), new QEvent(QEvent::None));
    }));
    thread->start();
    // Not a QEventLoop: quitting the application ends every event loop of the thread, and this
    // wait must go on handling the work's calls until the work has ended.
    while (!ended)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    thread->wait();
}

} // namespace quorvane
