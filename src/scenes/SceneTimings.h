// Per-scene frame counts and times for --timings and the whole-show tests.
// The run sequence brackets each scene; SceneClock::tick reports every frame
// drawn. Lifetime: program.
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
// One frame a scene loop draws, at its elapsed time.
void noteSceneFrame(float elapsed);
// Closes the scene's record, printing it on standard output when asked and
// when it drew a frame (a scene before --start-at draws none).
void endSceneTimings();
void setTimingsPrinted(bool printed);
// The scene being played, 1 to 8; 0 outside the run sequence.
int timedSceneNow();
// The record of scene 1 to 8 (scene 0 when it was not played).
const SceneTiming& sceneTiming(int scene);
