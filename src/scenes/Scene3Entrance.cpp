// Scene 3: the entrance animation under the spinning backdrop, with the
// show's name written by particles from the first frame to the last.
#include "scenes/Scene3Entrance.h"

#include <GL/gl.h>

#include "app/ShowWindow.h"
#include "core/RunSettings.h"
#include "media/Textures.h"
#include "scenes/Backdrop.h"
#include "scenes/SceneFrames.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"

constexpr float kEntranceFrameFactor = 799.0f;  // animation frames per scene
constexpr int kCaptureSide = 512;                // pixels

void writeNameLettering(float t, float duration, ParticleSystem& pool) {
    uint8_t* bitmap = showBitmaps[kOrvaneBmp];
    if (!bitmap) return;
    traceOutline(t, duration, bitmap, kNameSteps, pool, kNameStartX, kNameStartY, kLetteringHomeStep);
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
    if (!showSceneLoaded[kEntree] || !showScenes[kEntree]) {
        playRefusedScene(duration, true);
        return;
    }
    Scene& scene = *showScenes[kEntree];
    SceneClock clock;
    while (clock.running(duration)) {
        clock.tick();
        const float t = clock.elapsed;
        scene.frame = t / duration * kEntranceFrameFactor;
        scene.rewind();
        scene.evaluateKeyframes();
        drawScene3Frame(scene, t, duration);
        pumpFrame();
    }
    captureEntrance(scene, clock.elapsed, duration);
}
