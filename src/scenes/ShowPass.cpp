// Every pass of a looping show starts as the first did.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "media/Textures.h"
#include "particles/Particles.h"
#include "render/ResetAnimation.h"
#include "scenes/Scene8Mine.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"

namespace {

// What later passes restore. Lifetime: program, filled by pass 1.
struct FirstPass {
    std::vector<uint8_t> bitmaps[kShowBitmapCount];  // as loaded: the walker marks them
    double steppedStartMs = 0.0;
};
FirstPass firstPass;

void restoreBitmaps() {
    for (int b = 0; b < kShowBitmapCount; ++b) {
        const std::vector<uint8_t>& loaded = firstPass.bitmaps[b];
        if (showBitmaps[b] != nullptr && !loaded.empty()) std::copy(loaded.begin(), loaded.end(), showBitmaps[b]);
    }
}

void rewindScenes() {
    for (int n = 1; n <= kShowSceneCount; ++n) {
        Scene* scene = playableScene(n);
        if (scene == nullptr) continue;
        resetAnimation(*scene);
        scene->resetEmitters();
    }
    if (sharedParticles != nullptr) {
        sharedParticles->count = 0;
        sharedParticles->lifetime = kSharedLifetime;
    }
}

}  // namespace

void beginShowPass(int pass) {
    // The type-3 emitters scatter with rand: the same sequence every pass.
    std::srand(1);
    if (pass <= 1) {
        for (int b = 0; b < kShowBitmapCount; ++b) {
            if (showBitmaps[b] != nullptr) firstPass.bitmaps[b].assign(showBitmaps[b], showBitmaps[b] + kBitmapBytes);
        }
        firstPass.steppedStartMs = clockIsStepped() ? steppedTime() : 0.0;
        keepRestingHeights();
        return;
    }
    restoreBitmaps();
    restoreRestingHeights();
    rewindScenes();
    blackenCaptureSlot(kTransitionSlot);
    blackenCaptureSlot(kRenderSlot);
    particleDepthTestOn();
    if (clockIsStepped()) setSteppedTime(firstPass.steppedStartMs);
}
