#include "exif/ReadPacer.h"

#include <utility>

namespace quorvane::exif {

namespace {
// Pending events are let run at most this often; the stop request is still tested every item.
constexpr std::chrono::milliseconds kYieldInterval{5};
} // namespace

ReadPacer::ReadPacer(std::function<void()> yield, std::function<bool()> stopRequested)
    : yield_(std::move(yield)), stopRequested_(std::move(stopRequested)) {}

bool ReadPacer::Step() {
    if (stopped_)
        return false;
    if (yield_) {
        auto now = std::chrono::steady_clock::now();
        if (!yieldedOnce_ || now - lastYield_ >= kYieldInterval) {
            yield_();
            yieldedOnce_ = true;
            lastYield_ = std::chrono::steady_clock::now();
        }
    }
    if (stopRequested_ && stopRequested_())
        stopped_ = true;
    return !stopped_;
}

} // namespace quorvane::exif
