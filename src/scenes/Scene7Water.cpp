// Scene 7: the water animation, with the title picture swinging back in over
// its last two seconds.
#include "scenes/Scene7Water.h"

#include <GL/gl.h>

#include "app/ShowWindow.h"
#include "media/Textures.h"
#include "scenes/SceneFrames.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"

constexpr float kWaterFrameFactor = 1500.0f;  // animation frames per scene
constexpr int kTitleSlot = 5;

bool returningTitleShown(float e, float duration) { return !(duration - kTitleReturnSeconds > e); }

void drawTitle(float z, float angle) {
    // The blend function stays as render left it (one, one): the title adds.
    glEnable(GL_BLEND);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, z);
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
    glBindTexture(GL_TEXTURE_2D, textureTable[kTitleSlot]);
    glBegin(GL_QUADS);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(0.0f, 1.0f); glVertex3f(-1.5f, -1.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(0.0f, 0.0f); glVertex3f(-1.5f, 1.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(1.0f, 0.0f); glVertex3f(1.5f, 1.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(1.0f, 1.0f); glVertex3f(1.5f, -1.0f, 0.0f);
    glEnd();
    glDisable(GL_BLEND);
}

void drawScene7Frame(Scene& scene, float e, float duration) {
    clearFrame();
    scene.render();
    if (!returningTitleShown(e, duration)) return;
    // From edge-on at depth -6 to facing the viewer at depth -2.
    const float t = e - (duration - kTitleReturnSeconds);
    drawTitle(2.0f * t - 6.0f, 90.0f - 45.0f * t);
}

void playScene7(float duration) {
    if (!showSceneLoaded[kWater] || !showScenes[kWater]) {
        playRefusedScene(duration, false);
        return;
    }
    Scene& scene = *showScenes[kWater];
    SceneClock clock;
    while (clock.running(duration)) {
        clock.tick();
        const float e = clock.elapsed;
        scene.frame = e / duration * kWaterFrameFactor;
        scene.rewind();
        scene.evaluateKeyframes();
        drawScene7Frame(scene, e, duration);
        pumpFrame();
    }
}
