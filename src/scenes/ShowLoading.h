// The loading sequence's steps and its loading screen, apart from loadShow so
// that each can be checked (and timed, by the benchmark) on its own.
#pragma once

// [SECTION] Steps ------------------------------------------------------------

enum class LoadStepKind { Texture, SharedParticles, Bitmap, SceneFile, Emitters };

// One step of loadShow and the loading screens drawn after it.
struct LoadStep {
    LoadStepKind kind;
    int which;    // texture slot, ShowBitmap, or scene number (1 to 8)
    int screens;  // loading-screen frames after the step
};

// Every step of loadShow, in its fixed order.
constexpr int kLoadStepCount = 28;
extern const LoadStep kLoadSteps[kLoadStepCount];

// [SECTION] Loading screen ---------------------------------------------------

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

// Called with the countdown of every loading-screen frame drawn (tests and
// the benchmark); null, the default, for none.
extern void (*loadingScreenObserver)(float countdown);
