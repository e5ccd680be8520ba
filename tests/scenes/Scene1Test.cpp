#include <GL/gl.h>
#include <gtest/gtest.h>

#include "Scene1245Kit.h"
#include "app/ShowWindow.h"
#include "media/Textures.h"
#include "platform/Platform.h"
#include "scenes/SceneFrames.h"
#include "scenes/Show.h"
#include "support/GlTestContext.h"

namespace {

constexpr float kDuration = 6.5f;  // seconds, as the show plays it

// The square of makeSquareScene(+-3, 0, -10, 1) on a 640x480 window: centre
// column 320 -+ 174, 58 pixels either side.
constexpr int kLeftX = 146;
constexpr int kRightX = 494;
constexpr int kMiddleY = 240;
constexpr int kSquarePixels = 116 * 116;

class Scene1Test : public ::testing::Test {
protected:
    void SetUp() override {
        openTestGlContext();
        makeBlankTransition();
        makeUniformTexture(4, 0x000000);  // backdrop
        makeUniformTexture(5, 0x000000);  // title
    }
};

TEST_F(Scene1Test, FirstFrameHasNoTrailLaterFramesDoAndItFades) {
    Scene* scene = makeSquareScene(-3.0, 0.0, -10.0, 1.0);
    drawScene1Frame(*scene, 2.5f, kDuration);
    WindowPixels pixels = readWindow();
    EXPECT_EQ(red(pixels.at(kLeftX, kMiddleY)), 255);
    EXPECT_EQ(pixels.at(kRightX, kMiddleY), 0u);
    // Only the square itself is lit (its feedback copy lies on it).
    EXPECT_LT(pixels.countRedAtLeast(1), kSquarePixels * 12 / 10);

    squareOf(*scene).position.x = 6.0;  // now at x = +3
    drawScene1Frame(*scene, 2.6f, kDuration);
    pixels = readWindow();
    const int trail = red(pixels.at(kLeftX, kMiddleY));
    EXPECT_NEAR(trail, 207, 4);  // 255 x 0.9 in the feedback, x 0.9 on screen
    EXPECT_EQ(red(pixels.at(kRightX, kMiddleY)), 255);

    drawScene1Frame(*scene, 2.7f, kDuration);
    pixels = readWindow();
    EXPECT_NEAR(red(pixels.at(kLeftX, kMiddleY)), trail * 0.9, 4);
    delete scene;
}

TEST_F(Scene1Test, TitleIsDrawnUpToTwoSecondsAndNotAfter) {
    makeUniformTexture(5, 0xFFFFFF);
    Scene* scene = makeEmptyScene();
    drawScene1Frame(*scene, 0.0f, kDuration);
    WindowPixels pixels = readWindow();
    // Facing the viewer at depth -2: larger than the view.
    EXPECT_EQ(pixels.countRedAtLeast(255), pixels.width * pixels.height);

    drawScene1Frame(*scene, 1.99f, kDuration);
    pixels = readWindow();
    EXPECT_GT(pixels.countRedAtLeast(1), 0);  // a sliver, nearly edge-on
    EXPECT_LT(pixels.countRedAtLeast(1), pixels.width * pixels.height / 50);

    // At 2.0 exactly it is edge-on and covers no pixel; the slot it binds
    // last tells that it was drawn.
    GLint bound = 0;
    drawScene1Frame(*scene, 2.0f, kDuration);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<uint32_t>(bound), textureTable[5]);

    drawScene1Frame(*scene, 2.01f, kDuration);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_NE(static_cast<uint32_t>(bound), textureTable[5]);
    EXPECT_EQ(readWindow().countRedAtLeast(1), 0);
    delete scene;
}

TEST_F(Scene1Test, BackdropLayersAddOverTheWholeFrame) {
    makeUniformTexture(4, 0x202020);
    Scene* scene = makeEmptyScene();
    drawScene1Frame(*scene, 3.0f, kDuration);
    const WindowPixels pixels = readWindow();
    // Both spinning layers cover every pixel, the band adds a third copy.
    EXPECT_EQ(pixels.at(5, 5), 0x404040u);
    EXPECT_EQ(pixels.at(320, 240), 0x606060u);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    delete scene;
}

// The closing step leaves the last visible frame with slot 0 added once more,
// read from a frame drawn for it (a presented back buffer is undefined); at
// 640x480 the rows above the window come out black.
TEST_F(Scene1Test, SlotZeroHoldsTheLastFrameAfterTheScene) {
    Scene* scene = makeSquareScene(0.0, 0.0, -10.0, 1.0);
    showScenes[kYoda] = scene;
    showSceneLoaded[kYoda] = true;
    useSteppedClock(1000.0 / 30.0);
    playScene1(0.2f);
    useRealClock();
    const WindowPixels slot = readSlot(kTransitionSlot);
    EXPECT_EQ(red(slot.at(320, 240)), 255);
    EXPECT_EQ(slot.at(320 + 100, 240), 0u);
    EXPECT_EQ(slot.at(20, 20), 0u);

    makeUniformTexture(4, 0xFFFFFF);  // the backdrop lights every pixel
    playScene1(0.1f);
    const WindowPixels bright = readSlot(kTransitionSlot);
    EXPECT_EQ(bright.at(20, 470), 0xFFFFFFu);
    EXPECT_EQ(bright.at(20, 490), 0u);
    EXPECT_EQ(bright.at(500, 511), 0u);
    showScenes[kYoda] = nullptr;
    showSceneLoaded[kYoda] = false;
    delete scene;
}

}  // namespace
