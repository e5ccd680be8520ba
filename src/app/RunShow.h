// The run sequence after the launch dialog: window, loading, music, the eight
// scenes, teardown. Returns the process exit code.
#pragma once

int playShow();
// The eight scenes in order from show time 0, after loadShow (benchmarks).
void playShowScenes();
// Scene n (1 to 8) alone for its duration, with its timings.
void playShowScene(int n);
// Seconds of show time from scene 1 to the end of scene 8.
double showLengthSeconds();
