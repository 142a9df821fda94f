// Turns Ctrl+C (SIGINT) and SIGTERM into a stop request that long loops test between items.
#pragma once

namespace quorvane::cli {

class InterruptGuard {
  public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;
    bool requested() const;
};

} // namespace quorvane::cli
