// Shared by the scene tests of scenes 3, 6, 7 and 8: bitmaps whose walk
// emits one particle per step, a pool shaped like the shared one, and a
// playable scene holding only a camera.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/Textures.h"
#include "particles/Particles.h"
#include "scenes/Show.h"
#include "support/Chunk3dsWriter.h"
#include "support/GlHelpers.h"

// A serpentine stroke from (startX, startY): rows two pixels apart, from
// startX to column 300, joined at alternate ends. Every walker step reaches a
// new pixel, so the particle count equals the step budget (up to about
// 10000 steps).
inline std::vector<uint8_t> serpentineBitmap(int startX, int startY) {
    constexpr int kRightX = 300, kLastRow = 196;
    std::vector<uint8_t> bitmap(kBitmapBytes, 0);
    auto set = [&](int x, int y) { bitmap[y * kBitmapWidth + x] = 255; };
    bool rightwards = true;
    for (int y = startY; y <= kLastRow; y += 2) {
        for (int x = startX; x <= kRightX; ++x) set(x, y);
        if (y + 2 <= kLastRow) set(rightwards ? kRightX : startX, y + 1);
        rightwards = !rightwards;
    }
    return bitmap;
}

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

// A texture of one grey level (needs a GL context).
inline uint32_t solidTexture(uint8_t level) {
    return testgl::makeTexture(8, [level](int, int) { return level * 0x010101u; }, GL_LINEAR);
}

// A loaded scene with a camera only (eye (0, 0, 20) looking at the origin,
// keys at frames 0 and 2000): render draws nothing but the view is valid.
inline std::unique_ptr<Scene> cameraOnlyScene(const std::string& fileName) {
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D);
    w.camera("Cam", {0, -20, 0}, {0, 0, 0});
    w.end().begin(0xB000);
    w.infoBlock(0xB003, "Cam", {0, 2000}, {{0, -20, 0}, {0, -20, 0}});
    w.infoBlock(0xB004, "Cam", {0, 2000}, {{0, 0, 0}, {0, 0, 0}});
    w.end().end();
    auto scene = std::make_unique<Scene>();
    if (!scene->load(w.writeFile(fileName).c_str())) return nullptr;
    return scene;
}

// Number of pixels of an RGB buffer brighter than level in any channel.
inline int litPixels(const std::vector<uint8_t>& rgb, int level = 8) {
    int lit = 0;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3) {
        if (rgb[i] > level || rgb[i + 1] > level || rgb[i + 2] > level) ++lit;
    }
    return lit;
}
