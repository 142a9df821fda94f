// Turns Ctrl+C (SIGINT) and SIGTERM into a stop request that long loops test between items and
// photo decodes test while they read (from any thread).
#pragma once

namespace quorvane::cli {

class InterruptGuard {
  public:
    InterruptGuard();
    ~InterruptGuard();
    InterruptGuard(const InterruptGuard&) = delete;
    InterruptGuard& operator=(const InterruptGuard&) = delete;
    // Safe to call from any thread.
    bool requested() const;
};

} // namespace quorvane::cli
