// Scene 1: the yoda animation with fading trails (slot 0 fed back into
// itself every frame), the backdrop band and spinning backdrop, and the title
// flying away during the first 2 seconds.
#include <GL/gl.h>

#include <cmath>

#include "app/ShowWindow.h"
#include "core/RunSettings.h"
#include "media/Overlay.h"
#include "media/Textures.h"
#include "scenes/Backdrop.h"
#include "scenes/SceneFrames.h"
#include "scenes/Scene7Water.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"

namespace {

constexpr double kYodaFrameFactor = 699;  // animation frames per scene
constexpr int kCaptureSide = 512;         // pixels
constexpr int kBackdropSlot = 4;          // data/fond1.jpg

// One layer of the spinning backdrop: a 12x8 quad at depth z, turned by
// degrees about Z.
void drawBackdropLayer(float z, float degrees) {
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, z);
    glRotatef(degrees, 0.0f, 0.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, textureTable[kBackdropSlot]);
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_QUADS);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(0.0f, 1.0f); glVertex3f(-6.0f, 4.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(0.0f, 0.0f); glVertex3f(-6.0f, -4.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(1.0f, 0.0f); glVertex3f(6.0f, -4.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(1.0f, 1.0f); glVertex3f(6.0f, 4.0f, 0.0f);
    glEnd();
}

}  // namespace

void drawBackdropBand() {
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, textureTable[kBackdropSlot]);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 1.0f); glVertex3f(-1.5f, -0.5f, -2.0f);
        glTexCoord2f(0.0f, 0.0f); glVertex3f(-1.5f, 0.5f, -2.0f);
        glTexCoord2f(1.0f, 0.0f); glVertex3f(1.5f, 0.5f, -2.0f);
        glTexCoord2f(1.0f, 1.0f); glVertex3f(1.5f, -0.5f, -2.0f);
    glEnd();
    glEnable(GL_DEPTH_TEST);
}

void drawSpinningBackdrop(float elapsed, float duration) {
    glEnable(GL_BLEND);
    const double a = elapsed * kBackdropBobRadians / duration;
    const float spin = elapsed * kBackdropSpinDegrees / duration;
    drawBackdropLayer(static_cast<float>(2.0 * std::sin(a) - 4.0), spin);
    drawBackdropLayer(static_cast<float>(2.0 * std::cos(a) - 4.0), -spin);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

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
    if (!showScenes[kYoda] || !showSceneLoaded[kYoda]) {
        playRefusedScene(duration, true);
        return;
    }
    Scene& scene = *showScenes[kYoda];
    SceneClock clock;
    while (clock.running(duration)) {
        clock.tick();
        scene.frame = clock.elapsed / duration * kYodaFrameFactor;
        scene.rewind();
        scene.evaluateKeyframes();
        drawScene1Frame(scene, clock.elapsed, duration);
        pumpFrame();
    }
    captureScene1(scene, clock.elapsed, duration);
}
