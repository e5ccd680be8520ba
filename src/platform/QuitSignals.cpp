// SIGINT and SIGTERM (on Windows: Ctrl-C in the console that started the
// program) become a quit request, so the show ends through its normal
// teardown and the desktop mode comes back.
#include <csignal>
#ifndef _WIN32
#include <time.h>
#endif

#include "platform/PlatformWindow.h"

namespace {

volatile std::sig_atomic_t quitSignal = 0;

#ifdef _WIN32
void onQuitSignal(int) { quitSignal = 1; }

void catchSignal(int number) {
    // The C runtime resets the handler on delivery: a second Ctrl-C ends the
    // process as usual.
    std::signal(number, onQuitSignal);
}
#else
// A second signal ends the process as usual, but only once the first has
// had a second to work: `timeout` and shells signal the program and then its
// whole process group, so one request can arrive twice in a moment.
constexpr long long kForceQuitAfterMs = 1000;
// Written and read only by the handler, which blocks both signals while it runs.
long long firstSignalAtMs = 0;

long long monotonicMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

void onQuitSignal(int number) {
    const long long now = monotonicMs();
    if (quitSignal == 0) {
        firstSignalAtMs = now;
        quitSignal = 1;
    } else if (now - firstSignalAtMs >= kForceQuitAfterMs) {
        std::signal(number, SIG_DFL);
        std::raise(number);
    }
}

void catchSignal(int number) {
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaction(number, &action, nullptr);
}
#endif

}  // namespace

void installQuitSignals() {
    catchSignal(SIGINT);
    catchSignal(SIGTERM);
}

bool quitSignalReceived() { return quitSignal != 0; }
