// Per-scene frame counts and times for --timings and the whole-show tests.
// The run sequence brackets each scene; SceneClock::running reports every
// test of the loop. Lifetime: program.
#pragma once

#include "scenes/ShowPlan.h"

struct SceneTiming {
    int scene = 0;              // 1 to 8; 0 when never played
    float duration = 0.0f;      // seconds
    long frames = 0;            // frames drawn by the loop
    float firstElapsed = 0.0f;  // elapsed time of the first and last frames, seconds
    float lastElapsed = 0.0f;
    double wallSeconds = 0.0;  // real time the scene took
};

void beginSceneTimings(int scene, float duration);
// One test of a scene loop: elapsed time of the frame just drawn (0 before
// the first), and whether another frame follows.
void noteSceneTest(float elapsed, bool anotherFrame);
// Closes the scene's record, printing it on standard output when asked.
void endSceneTimings();
void setTimingsPrinted(bool printed);
// The scene being played, 1 to 8; 0 outside the run sequence.
int timedSceneNow();
// The record of scene 1 to 8 (scene 0 when it was not played).
const SceneTiming& sceneTiming(int scene);
