// What every scene function shares: its clock, the closing capture and the
// corner capture into a texture slot.
#pragma once

#include "scene3ds/Scene.h"

// Seconds on the tick clock as the scenes measure them (tick count x 0.001f).
float sceneSeconds();

// A scene's own clock: start read once, elapsed refreshed once per frame.
struct SceneClock {
    float start = sceneSeconds();
    float elapsed = 0.0f;
    // True while the scene goes on (the test runs before each frame) and no
    // quit request has arrived.
    bool running(float duration) const;
    void tick() { elapsed = sceneSeconds() - start; }
};

// Copies the lower-left 512x512 corner of the back buffer into a slot of the
// texture table (rows above the window read as black).
void captureCorner(int slot);

// The standard closing capture: render the scene into the corner, copy it
// into slot 0, clear, restore the full viewport.
void closingCapture(Scene& scene);

// Draws one frame's worth for a scene whose file was refused: clear, pump.
// (The scene functions call it instead of their drawing.)
void drawEmptyFrame();
