// Test pieces for the scene tests: textures put into the show's texture
// table, small in-memory scenes, a bitmap and a pool installed as the show's
// own, and pixel reads of the window and of a slot.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/RunSettings.h"
#include "media/Textures.h"
#include "particles/Particles.h"
#include "platform/Platform.h"
#include "scenes/Show.h"
#include "support/GlHelpers.h"
#include "support/TestScenes.h"

using testgl::green;
using testgl::red;

// Replaces textureTable[slot] with a new side x side texture: `below` in the
// rows under `split` (row 0 is t = 0, the bottom of a capture), `above` from
// it on (0xRRGGBB, linear filtering).
inline void setSlot(int slot, uint32_t below, int side = 64, uint32_t above = 0, int split = 1 << 20) {
    if (textureTable[slot] != 0) glDeleteTextures(1, &textureTable[slot]);
    textureTable[slot] = testgl::makeTexture(
        side, [=](int, int row) { return row < split ? below : above; }, GL_LINEAR);
}

// A scene whose own record is a camera at the origin looking down -z; with
// a white square of half side `half` centred at (x, y, z) as its second
// object when half > 0. Not loaded from a file; frames never clamp.
inline std::unique_ptr<Scene> makeScene(double x = 0, double y = 0, double z = -10, double half = 0) {
    auto scene = std::make_unique<Scene>();
    SceneObject& camera = testscenes::appendObject(*scene, ObjectKind::Camera, "camera");
    camera.cameraTarget = Vec3{0.0, 0.0, -1.0};
    scene->camera = &camera;
    scene->frameCount = 100000;
    scene->cursor = scene.get();
    if (half > 0) {
        SceneObject& square = testscenes::addSquareMesh(*scene, "square", x, y, z, half);
        square.positionKeyCount = square.rotationKeyCount = 0;  // placed by hand, not animated
    }
    return scene;
}

// RGB pixels, row 0 at the bottom.
struct Pixels {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;
    uint32_t at(int x, int y) const { return rgbAt(rgb, width, x, y); }
    // Pixels whose red channel is at least level.
    int lit(int level = 1) const {
        int count = 0;
        for (size_t i = 0; i < rgb.size(); i += 3) count += rgb[i] >= level ? 1 : 0;
        return count;
    }
    // Rows of column x whose red channel is at least level.
    int litRows(int x, int level = 1) const {
        int rows = 0;
        for (int y = 0; y < height; ++y) rows += red(at(x, y)) >= level ? 1 : 0;
        return rows;
    }
};

inline Pixels readWindow() {
    return Pixels{runSettings.width, runSettings.height,
                  readFramebufferRgb(0, 0, runSettings.width, runSettings.height)};
}

// The 512x512 image of textureTable[slot].
inline Pixels readSlot(int slot) {
    glBindTexture(GL_TEXTURE_2D, textureTable[slot]);
    Pixels pixels{512, 512, testgl::textureRgb(512, 512)};
    glBindTexture(GL_TEXTURE_2D, 0);
    return pixels;
}

// The texture bound to GL_TEXTURE_2D.
inline GLuint boundTexture() {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return static_cast<GLuint>(bound);
}

// Whether a draw left the state every draw promises: depth test on,
// blending off.
inline bool depthOnBlendOff() { return glIsEnabled(GL_DEPTH_TEST) && !glIsEnabled(GL_BLEND); }

// Whether the viewport covers the whole window.
inline bool fullViewport() {
    GLint v[4] = {};
    glGetIntegerv(GL_VIEWPORT, v);
    return v[0] == 0 && v[1] == 0 && v[2] == runSettings.width && v[3] == runSettings.height;
}

// A serpentine stroke from (startX, startY): rows two pixels apart to column
// 300, joined at alternate ends, so that every walker step emits one particle
// (up to about 10000 steps).
inline std::vector<uint8_t> serpentineBitmap(int startX, int startY) {
    constexpr int kRightX = 300, kLastRow = 196;
    std::vector<uint8_t> bitmap(kBitmapBytes, 0);
    for (int y = startY, rightwards = 1; y <= kLastRow; y += 2, rightwards = !rightwards) {
        for (int x = startX; x <= kRightX; ++x) bitmap[y * kBitmapWidth + x] = 255;
        if (y + 2 <= kLastRow) bitmap[(y + 1) * kBitmapWidth + (rightwards ? kRightX : startX)] = 255;
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

// Installs scene as the show's scene number n (loaded or refused) for the
// life of the guard.
struct ShowSceneSlot {
    int index;
    ShowSceneSlot(int n, Scene* scene, bool loaded) : index(n - 1) {
        showScenes[index] = scene;
        showSceneLoaded[index] = loaded;
    }
    ~ShowSceneSlot() {
        showScenes[index] = nullptr;
        showSceneLoaded[index] = false;
    }
};

// A GL test on the shared 640x480 window, back on the real clock and a black
// clear colour afterwards.
class SceneGlTest : public ::testing::Test {
protected:
    void SetUp() override { openTestGlContext(640, 480); }
    void TearDown() override {
        useRealClock();
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    }
};
