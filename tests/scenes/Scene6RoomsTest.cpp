// Scene 6: the credit windows clear the shared pool once each, the walker
// budget per window, and the fly-in over the previous scene's picture.
#include <gtest/gtest.h>

#include <map>

#include "Scene3LetteringFixtures.h"
#include "app/ShowWindow.h"
#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "scenes/SceneLoop.h"
#include "scenes/Scene6Rooms.h"
#include "support/GlTestContext.h"

namespace {

constexpr int kLeftover = 77;  // particles scene 3 left in the pool

struct CreditBitmaps {
    BitmapSlot codeby{kCodebyBmp, serpentineBitmap(52, 82)};
    BitmapSlot gfxby{kGfxbyBmp, serpentineBitmap(52, 82)};
    BitmapSlot zikby{kZikbyBmp, serpentineBitmap(52, 82)};
};

void fillLeftover(ParticleSystem& pool) {
    for (int i = 0; i < kLeftover; ++i) pool.emitAt(0.0, 0.0, 0.0);
}

// The pool's count after the frame at each half second of the scene.
std::map<int, int> countsByHalfSecond(CreditLettering& credits, ParticleSystem& pool, std::map<int, bool>& drawn) {
    std::map<int, int> counts;
    for (int half = 0; half <= 90; ++half) {
        drawn[half] = credits.write(half * 0.5f, pool);
        counts[half] = pool.count;
    }
    return counts;
}

TEST(Scene6Credits, EachWindowClearsThePoolOnceAndWritesItsCredit) {
    SharedPool shared;
    CreditBitmaps bitmaps;
    fillLeftover(shared.pool);
    CreditLettering credits;
    std::map<int, bool> drawn;
    std::map<int, int> count = countsByHalfSecond(credits, shared.pool, drawn);

    EXPECT_FALSE(drawn[9]);
    EXPECT_EQ(count[9], kLeftover) << "before the first window the pool is untouched";
    EXPECT_TRUE(drawn[10]);
    EXPECT_EQ(count[10], 0) << "t = 5: cleared, no step yet";
    EXPECT_EQ(count[12], 300) << "t = 6: not cleared again";
    EXPECT_EQ(count[20], 1500) << "t = 10: half the budget";
    EXPECT_EQ(count[30], 3000) << "t = 15: the whole budget";
    EXPECT_FALSE(drawn[34]);
    EXPECT_EQ(count[34], 3000) << "t = 17: no lettering, the particles stay";
    EXPECT_EQ(count[40], 0) << "t = 20: the second window clears";
    EXPECT_EQ(count[42], 300);
    EXPECT_EQ(count[60], 3000);
    EXPECT_EQ(count[70], 0) << "t = 35: the third window clears";
    EXPECT_EQ(count[90], 3000);
    EXPECT_EQ(credits.phase, kCreditWindowCount);
}

// A stall that skips a whole window: the later windows write without
// clearing, so the phase never catches up.
TEST(Scene6Credits, SkippedWindowStopsTheClearing) {
    SharedPool shared;
    CreditBitmaps bitmaps;
    fillLeftover(shared.pool);
    CreditLettering credits;

    EXPECT_FALSE(credits.write(4.0f, shared.pool));
    EXPECT_TRUE(credits.write(21.0f, shared.pool));
    EXPECT_EQ(shared.pool.count, kLeftover + 300);
    EXPECT_EQ(credits.phase, 0);
    EXPECT_TRUE(credits.write(36.0f, shared.pool));
    EXPECT_EQ(shared.pool.count, kLeftover + 300 + 300);
    EXPECT_EQ(credits.phase, 0);
}

// The fly-in with a scene that renders black over a grey previous picture:
// the incoming quad covers the centre at t = 0.5 but not the corners, and
// almost the whole view just before t = 1.
TEST(Scene6Frames, FlyInComesForwardOverThePreviousPicture) {
    openTestGlContext();
    std::unique_ptr<Scene> scene = cameraOnlyScene("scene6-camera.3ds");
    ASSERT_TRUE(scene);
    scene->evaluateKeyframes();
    const uint32_t savedSlot0 = textureTable[kTransitionSlot], savedSlot7 = textureTable[7];
    textureTable[kTransitionSlot] = solidTexture(200);
    createBlankTexture(textureTable, 512, 3, GL_RGB, 7);

    auto frameAt = [&](float t) {
        clearFrame();
        drawFlyIn(*scene, t);
        return readFramebufferRgb(0, 0, 640, 480);
    };
    const uint32_t grey = 0xC8C8C8;
    std::vector<uint8_t> edgeOn = frameAt(0.0f);
    EXPECT_EQ(rgbAt(edgeOn, 640, 320, 240) & 0xF0F0F0, grey & 0xF0F0F0) << "edge-on at t = 0";
    std::vector<uint8_t> half = frameAt(0.5f);
    EXPECT_EQ(rgbAt(half, 640, 320, 240), 0u) << "the new scene covers the centre";
    EXPECT_EQ(rgbAt(half, 640, 5, 5) & 0xF0F0F0, grey & 0xF0F0F0) << "the old picture shows in the corner";
    std::vector<uint8_t> late = frameAt(0.99f);
    EXPECT_EQ(rgbAt(late, 640, 40, 40), 0u);
    EXPECT_EQ(rgbAt(late, 640, 600, 440), 0u);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], runSettings.width);
    EXPECT_EQ(viewport[3], runSettings.height);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    textureTable[kTransitionSlot] = savedSlot0;
    textureTable[7] = savedSlot7;
}

}  // namespace
