// Scene 6: the rooms animation flying in over the city's last picture, then
// three credits written by particles, one per ten-second window.
#include "scenes/Scene6Rooms.h"

#include <GL/gl.h>

#include "core/RunSettings.h"
#include "media/Textures.h"
#include "scenes/Layers.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

constexpr int kCreditStartX = 52;  // bitmap pixels
constexpr int kCreditStartY = 82;

// Window starts in scene seconds and their bitmaps, in order.
constexpr float kCreditStarts[kCreditWindowCount] = {5.0f, 20.0f, 35.0f};
constexpr ShowBitmap kCreditBitmaps[kCreditWindowCount] = {kCodebyBmp, kGfxbyBmp, kZikbyBmp};

int CreditLettering::windowAt(float t) {
    for (int w = 0; w < kCreditWindowCount; ++w) {
        if (t >= kCreditStarts[w] && t <= kCreditStarts[w] + kCreditSeconds) return w;
    }
    return -1;
}

bool CreditLettering::write(float t, ParticleSystem& pool) {
    const int w = windowAt(t);
    if (w < 0) return false;
    // A window clears only if the one before it did; a skipped window stops
    // the clearing for the rest of the scene.
    if (phase == w) {
        pool.count = 0;
        ++phase;
    }
    writeLettering(showBitmaps[kCreditBitmaps[w]], t - kCreditStarts[w], kCreditSeconds, kCreditSteps, kCreditStartX,
                   kCreditStartY, pool);
    return true;
}

// Expects a cleared frame, the window's viewport, depth test on and blending
// off; leaves the same, the colour white.
void drawFlyIn(Scene& scene, float t) {
    glViewport(0, 0, kCaptureSide, kCaptureSide);
    scene.render();
    captureCorner(kRenderSlot);
    clearFrame();
    glViewport(0, 0, runSettings.width, runSettings.height);

    // The city's last picture stands still, filling the view.
    glDisable(GL_DEPTH_TEST);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -2.0f);
    glBindTexture(GL_TEXTURE_2D, textureTable[kTransitionSlot]);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawCaptureQuad();

    // The new scene comes from depth -10 to -2, turning square as it comes.
    const float angle = 90.0f - 90.0f * t;  // degrees
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -((8.0f - 8.0f * t) + 1.0f) - 1.0f);
    glRotatef(angle, 1.0f, 0.0f, 0.0f);
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
    glBindTexture(GL_TEXTURE_2D, textureTable[kRenderSlot]);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    drawCaptureQuad();
    glEnable(GL_DEPTH_TEST);
}

void drawScene6Frame(Scene& scene, CreditLettering& credits, float t) {
    clearFrame();
    if (t >= kFlyInSeconds) {
        scene.render();
    } else {
        drawFlyIn(scene, t);
    }
    if (sharedParticles && credits.write(t, *sharedParticles)) drawScreenSpace(*sharedParticles);
}

void playScene6(float duration) {
    Scene* playable = playableScene(6);
    if (!playable) {
        playRefusedScene(duration, true);
        return;
    }
    Scene& scene = *playable;
    CreditLettering credits;
    SceneClock clock;
    while (clock.running(duration)) {
        const bool drawn = clock.tick();
        const float t = clock.elapsed;
        scene.frame = sceneFrame(scenePlan(6), t, duration);
        scene.rewind();
        scene.evaluateKeyframes();
        if (!drawn) {
            scene.updateEmitters();
            if (sharedParticles) credits.write(t, *sharedParticles);
            clock.skipFrame();
            continue;
        }
        drawScene6Frame(scene, credits, t);
        pumpFrame();
    }
    closingCapture(scene);
}
