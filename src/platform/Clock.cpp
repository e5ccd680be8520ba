// The tick clock: real milliseconds since program start, or a stepped clock
// that moves only when a frame is presented.
#include <chrono>
#include <cmath>

#include "platform/Platform.h"

namespace {

using WallClock = std::chrono::steady_clock;

// Program start, taken during static initialisation.
const WallClock::time_point programStart = WallClock::now();

// Stepped clock state (lifetime: program). The time is base + frames x step,
// so fractional steps never accumulate rounding error.
struct SteppedClock {
    bool active = false;
    double baseMs = 0.0;
    double msPerFrame = 0.0;
    uint64_t frames = 0;
};
SteppedClock stepped;
// Added to the real clock once a stepped stretch has moved the time on
// (continueRealClock), so the clock never goes back.
double realOffsetMs = 0.0;

double realMs() {
    return std::chrono::duration<double, std::milli>(WallClock::now() - programStart).count() + realOffsetMs;
}

double steppedMs() { return stepped.baseMs + static_cast<double>(stepped.frames) * stepped.msPerFrame; }

}  // namespace

uint32_t tickCount() {
    const double ms = stepped.active ? steppedMs() : realMs();
    return static_cast<uint32_t>(static_cast<uint64_t>(std::floor(ms)));
}

void useSteppedClock(double msPerFrame) { stepped = SteppedClock{true, 0.0, msPerFrame, 0}; }

void useRealClock() { stepped.active = false; }

bool clockIsStepped() { return stepped.active; }

void continueSteppedClock(double msPerFrame) {
    stepped = SteppedClock{true, stepped.active ? steppedMs() : realMs(), msPerFrame, 0};
}

void continueRealClock() {
    if (!stepped.active) return;
    const double now = steppedMs();
    stepped.active = false;
    realOffsetMs += now - realMs();
}

double steppedTime() { return steppedMs(); }

void setSteppedTime(double ms) {
    stepped.baseMs = ms;
    stepped.frames = 0;
}

void advanceSteppedClock() {
    if (stepped.active) ++stepped.frames;
}

double wallClockSeconds() { return std::chrono::duration<double>(WallClock::now() - programStart).count(); }

float tickSeconds() {
    constexpr float kSecondsPerTick = 0.001f;  // the tick count is in milliseconds
    return static_cast<float>(tickCount()) * kSecondsPerTick;
}
