// What every scene function shares: its clock (which also runs the part of
// the show before a start time without drawing it), the copy of the frame's
// corner into a texture slot, the closing capture, and the black frames of a
// scene whose file was refused.
#pragma once

#include "platform/Platform.h"
#include "scene3ds/Scene.h"

// The show from here on starts drawing at showSeconds of show time (0: at
// once): every scene before it runs its frames without drawing them, so its
// lettering, emitters and hand-over picture are where the full show would
// have them. On the real clock that stretch runs on a stepped clock at
// kSkipFps and the real clock then goes on from where it ended.
constexpr double kSkipFps = 60.0;
void startShowAt(double showSeconds);
// Scene n of the plan begins: where its drawing starts follows from its
// planned start time.
void enterPlannedScene(int n);

// A scene's own clock: start read once, elapsed refreshed once per frame.
struct SceneClock {
    SceneClock();
    float start = 0.0f;
    float elapsed = 0.0f;
    float drawFrom = 0.0f;  // scene seconds before which frames are not drawn
    // True while the scene goes on (the test runs before each frame) and no
    // quit request has arrived.
    bool running(float duration) const;
    // Reads the frame's time. False for a frame before drawFrom: the scene
    // runs its state (lettering, emitters) without drawing and ends it with
    // skipFrame. Drawn frames are counted for the timings.
    bool tick();
    // Ends a frame that was not drawn: the stepped clock moves on as a
    // present would have moved it.
    void skipFrame() const { advanceSteppedClock(); }
};

// Copies the lower-left corner (kCaptureSide square) of the back buffer into
// a slot of the texture table (rows above the window read as black).
void captureCorner(int slot);
// Makes a capture slot black, as the loading sequence leaves it.
void blackenCaptureSlot(int slot);

// The standard closing capture: render the scene into the corner, copy it
// into slot 0, clear, restore the full viewport.
void closingCapture(Scene& scene);

// A refused scene: black frames for its duration; a capturing scene then
// leaves a black picture in slot 0, its last frame.
void playRefusedScene(float duration, bool captures);
