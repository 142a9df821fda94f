#include "cli/Interrupt.h"

#include <atomic>
#include <csignal>

namespace quorvane::cli {

namespace {

// Lock-free, so that the handler may set it and decoding threads read it.
std::atomic<bool> g_interrupted{false};
static_assert(std::atomic<bool>::is_always_lock_free);

extern "C" void OnSignal(int) {
    g_interrupted.store(true);
}

struct sigaction g_oldInt;
struct sigaction g_oldTerm;

} // namespace

InterruptGuard::InterruptGuard() {
    g_interrupted.store(false);
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, &g_oldInt);
    sigaction(SIGTERM, &sa, &g_oldTerm);
}

InterruptGuard::~InterruptGuard() {
    sigaction(SIGINT, &g_oldInt, nullptr);
    sigaction(SIGTERM, &g_oldTerm, nullptr);
}

bool InterruptGuard::requested() const {
    return g_interrupted.load();
}

} // namespace quorvane::cli
