// Scene 3: the name lettering's budget over the scene and its frames.
#include <gtest/gtest.h>

#include "Scene3LetteringFixtures.h"
#include "app/ShowWindow.h"
#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "scenes/Scene3Entrance.h"
#include "support/GlTestContext.h"

namespace {

constexpr float kSceneSeconds = 17.0f;

TEST(Scene3Lettering, BudgetGrowsToTheWholeNameOverTheScene) {
    SharedPool shared;
    BitmapSlot name(kOrvaneBmp, serpentineBitmap(kNameStartX, kNameStartY));

    writeNameLettering(0.0f, kSceneSeconds, shared.pool);
    EXPECT_EQ(shared.pool.count, 0) << "the first frame takes no step";

    writeNameLettering(8.5f, kSceneSeconds, shared.pool);
    EXPECT_EQ(shared.pool.count, 1500);
    // The first particle is the pixel right of the start point (52, 82).
    EXPECT_DOUBLE_EQ(shared.pool.particles[0].position.x, 2.0 * 53 - 320);
    EXPECT_DOUBLE_EQ(shared.pool.particles[0].position.y, 200.0 - 2.0 * 82);

    writeNameLettering(8.5f, kSceneSeconds, shared.pool);
    EXPECT_EQ(shared.pool.count, 1500) << "a replay emits nothing new";

    writeNameLettering(kSceneSeconds, kSceneSeconds, shared.pool);
    EXPECT_EQ(shared.pool.count, 3000);
}

TEST(Scene3Lettering, MissingBitmapWritesNothing) {
    SharedPool shared;
    showBitmaps[kOrvaneBmp] = nullptr;
    writeNameLettering(8.5f, kSceneSeconds, shared.pool);
    EXPECT_EQ(shared.pool.count, 0);
}

// Frames at 10 per second: the written part of the name grows, and each
// particle fades to black over the pool's 4 s.
TEST(Scene3Frames, LetteringGrowsFrameByFrame) {
    openTestGlContext();
    SharedPool shared;
    shared.pool.texture = solidTexture(255);
    BitmapSlot name(kOrvaneBmp, serpentineBitmap(kNameStartX, kNameStartY));
    useSteppedClock(100.0);
    constexpr double kStartMs = 50000.0;  // the scene's start on the tick clock

    auto litAt = [&](int frame) {
        setSteppedTime(kStartMs + frame * 100.0);
        clearFrame();
        writeNameLettering(frame * 0.1f, kSceneSeconds, shared.pool);
        drawScreenSpace(shared.pool);
        return litPixels(readFramebufferRgb(0, 0, 640, 480));
    };
    int lit[31] = {};
    for (int frame = 0; frame <= 30; ++frame) lit[frame] = litAt(frame);
    useRealClock();

    EXPECT_EQ(lit[0], 0) << "nothing is written at t = 0";
    EXPECT_GT(lit[10], 0);
    EXPECT_GT(lit[20], lit[10]);
    EXPECT_GT(lit[30], lit[20]);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

// The closing capture holds the render with the backdrop added (here a
// scene that draws nothing under a grey backdrop) and restores the view.
TEST(Scene3Frames, ClosingCaptureAddsTheBackdrop) {
    openTestGlContext();
    std::unique_ptr<Scene> scene = cameraOnlyScene("scene3-camera.3ds");
    ASSERT_TRUE(scene);
    scene->evaluateKeyframes();
    const uint32_t savedSlot0 = textureTable[kTransitionSlot], savedSlot4 = textureTable[4];
    createBlankTexture(textureTable, 512, 3, GL_RGB, kTransitionSlot);
    textureTable[4] = solidTexture(60);

    captureEntrance(*scene, kSceneSeconds, kSceneSeconds);
    std::vector<uint8_t> texels(512 * 512 * 3);
    glBindTexture(GL_TEXTURE_2D, textureTable[kTransitionSlot]);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    const uint32_t centre = rgbAt(texels, 512, 256, 256);
    EXPECT_EQ(centre, 0x787878u) << "two backdrop layers added over black";
    EXPECT_EQ(litPixels(readFramebufferRgb(0, 0, 640, 480)), 0) << "the back buffer is cleared";
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], runSettings.width);
    EXPECT_EQ(viewport[3], runSettings.height);
    textureTable[kTransitionSlot] = savedSlot0;
    textureTable[4] = savedSlot4;
}

}  // namespace
