// The show: what the loading sequence makes, the eight scene functions, and
// the run of them in order.
#pragma once

#include <cstdint>

#include "particles/Particles.h"
#include "scene3ds/Scene.h"
#include "scenes/ShowPlan.h"

// [SECTION] Loaded assets (lifetime: show, from loadShow to releaseShow) -----

enum ShowBitmap { kOrvaneBmp, kCodebyBmp, kGfxbyBmp, kZikbyBmp, kEndBmp, kVeskBmp, kShowBitmapCount };

// By scene number - 1.
extern Scene* showScenes[kShowSceneCount];
// False where the scene file was refused: its scene plays black frames.
extern bool showSceneLoaded[kShowSceneCount];
extern uint8_t* showBitmaps[kShowBitmapCount];  // kBitmapBytes each
extern ParticleSystem* sharedParticles;

// Scene n's Scene (1 to 8) when its file loaded, else null.
Scene* playableScene(int n);

void loadShow();
void drawLoadingScreen(float countdown);
void releaseShow();

// [SECTION] Playing ----------------------------------------------------------

void playScene1(float duration);
void playScene2(float duration);
void playScene3(float duration);
void playScene4(float duration);
void playScene5(float duration);
void playScene6(float duration);
void playScene7(float duration);
void playScene8(float duration);

// Scene n (1 to 8) alone for its duration, with its timings.
void playShowScene(int n);
// The eight scenes in order from show time 0; a quit request skips the
// rest of the show.
void playShowScenes();
