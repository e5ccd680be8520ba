// SIGINT and SIGTERM (on Windows: Ctrl-C in the console that started the
// program) become a quit request, so the show ends through its normal
// teardown and the desktop mode comes back.
#include <csignal>

#include "platform/PlatformWindow.h"

namespace {

volatile std::sig_atomic_t quitSignal = 0;

void onQuitSignal(int) { quitSignal = 1; }

void catchSignal(int number) {
#ifdef _WIN32
    // The C runtime resets the handler on delivery: a second Ctrl-C ends the
    // process as usual.
    std::signal(number, onQuitSignal);
#else
    struct sigaction action {};
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    // A second signal of the same kind ends the process as usual.
    action.sa_flags = SA_RESETHAND;
    sigaction(number, &action, nullptr);
#endif
}

}  // namespace

void installQuitSignals() {
    catchSignal(SIGINT);
    catchSignal(SIGTERM);
}

bool quitSignalReceived() { return quitSignal != 0; }
