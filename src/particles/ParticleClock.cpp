// The particle clock: platform ticks as float seconds, so the stepped clock
// drives particles exactly like everything else.
#include "particles/Particles.h"
#include "platform/Platform.h"

namespace {
constexpr float kSecondsPerTick = 0.001f;  // tick count is in milliseconds
}

float tickSeconds()
{
    return static_cast<float>(tickCount()) * kSecondsPerTick;
}
