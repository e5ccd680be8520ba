// The additive full-screen overlay: what it adds, where, and the GL state
// it leaves.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "SceneKit.h"
#include "app/ShowWindow.h"
#include "media/Overlay.h"
#include "media/Textures.h"
#include "support/GlTestContext.h"

namespace {

constexpr int kOverlaySlot = 6;  // a slot the show leaves empty

class OverlayTest : public ::testing::Test {
protected:
    void SetUp() override {
        openTestGlContext();
        glEnable(GL_TEXTURE_2D);
    }
    void TearDown() override {
        glDeleteTextures(1, &textureTable[kOverlaySlot]);
        textureTable[kOverlaySlot] = 0;
    }
};

// A black overlay (or a slot outside the table) leaves a picture as it was,
// and the matrices too.
TEST_F(OverlayTest, BlackTextureLeavesScreenAndMatricesUnchanged) {
    glClearColor(0.3f, 0.2f, 0.1f, 1.0f);
    clearFrame();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    setSlot(kOverlaySlot, 0x00FF00, 512, 0xFF0000, 256);
    drawFullscreenOverlay(kOverlaySlot);
    setSlot(kOverlaySlot, 0x000000);
    const Pixels before = readWindow();
    glTranslatef(1.0f, 2.0f, -3.0f);
    glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
    GLfloat matrices[2][16], after[2][16];
    glGetFloatv(GL_PROJECTION_MATRIX, matrices[0]);
    glGetFloatv(GL_MODELVIEW_MATRIX, matrices[1]);

    for (int slot : {kOverlaySlot, -1, kTextureSlots}) drawFullscreenOverlay(slot);
    EXPECT_EQ(readWindow().rgb, before.rgb);

    glGetFloatv(GL_PROJECTION_MATRIX, after[0]);
    glGetFloatv(GL_MODELVIEW_MATRIX, after[1]);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(after[0][i], matrices[0][i]) << i;
        EXPECT_FLOAT_EQ(after[1][i], matrices[1][i]) << i;
    }
    GLint mode = 0, source = 0, destination = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(OverlayTest, RepeatedOverlaysAddUpUniformlyTowardsWhite) {
    setSlot(kOverlaySlot, 0x646464);  // 100 per channel, x 0.9 each pass
    clearFrame();
    for (int expected : {90, 180, 255, 255}) {
        drawFullscreenOverlay(kOverlaySlot);
        const Pixels pixels = readWindow();
        EXPECT_NEAR(red(pixels.at(320, 240)), expected, 2);
        EXPECT_EQ(pixels.at(0, 0), pixels.at(639, 479)) << "corners alike";
    }
}

// A captured frame (bottom rows green) is shown upright over the viewport,
// here the 512x400 capture corner, and nowhere else.
TEST_F(OverlayTest, CapturedFrameIsShownUprightOverTheViewportOnly) {
    setSlot(kOverlaySlot, 0x00FF00, 512, 0xFF0000, 256);
    clearFrame();
    glViewport(0, 0, 512, 400);
    drawFullscreenOverlay(kOverlaySlot);
    const Pixels pixels = readWindow();
    const uint32_t bottom = pixels.at(0, 0), top = pixels.at(511, 399);
    EXPECT_NEAR(green(bottom), 230, 2);  // 0.9 x 255
    EXPECT_EQ(red(bottom), 0);
    EXPECT_NEAR(red(top), 230, 2);
    EXPECT_EQ(green(top), 0);
    EXPECT_EQ(pixels.at(512, 10), 0u);
    EXPECT_EQ(pixels.at(10, 400), 0u);
}

}  // namespace
