// The show: what the loading sequence makes, and the eight scene functions.
#pragma once

#include <cstdint>

#include "particles/Particles.h"
#include "scene3ds/Scene.h"

// [SECTION] Loaded assets (lifetime: show, from loadShow to releaseShow) -----

enum ShowScene { kYoda, kMeta, kEntree, kRace, kCity, kRooms, kWater, kMine, kShowSceneCount };
enum ShowBitmap { kOrvaneBmp, kCodebyBmp, kGfxbyBmp, kZikbyBmp, kEndBmp, kVeskBmp, kShowBitmapCount };

extern Scene* showScenes[kShowSceneCount];
// False where the scene file was refused: its scene plays black frames.
extern bool showSceneLoaded[kShowSceneCount];
extern uint8_t* showBitmaps[kShowBitmapCount];  // kBitmapBytes each
extern ParticleSystem* sharedParticles;

void loadShow();
void drawLoadingScreen(float countdown);
void releaseShow();

// [SECTION] Scene functions --------------------------------------------------

void playScene1(float duration);
void playScene2(float duration);
void playScene3(float duration);
void playScene4(float duration);
void playScene5(float duration);
void playScene6(float duration);
void playScene7(float duration);
void playScene8(float duration);
