#include "scenes/SceneLoop.h"

#include <GL/gl.h>

#include <algorithm>
#include <limits>

#include "core/RunSettings.h"
#include "media/Textures.h"
#include "platform/PlatformWindow.h"
#include "scenes/SceneTimings.h"
#include "scenes/ShowPlan.h"
#include "window/ShowWindow.h"

namespace {

// Black for the part of a capture that lies outside the window (lifetime:
// program, never written).
const uint8_t blackTexels[kCaptureSide * kCaptureSide * 3] = {};

GLint boundTextureSize(GLenum which) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, which, &value);
    return value;
}

// Fills a rectangle of the bound texture with black.
void blackenTexels(int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, blackTexels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

// Where the show starts drawing (lifetime: one run of the scenes).
struct ShowSkip {
    double untilSeconds = 0.0;       // show seconds
    double sceneStartSeconds = 0.0;  // show seconds the current scene begins at by the plan
    float sceneDuration = 0.0f;
    bool stepping = false;  // the real clock was swapped for a stepped one
};
ShowSkip skip;

}  // namespace

void startShowAt(double showSeconds) {
    skip = ShowSkip{showSeconds, 0.0, 0.0f, false};
    if (showSeconds > 0.0 && !clockIsStepped()) {
        continueSteppedClock(1000.0 / kSkipFps);
        skip.stepping = true;
    }
}

void enterPlannedScene(int n) {
    skip.sceneStartSeconds = sceneStartSeconds(n);
    skip.sceneDuration = scenePlan(n).duration;
}

SceneClock::SceneClock() : start(tickSeconds()) {
    // A scene that ends by the plan before the start time is not drawn at
    // all, not even the frame at its very end.
    if (skip.untilSeconds <= 0.0) return;
    const double intoScene = skip.untilSeconds - skip.sceneStartSeconds;
    drawFrom = intoScene >= skip.sceneDuration ? std::numeric_limits<float>::infinity() : static_cast<float>(intoScene);
}

bool SceneClock::running(float duration) const { return elapsed <= duration && !showQuitRequested(); }

bool SceneClock::tick() {
    elapsed = tickSeconds() - start;
    if (elapsed < drawFrom) return false;
    if (skip.stepping) {
        continueRealClock();
        skip.stepping = false;
    }
    noteSceneFrame(elapsed);
    return true;
}

// Expects: the frame drawn in the back buffer. Leaves: the slot's texture
// bound. The texture keeps its size and format; what lies outside the window
// (the top rows when it is under 512 pixels high) is black.
void captureCorner(int slot) {
    if (slot < 0 || slot >= kTextureSlots || textureTable[slot] == 0) return;
    glBindTexture(GL_TEXTURE_2D, textureTable[slot]);
    const int side =
        std::min<int>(kCaptureSide, std::min(boundTextureSize(GL_TEXTURE_WIDTH), boundTextureSize(GL_TEXTURE_HEIGHT)));
    if (side <= 0) return;
    int windowWidth = 0, windowHeight = 0;
    windowClientSize(&windowWidth, &windowHeight);
    const int copyWidth = std::clamp(windowWidth, 0, side);
    const int copyHeight = std::clamp(windowHeight, 0, side);
    readDrawnFrame();
    if (copyWidth > 0 && copyHeight > 0) glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, copyWidth, copyHeight);
    blackenTexels(0, copyHeight, side, side - copyHeight);
    blackenTexels(copyWidth, 0, side - copyWidth, copyHeight);
}

// Expects: the scene posed at its last frame. Leaves: a cleared back
// buffer, the full-window viewport, slot 0 bound.
void closingCapture(Scene& scene) {
    clearFrame();
    glViewport(0, 0, kCaptureSide, kCaptureSide);
    scene.render();
    captureCorner(kTransitionSlot);
    clearFrame();
    glViewport(0, 0, runSettings.width, runSettings.height);
}

void blackenCaptureSlot(int slot) {
    if (slot < 0 || slot >= kTextureSlots || textureTable[slot] == 0) return;
    glBindTexture(GL_TEXTURE_2D, textureTable[slot]);
    blackenTexels(0, 0, kCaptureSide, kCaptureSide);
}

void playRefusedScene(float duration, bool captures) {
    SceneClock clock;
    while (clock.running(duration)) {
        if (!clock.tick()) {
            clock.skipFrame();
            continue;
        }
        clearFrame();
        pumpFrame();
    }
    if (!captures) return;
    clearFrame();
    captureCorner(kTransitionSlot);
}
