#include "render/PhotoPrefetch.h"

#include "files/LocalPath.h"

#include <algorithm>
#include <sys/stat.h>

namespace quorvane {

FileStamp FileStamp::Of(const LocalPath& path) {
    // One stat, and times without any time-zone conversion.
    struct stat st {};
    if (::stat(path.bytes().constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return {};
    return FileStamp{true, st.st_size, st.st_mtim.tv_sec, st.st_mtim.tv_nsec};
}

PhotoPrefetch::PhotoPrefetch(const QList<LocalPath>& paths, const std::vector<int>& order,
                             Prepare prepare, int workers, int lookahead)
    : paths_(paths), prepare_(std::move(prepare)),
      lookahead_(static_cast<size_t>(std::max(1, lookahead))) {
    slots_.reserve(order.size());
    for (const int index : order) {
        slots_.emplace_back();
        slots_.back().index = index;
    }
    const int threads = std::clamp(workers, 0, static_cast<int>(slots_.size()));
    for (int i = 0; i < threads; ++i)
        threads_.emplace_back([this] { work(); });
}

PhotoPrefetch::~PhotoPrefetch() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
    }
    workAvailable_.notify_all();
    threads_.clear(); // joins
}

bool PhotoPrefetch::canStart() const {
    return next_ < slots_.size() && next_ < taken_ + lookahead_;
}

void PhotoPrefetch::work() {
    std::unique_lock lock(mutex_);
    for (;;) {
        workAvailable_.wait(lock, [this] { return closing_ || canStart(); });
        if (closing_)
            return;
        const size_t position = next_++;
        Slot& slot = slots_[position];
        slot.state = Slot::Working;
        const LocalPath path = paths_.value(slot.index);
        lock.unlock();
        // The stamp is taken before reading, so a file changed while it is read does not match.
        const FileStamp stamp = FileStamp::Of(path);
        PreparedPhoto photo;
        photo.failure = PreparedPhoto::Unreadable;
        if (stamp.isFile) {
            try {
                photo = prepare_(path);
            } catch (...) { // the renderer prepares it again and meets the failure itself
                photo = PreparedPhoto{};
                photo.failure = PreparedPhoto::OutOfMemory;
            }
        }
        lock.lock();
        if (position >= taken_) // not passed over by the renderer meanwhile
            slot.photo = std::move(photo);
        slot.stamp = stamp;
        slot.state = Slot::Done;
        photoDone_.notify_all();
    }
}

std::optional<PreparedPhoto> PhotoPrefetch::take(int index, const FileStamp& now) {
    std::unique_lock lock(mutex_);
    // Photos the run passed (skipped files) are dropped, and never started when still waiting.
    while (taken_ < slots_.size() && slots_[taken_].index < index)
        slots_[taken_++].photo = PreparedPhoto{};
    next_ = std::max(next_, taken_);
    if (taken_ >= slots_.size() || slots_[taken_].index != index)
        return std::nullopt;
    Slot& slot = slots_[taken_];
    if (slot.state == Slot::Waiting) {
        // No worker got to it yet: the renderer prepares it itself, the workers go on after it.
        ++taken_;
        next_ = std::max(next_, taken_);
        lock.unlock();
        workAvailable_.notify_all();
        return std::nullopt;
    }
    photoDone_.wait(lock, [&slot] { return slot.state == Slot::Done; });
    ++taken_;
    PreparedPhoto photo = std::move(slot.photo);
    slot.photo = PreparedPhoto{};
    const bool usable = photo.failure == PreparedPhoto::None && slot.stamp == now;
    lock.unlock();
    workAvailable_.notify_all();
    if (!usable)
        return std::nullopt;
    return photo;
}

} // namespace quorvane
