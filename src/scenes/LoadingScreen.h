// The loading screen's countdown and pose, apart from the loading sequence
// so that each value can be checked on its own.
#pragma once

// The countdown starts here and falls by one step before every frame, units.
constexpr float kCountdownStart = 20.0f;
constexpr float kCountdownStep = 0.5f;
// Loading-screen frames that loadShow draws in all.
constexpr int kLoadingFrames = 46;

// The countdown shown by the next frame: one step lower, never below 0.
float lowerCountdown(float countdown);

// Where the loading picture stands for a countdown.
struct LoadingPose {
    float translateZ;  // eye-space units, applied before the turn
    float angle;       // degrees about X, then the same about Y
};
LoadingPose loadingPose(float countdown);

// Depth of the picture quad in its own frame, eye-space units.
constexpr float kLoadingQuadZ = -2.0f;

// Called with the countdown of every loading-screen frame drawn (tests);
// null, the default, for none.
extern void (*loadingScreenObserver)(float countdown);
