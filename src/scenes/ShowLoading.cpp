#include "scenes/Show.h"

Scene* showScenes[kShowSceneCount] = {};
bool showSceneLoaded[kShowSceneCount] = {};
uint8_t* showBitmaps[kShowBitmapCount] = {};
ParticleSystem* sharedParticles = nullptr;

// Placeholder until the loading sequence lands: empty scenes, no pictures.
void loadShow() {
    for (Scene*& scene : showScenes) scene = new Scene();
}

void drawLoadingScreen(float) {}

void releaseShow() {}
