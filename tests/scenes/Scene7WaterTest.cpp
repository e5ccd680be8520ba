// Scene 7: the returning title's window, its arrival seen in frames, and its
// depth test against nearer geometry.
#include <gtest/gtest.h>

#include "Scene3LetteringFixtures.h"
#include "app/ShowWindow.h"
#include "scenes/Scene7Water.h"
#include "support/GlTestContext.h"

namespace {

constexpr float kSceneSeconds = 45.0f;
constexpr int kWidth = 640, kHeight = 480;

TEST(Scene7Title, FirstDrawnAtFortyThreeSeconds) {
    EXPECT_FALSE(returningTitleShown(0.0f, kSceneSeconds));
    EXPECT_FALSE(returningTitleShown(42.999f, kSceneSeconds));
    EXPECT_TRUE(returningTitleShown(43.0f, kSceneSeconds));
    EXPECT_TRUE(returningTitleShown(45.03f, kSceneSeconds)) << "the last frame, just past the end";
}

class Scene7Frames : public ::testing::Test {
protected:
    void SetUp() override {
        openTestGlContext(kWidth, kHeight);
        scene = cameraOnlyScene("scene7-camera.3ds");
        ASSERT_TRUE(scene);
        scene->evaluateKeyframes();
        savedTitle = textureTable[5];
        textureTable[5] = solidTexture(255);
    }
    void TearDown() override { textureTable[5] = savedTitle; }
    std::vector<uint8_t> frameAt(float e) {
        drawScene7Frame(*scene, e, kSceneSeconds);
        return readFramebufferRgb(0, 0, kWidth, kHeight);
    }
    std::unique_ptr<Scene> scene;
    uint32_t savedTitle = 0;
};

// Edge-on and far at 43 s, turned and nearer at 44 s, facing the viewer and
// taller than the view at 45 s.
TEST_F(Scene7Frames, TitleSwingsInOverTheLastTwoSeconds) {
    EXPECT_EQ(litPixels(frameAt(42.9f)), 0);
    EXPECT_LT(litPixels(frameAt(43.0f)), kWidth * 2) << "edge-on: at most a sliver";
    std::vector<uint8_t> turned = frameAt(44.0f);
    EXPECT_NE(rgbAt(turned, kWidth, kWidth / 2, kHeight / 2), 0u);
    EXPECT_EQ(rgbAt(turned, kWidth, kWidth / 2, kHeight - 3), 0u) << "still shorter than the view";
    std::vector<uint8_t> facing = frameAt(45.0f);
    EXPECT_EQ(rgbAt(facing, kWidth, kWidth / 2, kHeight / 2), 0xFFFFFFu);
    EXPECT_EQ(rgbAt(facing, kWidth, kWidth / 2, kHeight - 3), 0xFFFFFFu) << "fills the view's height";
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

// Geometry nearer than the title hides it: a black square at depth -1 over
// the left half of the view.
TEST_F(Scene7Frames, TitleIsDepthTested) {
    clearFrame();
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, 0);
    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_QUADS);
        glVertex3f(-2.0f, -2.0f, -1.0f);
        glVertex3f(0.0f, -2.0f, -1.0f);
        glVertex3f(0.0f, 2.0f, -1.0f);
        glVertex3f(-2.0f, 2.0f, -1.0f);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
    drawTitle(-2.0f, 0.0f);
    std::vector<uint8_t> pixels = readFramebufferRgb(0, 0, kWidth, kHeight);
    EXPECT_EQ(rgbAt(pixels, kWidth, kWidth / 4, kHeight / 2), 0u);
    EXPECT_EQ(rgbAt(pixels, kWidth, 3 * kWidth / 4, kHeight / 2), 0xFFFFFFu);
}

}  // namespace
