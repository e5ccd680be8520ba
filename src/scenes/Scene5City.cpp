// Scene 5: the city animation with its particles drawn over everything
// (no depth test, unsorted); during the first 4 seconds scene 4's last frame
// turns away and recedes over it.
#include "scenes/Scene5City.h"

#include <GL/gl.h>

#include "media/Textures.h"
#include "particles/Particles.h"
#include "scenes/Layers.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

namespace {

constexpr float kTransitionSpinDegrees = 90.0f;  // over the transition
constexpr float kRecedeRate = 3.0f;              // depth units per second

}  // namespace

// Expects blending off and the colour white; leaves depth test on, the
// modelview replaced.
void drawCityTransition(float e) {
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -(kRecedeRate * e + 1.0f) - 1.0f);
    const float angle = e * kTransitionSpinDegrees / kCityTransitionSeconds;
    glRotatef(angle, 1.0f, 0.0f, 0.0f);
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
    glBindTexture(GL_TEXTURE_2D, textureTable[kTransitionSlot]);
    glDisable(GL_DEPTH_TEST);
    drawCaptureQuad();
    glEnable(GL_DEPTH_TEST);
}

// Expects the state render needs; leaves blending off, depth test on.
void drawScene5Frame(Scene& scene, float e) {
    clearFrame();
    scene.render();
    glColor3d(1.0, 1.0, 1.0);
    if (e <= kCityTransitionSeconds) drawCityTransition(e);
}

void playScene5(float duration) {
    SceneClock clock;
    particleDepthTestOff();
    Scene* playable = playableScene(5);
    if (!playable) {
        playRefusedScene(duration, true);
        particleDepthTestOn();
        return;
    }
    Scene& scene = *playable;
    while (clock.running(duration)) {
        const bool drawn = clock.tick();
        scene.frame = sceneFrame(scenePlan(5), clock.elapsed, duration);
        scene.rewind();
        scene.evaluateKeyframes();
        if (!drawn) {
            scene.updateEmitters();
            clock.skipFrame();
            continue;
        }
        drawScene5Frame(scene, clock.elapsed);
        pumpFrame();
    }
    closingCapture(scene);
    particleDepthTestOn();
}
