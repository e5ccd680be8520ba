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

class Scene4Test : public ::testing::Test {
protected:
    void SetUp() override { openTestGlContext(); }
};

// At 0 the hundred tiles join into the previous frame, upright: texture rows
// below 281 (t = 0.55, inside tile row 5) green at the bottom, every pixel
// covered.
TEST_F(Scene4Test, TilesFormThePreviousPictureWithoutGapsAtTheStart) {
    makeSplitTexture(kTransitionSlot, 0x00FF00, 0xFF0000, 281);
    Scene* scene = makeEmptyScene();
    drawScene4Frame(*scene, 0.0f);
    const WindowPixels pixels = readWindow();
    int covered = 0;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x) {
            const uint32_t rgb = pixels.at(x, y);
            covered += (red(rgb) + green(rgb) >= 254) ? 1 : 0;
        }
    }
    EXPECT_EQ(covered, pixels.width * pixels.height);
    EXPECT_EQ(pixels.at(320, 100), 0x00FF00u);
    EXPECT_EQ(pixels.at(320, 380), 0xFF0000u);
    // Tile row 5 spans eye y 0 to 0.2, window rows 240 to 298: split inside.
    EXPECT_EQ(pixels.at(320, 254), 0x00FF00u);
    EXPECT_EQ(pixels.at(320, 283), 0xFF0000u);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    delete scene;
}

TEST_F(Scene4Test, TilesTurnAwayAndAreGoneAfterThreeSeconds) {
    makeUniformTexture(kTransitionSlot, 0xFFFFFF, 512);
    Scene* scene = makeEmptyScene();
    drawScene4Frame(*scene, 1.5f);
    const int halfway = readWindow().countRedAtLeast(1);
    EXPECT_GT(halfway, 0);
    EXPECT_LT(halfway, 640 * 480);

    // Edge-on at 3.0 exactly: drawn (slot 0 bound last) but covering nothing.
    glBindTexture(GL_TEXTURE_2D, 0);
    drawScene4Frame(*scene, 3.0f);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<uint32_t>(bound), textureTable[kTransitionSlot]);

    glBindTexture(GL_TEXTURE_2D, 0);
    drawScene4Frame(*scene, 3.01f);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0);
    EXPECT_EQ(readWindow().countRedAtLeast(1), 0);
    delete scene;
}

TEST_F(Scene4Test, TilesCoverTheRenderedScene) {
    makeUniformTexture(kTransitionSlot, 0x0000FF, 512);
    Scene* scene = makeSquareScene(0.0, 0.0, -10.0, 1.0);
    drawScene4Frame(*scene, 0.0f);
    EXPECT_EQ(readWindow().at(320, 240), 0x0000FFu);
    drawScene4Frame(*scene, 3.5f);
    EXPECT_EQ(readWindow().at(320, 240), 0xFFFFFFu);
    delete scene;
}

// The closing capture squeezes the whole view into the 512x512 corner; the
// rows above a 480-row window come out black.
TEST_F(Scene4Test, SlotZeroHoldsTheLastFrameAfterTheScene) {
    makeUniformTexture(kTransitionSlot, 0x0000FF, 512);
    Scene* scene = makeSquareScene(0.0, 0.0, -10.0, 1.0);
    showScenes[kRace] = scene;
    showSceneLoaded[kRace] = true;
    useSteppedClock(1000.0 / 30.0);
    playScene4(0.2f);
    useRealClock();
    const WindowPixels slot = readSlot(kTransitionSlot);
    EXPECT_EQ(slot.at(256, 256), 0xFFFFFFu);
    EXPECT_EQ(slot.at(256 + 80, 256), 0u);
    EXPECT_EQ(slot.at(20, 20), 0u);
    EXPECT_EQ(slot.at(20, 500), 0u);

    // A refused scene leaves its black last frame.
    makeUniformTexture(kTransitionSlot, 0x0000FF, 512);
    showSceneLoaded[kRace] = false;
    useSteppedClock(1000.0 / 30.0);
    playScene4(0.1f);
    useRealClock();
    EXPECT_EQ(readSlot(kTransitionSlot).at(100, 100), 0u);
    EXPECT_EQ(readSlot(kTransitionSlot).at(256, 256), 0u);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    showScenes[kRace] = nullptr;
    delete scene;
}

}  // namespace
