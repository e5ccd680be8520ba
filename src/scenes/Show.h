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
// The shared pool's particle lifetime as loaded (the closing text sets its own).
constexpr float kSharedLifetime = 4.0f;  // seconds

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
// Puts back what a pass of the show changes, as loading left it: each
// scene's animation at its start, the emitters' and the shared pool empty,
// the lettering bitmaps unwritten, the capture textures black, the random
// sequence at its start and, on the stepped clock, the time where the first
// pass began, so that every pass draws the first pass's frames. Pass 1 only
// keeps what later passes restore (the only allocation a loop makes).
void beginShowPass(int pass);
// The eight scenes in order, drawn from startAt seconds of show time (the
// scenes before it run without drawing); a quit request skips the rest of
// the show.
void playShowScenes(double startAt = 0.0);
