#include "ui/PhotoRowFeed.h"

#include <QMetaObject>

namespace quorvane {

PhotoRowFeed::PhotoRowFeed(QObject* context, std::function<void(const PhotoEntry&, int, int)> apply,
                           std::function<bool()> dropped)
    : context_(context), apply_(std::move(apply)), dropped_(std::move(dropped)) {}

void PhotoRowFeed::push(const PhotoEntry& row, int done, int found) {
    std::lock_guard lock(mutex_);
    items_.push_back(Item{row, done, found});
    if (!scheduled_) {
        scheduled_ = true;
        QMetaObject::invokeMethod(
            context_, [this] { takeOne(); }, Qt::QueuedConnection);
    }
}

void PhotoRowFeed::takeOne() {
    Item item;
    {
        std::lock_guard lock(mutex_);
        if (items_.empty()) {
            scheduled_ = false;
            taken_.notify_all();
            return;
        }
        item = std::move(items_.front());
        items_.pop_front();
    }
    if (dropped_()) {
        std::lock_guard lock(mutex_);
        items_.clear();
        scheduled_ = false;
        taken_.notify_all();
        return;
    }
    apply_(item.row, item.done, item.found);
    std::lock_guard lock(mutex_);
    if (items_.empty()) {
        scheduled_ = false;
        taken_.notify_all();
        return;
    }
    // The next row comes after whatever the row just shown brought about.
    QMetaObject::invokeMethod(
        context_, [this] { takeOne(); }, Qt::QueuedConnection);
}

void PhotoRowFeed::waitUntilTaken() {
    std::unique_lock lock(mutex_);
    taken_.wait(lock, [this] { return items_.empty() && !scheduled_; });
}

} // namespace quorvane
