#include <GL/gl.h>
#include <gtest/gtest.h>

#include "Scene1245Kit.h"
#include "app/ShowWindow.h"
#include "media/Textures.h"
#include "particles/Particles.h"
#include "platform/Platform.h"
#include "scenes/SceneFrames.h"
#include "scenes/Show.h"
#include "support/GlTestContext.h"

namespace {

class Scene5Test : public ::testing::Test {
protected:
    void SetUp() override { openTestGlContext(); }
};

// At 0 the old frame stands unturned at depth -2, larger than the view, so
// the hand-over shows no jump.
TEST_F(Scene5Test, QuadCoversTheScreenAtTheStartAndIsGoneAfterFourSeconds) {
    makeUniformTexture(kTransitionSlot, 0xFFFFFF, 512);
    Scene* scene = makeSquareScene(0.0, 0.0, -10.0, 1.0);
    squareOf(*scene).vertexColors.assign(4, Color3{0.0f, 0.0f, 1.0f});
    drawScene5Frame(*scene, 0.0f);
    EXPECT_EQ(readWindow().countRedAtLeast(255), 640 * 480);

    drawScene5Frame(*scene, 2.0f);
    const int turning = readWindow().countRedAtLeast(255);
    EXPECT_GT(turning, 0);
    EXPECT_LT(turning, 640 * 480 / 4);

    glBindTexture(GL_TEXTURE_2D, 0);
    drawScene5Frame(*scene, 4.0f);  // edge-on: drawn, covering nothing
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<uint32_t>(bound), textureTable[kTransitionSlot]);

    drawScene5Frame(*scene, 4.01f);
    const WindowPixels pixels = readWindow();
    EXPECT_EQ(pixels.countRedAtLeast(1), 0);
    EXPECT_EQ(pixels.at(320, 240), 0x0000FFu);  // the city itself
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    delete scene;
}

TEST_F(Scene5Test, ParticleDepthTestIsBackOnAndSlotZeroHoldsTheLastFrame) {
    makeUniformTexture(kTransitionSlot, 0x0000FF, 512);
    Scene* scene = makeSquareScene(0.0, 0.0, -10.0, 1.0);
    showScenes[kCity] = scene;
    showSceneLoaded[kCity] = true;
    particleDepthTestOn();
    useSteppedClock(1000.0 / 30.0);
    playScene5(0.2f);
    EXPECT_TRUE(particleDepthTest);
    const WindowPixels slot = readSlot(kTransitionSlot);
    EXPECT_EQ(slot.at(256, 256), 0xFFFFFFu);
    EXPECT_EQ(slot.at(20, 20), 0u);

    showSceneLoaded[kCity] = false;
    playScene5(0.1f);
    useRealClock();
    EXPECT_TRUE(particleDepthTest);
    showScenes[kCity] = nullptr;
    delete scene;
}

}  // namespace
