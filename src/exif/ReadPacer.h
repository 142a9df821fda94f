// Keeps a long EXIF read responsive and stoppable: runs the caller's yield hook between items
// (at most every few milliseconds) and tells whether the caller asked to stop.
#pragma once

#include <chrono>
#include <functional>

namespace quorvane::exif {

class ReadPacer {
  public:
    ReadPacer() = default;
    ReadPacer(std::function<void()> yield, std::function<bool()> stopRequested);

    // Called before each item (entry, value byte): lets pending events run, then returns false
    // when the read must end. Once a stop was seen, every later call returns false at once.
    bool Step();
    bool stopped() const { return stopped_; }

  private:
    std::function<void()> yield_;
    std::function<bool()> stopRequested_;
    std::chrono::steady_clock::time_point lastYield_{};
    bool yieldedOnce_ = false;
    bool stopped_ = false;
};

} // namespace quorvane::exif
