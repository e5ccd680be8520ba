// The loading sequence: everything the scenes use, in one fixed order, with a
// loading-screen frame between the steps; and its release after the show.
#include <GL/gl.h>

#include <cstdio>

#include "app/ShowWindow.h"
#include "media/Textures.h"
#include "scenes/LoadingScreen.h"
#include "scenes/Show.h"

Scene* showScenes[kShowSceneCount] = {};
bool showSceneLoaded[kShowSceneCount] = {};
uint8_t* showBitmaps[kShowBitmapCount] = {};
ParticleSystem* sharedParticles = nullptr;
void (*loadingScreenObserver)(float countdown) = nullptr;

namespace {

constexpr int kLoadingSlot = 3;     // texture slot of data/load.jpg
constexpr int kCaptureSide = 512;   // pixels, slots 0 and 7

const char* const kSceneFiles[kShowSceneCount] = {
    "data/yoda.3ds", "data/meta.3ds",  "data/entree.3ds", "data/race.3ds",
    "data/city.3ds", "data/rooms.3ds", "data/water.3ds",  "data/mine.3ds",
};
const char* const kBitmapFiles[kShowBitmapCount] = {
    "data/orvane.bmp", "data/codeby.bmp", "data/gfxby.bmp",
    "data/zikby.bmp",  "data/end.bmp",    "data/vesk.bmp",
};

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

void loadBitmap(ShowBitmap which) {
    showBitmaps[which] = new uint8_t[kBitmapBytes];
    readIndexedBitmap(kBitmapFiles[which], showBitmaps[which]);
}

void loadScene(ShowScene which) {
    showScenes[which] = new Scene();
    showSceneLoaded[which] = showScenes[which]->load(kSceneFiles[which]);
    // A refused file is said once; its scene then plays black frames.
    if (!showSceneLoaded[which]) {
        std::fprintf(stderr, "orvane: %s: %s; the scene plays without it\n", kSceneFiles[which],
                     showScenes[which]->loadError());
    }
}

// Emitters only on a scene that loaded: a refused scene plays black frames.
void attachSceneEmitters(ShowScene which, int capacity, float lifetime, int rate, float size,
                         float rise) {
    if (showSceneLoaded[which]) showScenes[which]->attachEmitters(capacity, lifetime, rate, size, rise);
}

void createSharedParticles() {
    sharedParticles = new ParticleSystem(10000, "data/plume.jpg", 4.0f, 150, 10.0f, 0.0f);
    sharedParticles->viewPosition = Vec3{0.0, 0.0, 500.0};
    sharedParticles->viewRotation = Vec3{};
    sharedParticles->depthTest = false;
}

}  // namespace

float lowerCountdown(float value) {
    if (value > 0.0f) value -= kCountdownStep;
    return value < 0.0f ? 0.0f : value;
}

LoadingPose loadingPose(float value) {
    return {-value - 1.0f, 90.0f - (kCountdownStart - value) * 90.0f / kCountdownStart};
}

// Steps and the number of screens after each, in this exact order.
void loadShow() {
    countdown = kCountdownStart;
    createBlankTexture(textureTable, kCaptureSide, 3, GL_RGB, 0);
    loadJpegTexture(textureTable, "data/group.jpg", 1);
    loadJpegTexture(textureTable, "data/load.jpg", kLoadingSlot);
    loadJpegTexture(textureTable, "data/fond1.jpg", 4);  showScreens(1);
    loadJpegTexture(textureTable, "data/tete.jpg", 5);   showScreens(1);
    createBlankTexture(textureTable, kCaptureSide, 3, GL_RGB, 7);  showScreens(1);
    createSharedParticles();       showScreens(1);
    loadBitmap(kOrvaneBmp);        showScreens(1);
    loadBitmap(kCodebyBmp);        showScreens(1);
    loadBitmap(kGfxbyBmp);         showScreens(1);
    loadBitmap(kZikbyBmp);         showScreens(1);
    loadBitmap(kEndBmp);           showScreens(1);
    loadScene(kYoda);              showScreens(1);
    loadScene(kMeta);              showScreens(2);
    loadScene(kEntree);            showScreens(2);
    loadScene(kRace);              showScreens(3);
    attachSceneEmitters(kRace, 1000, 1.0f, 100, 10.0f, 0.0f);   showScreens(3);
    loadScene(kCity);              showScreens(3);
    attachSceneEmitters(kCity, 1000, 2.0f, 100, 3.0f, 0.0f);    showScreens(3);
    loadScene(kRooms);             showScreens(3);
    attachSceneEmitters(kRooms, 1000, 1.0f, 100, 30.0f, 0.0f);  showScreens(3);
    loadScene(kWater);             showScreens(3);
    attachSceneEmitters(kWater, 50, 1.0f, 10, 15.0f, 80.0f);    showScreens(3);
    loadScene(kMine);              showScreens(3);
    attachSceneEmitters(kMine, 50, 1.5f, 20, 25.0f, 180.0f);    showScreens(3);
    loadBitmap(kVeskBmp);          showScreens(2);
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
    glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 1.0f); glVertex3f(-1.5f, -1.0f, kLoadingQuadZ);
        glTexCoord2f(0.0f, 0.0f); glVertex3f(-1.5f, 1.0f, kLoadingQuadZ);
        glTexCoord2f(1.0f, 0.0f); glVertex3f(1.5f, 1.0f, kLoadingQuadZ);
        glTexCoord2f(1.0f, 1.0f); glVertex3f(1.5f, -1.0f, kLoadingQuadZ);
    glEnd();
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
