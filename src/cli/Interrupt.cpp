#include "cli/Interrupt.h"

#include <csignal>

namespace quorvane::cli {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnSignal(int) {
    g_interrupted = 1;
}

struct sigaction g_oldInt;
struct sigaction g_oldTerm;

} // namespace

InterruptGuard::InterruptGuard() {
    g_interrupted = 0;
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
    return g_interrupted != 0;
}

} // namespace quorvane::cli
