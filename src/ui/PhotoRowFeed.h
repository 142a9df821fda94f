// Rows of the photo list found on the listing's worker thread, handed to the main window one per
// event: a press that comes between two rows (the stop button) is taken before the next row, as
// when the listing ran on the window's thread.
#pragma once

#include "files/PhotoList.h"

#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace quorvane {

class PhotoRowFeed {
  public:
    // `apply` is called on the thread of `context` with each row in order (done and found as the
    // listing counts them), unless `dropped` says to throw the rows away (a stop).
    PhotoRowFeed(QObject* context, std::function<void(const PhotoEntry&, int, int)> apply,
                 std::function<bool()> dropped);

    // From the worker: queues a row for the window.
    void push(const PhotoEntry& row, int done, int found);
    // From the worker: waits until the window has taken (or dropped) every row.
    void waitUntilTaken();

  private:
    struct Item {
        PhotoEntry row;
        int done = 0;
        int found = 0;
    };
    // On the window's thread: takes one row and asks for another event when more wait.
    void takeOne();

    QObject* context_;
    std::function<void(const PhotoEntry&, int, int)> apply_;
    std::function<bool()> dropped_;
    std::mutex mutex_;
    std::condition_variable taken_;
    std::deque<Item> items_;
    bool scheduled_ = false;
};

} // namespace quorvane
