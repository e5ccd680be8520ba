// The loading sequence: everything the scenes use, in one fixed order, with a
// loading-screen frame between the steps; and its release after the show.
#include "scenes/ShowLoading.h"

#include <GL/gl.h>

#include <cstdio>

#include "media/Textures.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

Scene* showScenes[kShowSceneCount] = {};
bool showSceneLoaded[kShowSceneCount] = {};
uint8_t* showBitmaps[kShowBitmapCount] = {};
ParticleSystem* sharedParticles = nullptr;
void (*loadingScreenObserver)(float countdown) = nullptr;

const LoadStep kLoadSteps[kLoadStepCount] = {
    {LoadStepKind::Texture, kTransitionSlot, 0},
    {LoadStepKind::Texture, kGroupSlot, 0},
    {LoadStepKind::Texture, kLoadingSlot, 0},
    {LoadStepKind::Texture, kBackdropSlot, 1},
    {LoadStepKind::Texture, kTitleSlot, 1},
    {LoadStepKind::Texture, kRenderSlot, 1},
    {LoadStepKind::SharedParticles, 0, 1},
    {LoadStepKind::Bitmap, kOrvaneBmp, 1},
    {LoadStepKind::Bitmap, kCodebyBmp, 1},
    {LoadStepKind::Bitmap, kGfxbyBmp, 1},
    {LoadStepKind::Bitmap, kZikbyBmp, 1},
    {LoadStepKind::Bitmap, kEndBmp, 1},
    {LoadStepKind::SceneFile, 1, 1},
    {LoadStepKind::SceneFile, 2, 2},
    {LoadStepKind::SceneFile, 3, 2},
    {LoadStepKind::SceneFile, 4, 3},
    {LoadStepKind::Emitters, 4, 3},
    {LoadStepKind::SceneFile, 5, 3},
    {LoadStepKind::Emitters, 5, 3},
    {LoadStepKind::SceneFile, 6, 3},
    {LoadStepKind::Emitters, 6, 3},
    {LoadStepKind::SceneFile, 7, 3},
    {LoadStepKind::Emitters, 7, 3},
    {LoadStepKind::SceneFile, 8, 3},
    {LoadStepKind::Emitters, 8, 3},
    {LoadStepKind::Bitmap, kVeskBmp, 2},
};

namespace {

// The picture of each texture slot; null for the capture slots (blank) and
// the two unused ones.
const char* const kSlotPictures[kTextureSlots] = {
    nullptr, "data/group.jpg", nullptr, "data/load.jpg", "data/fond1.jpg", "data/tete.jpg", nullptr, nullptr,
};
const char* const kBitmapFiles[kShowBitmapCount] = {
    "data/orvane.bmp", "data/codeby.bmp", "data/gfxby.bmp", "data/zikby.bmp", "data/end.bmp", "data/vesk.bmp",
};

// The shared pool: 10000 screen-space sprites for the lettering.
constexpr int kSharedCapacity = 10000;
constexpr int kSharedRate = 150;      // particles per second
constexpr float kSharedSize = 10.0f;  // sprite side, eye-space units
constexpr double kSharedEyeDistance = 500.0;

// Lifetime: one loadShow call.
float countdown = kCountdownStart;

// Draws the loading screens that follow a step. After a quit request the
// steps still run (they are short) but no frame is drawn.
void showScreens(int frames) {
    for (int i = 0; i < frames; ++i) {
        countdown = lowerCountdown(countdown);
        if (showQuitRequested()) continue;
        drawLoadingScreen(countdown);
        if (loadingScreenObserver) loadingScreenObserver(countdown);
    }
}

void loadTexture(int slot) {
    if (slot == kTransitionSlot || slot == kRenderSlot) {
        createBlankTexture(textureTable, kCaptureSide, 3, GL_RGB, slot);
    } else {
        loadJpegTexture(textureTable, kSlotPictures[slot], slot);
    }
}

void loadBitmap(int which) {
    showBitmaps[which] = new uint8_t[kBitmapBytes];
    readIndexedBitmap(kBitmapFiles[which], showBitmaps[which]);
}

void loadScene(int n) {
    const char* file = scenePlan(n).file;
    showScenes[n - 1] = new Scene();
    showSceneLoaded[n - 1] = showScenes[n - 1]->load(file);
    // A refused file is said once; its scene then plays black frames.
    if (!showSceneLoaded[n - 1]) {
        std::fprintf(stderr, "orvane: %s: %s; the scene plays without it\n", file, showScenes[n - 1]->loadError());
    }
}

// Emitters only on a scene that loaded: a refused scene plays black frames.
void attachSceneEmitters(int n) {
    const EmitterSettings& e = scenePlan(n).emitters;
    if (Scene* scene = playableScene(n)) scene->attachEmitters(e.capacity, e.lifetime, e.rate, e.size, e.rise);
}

void createSharedParticles() {
    sharedParticles =
        new ParticleSystem(kSharedCapacity, "data/plume.jpg", kSharedLifetime, kSharedRate, kSharedSize, 0.0f);
    sharedParticles->viewPosition = Vec3{0.0, 0.0, kSharedEyeDistance};
    sharedParticles->viewRotation = Vec3{};
    sharedParticles->depthTest = false;
}

void runStep(const LoadStep& step) {
    switch (step.kind) {
    case LoadStepKind::Texture: loadTexture(step.which); break;
    case LoadStepKind::SharedParticles: createSharedParticles(); break;
    case LoadStepKind::Bitmap: loadBitmap(step.which); break;
    case LoadStepKind::SceneFile: loadScene(step.which); break;
    case LoadStepKind::Emitters: attachSceneEmitters(step.which); break;
    }
}

}  // namespace

Scene* playableScene(int n) {
    if (n < 1 || n > kShowSceneCount || !showSceneLoaded[n - 1]) return nullptr;
    return showScenes[n - 1];
}

float lowerCountdown(float value) {
    if (value > 0.0f) value -= kCountdownStep;
    return value < 0.0f ? 0.0f : value;
}

LoadingPose loadingPose(float value) {
    return {-value - 1.0f, 90.0f - (kCountdownStart - value) * 90.0f / kCountdownStart};
}

void loadShow() {
    countdown = kCountdownStart;
    for (const LoadStep& step : kLoadSteps) {
        runStep(step);
        showScreens(step.screens);
    }
}

// Expects the state initGL leaves (depth test on, GL_TEXTURE_2D on, blending
// off, modelview selected); leaves it so, with the modelview replaced.
void drawLoadingScreen(float value) {
    const LoadingPose pose = loadingPose(value);
    clearFrame();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, pose.translateZ);
    glRotatef(pose.angle, 1.0f, 0.0f, 0.0f);
    glRotatef(pose.angle, 0.0f, 1.0f, 0.0f);
    glBindTexture(GL_TEXTURE_2D, textureTable[kLoadingSlot]);
    glColor3f(1.0f, 1.0f, 1.0f);
    // clang-format off
    glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 1.0f); glVertex3f(-1.5f, -1.0f, kLoadingQuadZ);
        glTexCoord2f(0.0f, 0.0f); glVertex3f(-1.5f, 1.0f, kLoadingQuadZ);
        glTexCoord2f(1.0f, 0.0f); glVertex3f(1.5f, 1.0f, kLoadingQuadZ);
        glTexCoord2f(1.0f, 1.0f); glVertex3f(1.5f, -1.0f, kLoadingQuadZ);
    glEnd();
    // clang-format on
    pumpFrame();
}

// Frees the particle arrays and the bitmaps; textures, sprites and the
// Scenes' geometry go with the process. Safe to call twice.
void releaseShow() {
    if (sharedParticles) sharedParticles->release();
    for (Scene* scene : showScenes) {
        if (scene) scene->releaseEmitters();
    }
    for (uint8_t*& bitmap : showBitmaps) {
        delete[] bitmap;
        bitmap = nullptr;
    }
}
