// `orvane --view FILE.3ds`: one scene file played in a loop in the show
// window with the show's loader and renderer, for the people who make the
// scene files: an orbit camera, preview shading, keys to pause, step and
// toggle, and the file reloaded when it is saved.
#pragma once

#include "app/CommandLine.h"
#include "scene3ds/Scene.h"

// Opens the window, loads line.view.path from the current directory, plays
// it until a quit request (or until the last --frames-at PNG is written).
// Returns the exit code: 0 after a quit, 1 when the file is refused or no
// window or GL context can be made, 2 when the frames folder cannot be made.
int viewSceneFile(const CommandLine& line);

// The loop of the view: one pass of `frames` animation frames lasts `seconds`.
struct ViewLoop {
    int frames = 1;
    double seconds = 1.0;
    long pass = -1;  // pass now playing; -1 before the first frame
};

// Poses the scene for a view time: a new pass, or a time before the last
// one, starts from the loaded state (resetAnimation) and catches up frame by
// frame; then frame = time into the pass / seconds x frames and the
// keyframes are evaluated as a scene does.
void poseForView(Scene& scene, ViewLoop& loop, double elapsed);
