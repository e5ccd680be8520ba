// Scene 4: the race animation with its emitters; during the first 3 seconds
// the frame of scene 3 lies over it cut into 10x10 tiles that turn about
// their own centres and fly toward the viewer.
#include "scenes/Scene4Race.h"

#include <GL/gl.h>

#include "media/Textures.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

namespace {

constexpr int kGridSide = 10;            // tiles per row and per column
constexpr float kTileHalfWidth = 0.15f;  // eye-space units
constexpr float kTileHalfHeight = 0.1f;
constexpr float kColumnPitch = 0.3f;
constexpr float kRowPitch = 0.2f;
constexpr float kGridLeft = -1.35f;  // centre of tile (0, 0)
constexpr float kGridBottom = -0.9f;
constexpr float kBurstStartZ = -2.0f;
constexpr float kBurstApproach = 5.0f / 3.0f;  // depth units over the burst
constexpr float kBurstSpinDegrees = 90.0f;     // over the burst
constexpr float kCellSide = 0.1f;              // texture units per tile

// Tile (row i, column j) of slot 0 around its own centre.
void drawTile(int i, int j) {
    const float s = j / 10.0f;
    const float t = i / 10.0f;
    // clang-format off
    glBegin(GL_QUADS);
        glTexCoord2f(s, t + kCellSide); glVertex3f(-kTileHalfWidth, kTileHalfHeight, 0.0f);
        glTexCoord2f(s, t); glVertex3f(-kTileHalfWidth, -kTileHalfHeight, 0.0f);
        glTexCoord2f(s + kCellSide, t); glVertex3f(kTileHalfWidth, -kTileHalfHeight, 0.0f);
        glTexCoord2f(s + kCellSide, t + kCellSide); glVertex3f(kTileHalfWidth, kTileHalfHeight, 0.0f);
    glEnd();
    // clang-format on
}

}  // namespace

// Expects blending off and the colour white (the tiles are opaque and show
// the capture unchanged); leaves depth test on, the modelview replaced.
void drawTileBurst(float e) {
    glDisable(GL_DEPTH_TEST);
    const float g = e / kBurstSeconds * kBurstApproach;
    const float angle = e * kBurstSpinDegrees / kBurstSeconds;
    for (int i = 0; i < kGridSide; ++i) {
        for (int j = 0; j < kGridSide; ++j) {
            glLoadIdentity();
            glTranslatef(j * kColumnPitch + kGridLeft, i * kRowPitch + kGridBottom, g + kBurstStartZ);
            glRotatef(angle, 1.0f, 0.0f, 0.0f);
            glRotatef(angle, 0.0f, 1.0f, 0.0f);
            glBindTexture(GL_TEXTURE_2D, textureTable[kTransitionSlot]);
            drawTile(i, j);
        }
    }
    glEnable(GL_DEPTH_TEST);
}

// Expects the state render needs; leaves blending off, depth test on.
void drawScene4Frame(Scene& scene, float e) {
    clearFrame();
    scene.render();
    glColor3d(1.0, 1.0, 1.0);
    if (e <= kBurstSeconds) drawTileBurst(e);
}

void playScene4(float duration) {
    Scene* playable = playableScene(4);
    if (!playable) {
        playRefusedScene(duration, true);
        return;
    }
    Scene& scene = *playable;
    SceneClock clock;
    while (clock.running(duration)) {
        const bool drawn = clock.tick();
        scene.frame = sceneFrame(scenePlan(4), clock.elapsed, duration);
        scene.rewind();
        scene.evaluateKeyframes();
        if (!drawn) {
            scene.updateEmitters();
            clock.skipFrame();
            continue;
        }
        drawScene4Frame(scene, clock.elapsed);
        pumpFrame();
    }
    closingCapture(scene);
}
