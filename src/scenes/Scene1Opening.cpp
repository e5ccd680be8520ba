// Scene 1: the yoda animation with fading trails (slot 0 fed back into
// itself every frame), the backdrop band and spinning backdrop, and the title
// flying away during the first 2 seconds.
#include "scenes/Scene1Opening.h"

#include <GL/gl.h>

#include "core/RunSettings.h"
#include "media/Overlay.h"
#include "media/Textures.h"
#include "scenes/Layers.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

// Expects the full-window viewport or the corner; leaves the corner viewport,
// slot 0 holding this render plus 0.9 x its previous content.
void drawScene1Feedback(Scene& scene) {
    clearFrame();
    glViewport(0, 0, kCaptureSide, kCaptureSide);
    scene.render();
    drawFullscreenOverlay(kTransitionSlot);
    captureCorner(kTransitionSlot);
}

// Leaves the full-window viewport, depth test on, blending off.
void drawScene1Visible(Scene& scene, float e, float d) {
    clearFrame();
    glViewport(0, 0, runSettings.width, runSettings.height);
    drawFullscreenOverlay(kTransitionSlot);
    // The band is added here.
    glEnable(GL_BLEND);
    drawBackdropBand();
    glDisable(GL_BLEND);
    scene.render();
    drawSpinningBackdrop(e, d);
    if (e <= kTitleSeconds) {
        // The title flies away over everything, added with the blend
        // function render left (GL_ONE, GL_ONE).
        glDisable(GL_DEPTH_TEST);
        drawTitle(-2.0f - 2.0f * e, 45.0f * e);
        glEnable(GL_DEPTH_TEST);
    }
}

// Expects the state render needs; leaves the full-window viewport, depth
// test on, blending off, slot 0 holding the new feedback image.
void drawScene1Frame(Scene& scene, float e, float d) {
    drawScene1Feedback(scene);
    drawScene1Visible(scene, e, d);
}

// The picture left for scene 2 is the last frame shown with slot 0 added
// once more. A swapped back buffer holds nothing defined, so the last
// visible frame is drawn again at the same pose (slot 0 is unchanged since).
void captureScene1(Scene& scene, float e, float d) {
    drawScene1Visible(scene, e, d);
    drawFullscreenOverlay(kTransitionSlot);
    captureCorner(kTransitionSlot);
}

void playScene1(float duration) {
    Scene* playable = playableScene(1);
    if (!playable) {
        playRefusedScene(duration, true);
        return;
    }
    Scene& scene = *playable;
    SceneClock clock;
    while (clock.running(duration)) {
        const bool drawn = clock.tick();
        scene.frame = sceneFrame(scenePlan(1), clock.elapsed, duration);
        scene.rewind();
        scene.evaluateKeyframes();
        if (!drawn) {
            // The picture scene 2 takes over builds up frame by frame.
            drawScene1Feedback(scene);
            clock.skipFrame();
            continue;
        }
        drawScene1Frame(scene, clock.elapsed, duration);
        pumpFrame();
    }
    captureScene1(scene, clock.elapsed, duration);
}
