// Test pieces for the scene tests: textures put into the show's texture
// table, small in-memory scenes, a bitmap and a pool installed as the show's
// own, and pixel reads of the window and of a slot.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "particles/Particles.h"
#include "scenes/Show.h"
#include "support/GlHelpers.h"

// Replaces textureTable[slot] with a new side x side texture: `below` in the
// rows under `split` (row 0 is t = 0, the bottom of a capture), `above` from
// it on (0xRRGGBB, linear filtering).
void setSlot(int slot, uint32_t below, int side = 64, uint32_t above = 0, int split = 1 << 20);

// A scene whose own record is a camera at the origin looking down -z; with
// a white square of half side `half` centred at (x, y, z) as its second
// object when half > 0. Not loaded from a file; frames never clamp.
std::unique_ptr<Scene> makeScene(double x = 0, double y = 0, double z = -10, double half = 0);

// RGB pixels, row 0 at the bottom.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    uint32_t at(int x, int y) const;
    // Pixels whose red channel is at least level.
    int lit(int level = 1) const;
};
Pixels readWindow();
// The 512x512 image of textureTable[slot].
Pixels readSlot(int slot);

using testgl::green;
using testgl::red;

// A serpentine stroke from (startX, startY): rows two pixels apart to column
// 300, joined at alternate ends, so that every walker step emits one particle
// (up to about 10000 steps).
std::vector<uint8_t> serpentineBitmap(int startX, int startY);

// Puts a bitmap into the show's table for the life of the guard.
struct BitmapSlot {
    ShowBitmap which;
    std::vector<uint8_t> pixels;
    BitmapSlot(ShowBitmap which_, std::vector<uint8_t> pixels_) : which(which_), pixels(std::move(pixels_)) {
        showBitmaps[which] = pixels.data();
    }
    ~BitmapSlot() { showBitmaps[which] = nullptr; }
};

// A pool configured like the shared one (no sprite), installed as the shared
// pool for the life of the guard.
struct SharedPool {
    ParticleSystem pool{10000, nullptr, 4.0f, 150, 10.0f, 0.0f};
    SharedPool() {
        pool.viewPosition = Vec3{0.0, 0.0, 500.0};
        sharedParticles = &pool;
    }
    ~SharedPool() { sharedParticles = nullptr; }
};

// Installs scene as the show's scene `which` (loaded or refused) for the
// life of the guard.
struct ShowSceneSlot {
    ShowScene which;
    ShowSceneSlot(ShowScene which_, Scene* scene, bool loaded) : which(which_) {
        showScenes[which] = scene;
        showSceneLoaded[which] = loaded;
    }
    ~ShowSceneSlot() {
        showScenes[which] = nullptr;
        showSceneLoaded[which] = false;
    }
};
