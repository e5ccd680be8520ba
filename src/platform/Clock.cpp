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

double steppedMs() { return stepped.baseMs + static_cast<double>(stepped.frames) * stepped.msPerFrame; }

}  // namespace

uint32_t tickCount() {
    if (stepped.active) return static_cast<uint32_t>(static_cast<uint64_t>(std::floor(steppedMs())));
    auto since = std::chrono::duration_cast<std::chrono::milliseconds>(WallClock::now() - programStart);
    return static_cast<uint32_t>(since.count());
}

void useSteppedClock(double msPerFrame) { stepped = SteppedClock{true, 0.0, msPerFrame, 0}; }

void useRealClock() { stepped.active = false; }

bool clockIsStepped() { return stepped.active; }

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
