// What every scene function shares: its clock, the copy of the frame's
// corner into a texture slot, the closing capture, and the black frames of a
// scene whose file was refused.
#pragma once

#include "platform/Platform.h"
#include "scene3ds/Scene.h"

// A scene's own clock: start read once, elapsed refreshed once per frame.
struct SceneClock {
    float start = tickSeconds();
    float elapsed = 0.0f;
    // True while the scene goes on (the test runs before each frame) and no
    // quit request has arrived.
    bool running(float duration) const;
    void tick() { elapsed = tickSeconds() - start; }
};

// Copies the lower-left corner (kCaptureSide square) of the back buffer into
// a slot of the texture table (rows above the window read as black).
void captureCorner(int slot);

// The standard closing capture: render the scene into the corner, copy it
// into slot 0, clear, restore the full viewport.
void closingCapture(Scene& scene);

// A refused scene: black frames for its duration; a capturing scene then
// leaves a black picture in slot 0, its last frame.
void playRefusedScene(float duration, bool captures);
