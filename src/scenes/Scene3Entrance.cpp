// Scene 3: the entrance animation under the spinning backdrop, with the
// show's name written by particles from the first frame to the last.
#include "scenes/Scene3Entrance.h"

#include <GL/gl.h>

#include "core/RunSettings.h"
#include "media/Textures.h"
#include "scenes/Layers.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

void writeNameLettering(float t, float duration, ParticleSystem& pool) {
    writeLettering(showBitmaps[kOrvaneBmp], t, duration, kNameSteps, kNameStartX, kNameStartY, pool);
}

// Expects the viewport of the window and the state render needs; leaves the
// viewport of the window, depth test on, blending off.
void captureEntrance(Scene& scene, float t, float duration) {
    clearFrame();
    glViewport(0, 0, kCaptureSide, kCaptureSide);
    scene.render();
    drawSpinningBackdrop(t, duration);
    captureCorner(kTransitionSlot);
    clearFrame();
    glViewport(0, 0, runSettings.width, runSettings.height);
}

void drawScene3Frame(Scene& scene, float t, float duration) {
    clearFrame();
    scene.render();
    drawSpinningBackdrop(t, duration);
    if (!sharedParticles) return;
    writeNameLettering(t, duration, *sharedParticles);
    drawScreenSpace(*sharedParticles);
}

void playScene3(float duration) {
    Scene* playable = playableScene(3);
    if (!playable) {
        playRefusedScene(duration, true);
        return;
    }
    Scene& scene = *playable;
    SceneClock clock;
    while (clock.running(duration)) {
        const bool drawn = clock.tick();
        const float t = clock.elapsed;
        scene.frame = sceneFrame(scenePlan(3), t, duration);
        scene.rewind();
        scene.evaluateKeyframes();
        if (!drawn) {
            if (sharedParticles) writeNameLettering(t, duration, *sharedParticles);
            clock.skipFrame();
            continue;
        }
        drawScene3Frame(scene, t, duration);
        pumpFrame();
    }
    captureEntrance(scene, clock.elapsed, duration);
}
