#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "Scene1245Kit.h"
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

void readMatrix(GLenum which, GLfloat out[16]) { glGetFloatv(which, out); }

// Some coloured shapes over a grey clear, so that "unchanged" means something.
void drawBusyPicture() {
    glClearColor(0.3f, 0.2f, 0.1f, 1.0f);
    clearFrame();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glDisable(GL_TEXTURE_2D);
    glLoadIdentity();
    glBegin(GL_TRIANGLES);
        glColor3f(1.0f, 0.0f, 0.0f); glVertex3f(-1.0f, -1.0f, -3.0f);
        glColor3f(0.0f, 1.0f, 0.0f); glVertex3f(1.0f, -1.0f, -3.0f);
        glColor3f(0.0f, 0.0f, 1.0f); glVertex3f(0.0f, 1.0f, -3.0f);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
}

TEST_F(OverlayTest, RepeatedOverlaysAddAndBrightenTowardsWhite) {
    makeUniformTexture(kOverlaySlot, 0x646464);  // 100 per channel
    clearFrame();
    int previous = 0;
    const int expected[] = {90, 180, 255, 255};
    for (int pass : expected) {
        drawFullscreenOverlay(kOverlaySlot);
        const WindowPixels pixels = readWindow();
        const int level = red(pixels.at(pixels.width / 2, pixels.height / 2));
        EXPECT_NEAR(level, pass, 2);
        EXPECT_GE(level, previous);
        previous = level;
        // Uniform over the whole window, corners included.
        EXPECT_EQ(pixels.at(0, 0), pixels.at(pixels.width - 1, pixels.height - 1));
    }
}

TEST_F(OverlayTest, CapturedFrameIsShownUprightOverTheWholeViewport) {
    makeSplitTexture(kOverlaySlot, 0x00FF00, 0xFF0000);  // bottom rows green
    clearFrame();
    drawFullscreenOverlay(kOverlaySlot);
    const WindowPixels pixels = readWindow();
    const uint32_t bottom = pixels.at(pixels.width / 2, 5);
    const uint32_t top = pixels.at(pixels.width / 2, pixels.height - 5);
    EXPECT_NEAR(green(bottom), 230, 2);  // 0.9 x green at the bottom
    EXPECT_EQ(red(bottom), 0);
    EXPECT_NEAR(red(top), 230, 2);  // red at the top
    EXPECT_EQ(green(top), 0);
}

TEST_F(OverlayTest, CoversTheCaptureCornerWhenTheViewportIsTheCorner) {
    makeUniformTexture(kOverlaySlot, 0xFFFFFF);
    clearFrame();
    glViewport(0, 0, 512, 400);
    drawFullscreenOverlay(kOverlaySlot);
    const WindowPixels pixels = readWindow();
    EXPECT_NEAR(red(pixels.at(0, 0)), 230, 2);
    EXPECT_NEAR(red(pixels.at(511, 399)), 230, 2);
    EXPECT_EQ(pixels.at(512, 10), 0u);
    EXPECT_EQ(pixels.at(10, 400), 0u);
}

// A black overlay leaves the picture as it was, and the matrices too.
TEST_F(OverlayTest, BlackTextureLeavesScreenAndMatricesUnchanged) {
    makeUniformTexture(kOverlaySlot, 0x000000);
    drawBusyPicture();
    const WindowPixels before = readWindow();
    glLoadIdentity();
    glTranslatef(1.0f, 2.0f, -3.0f);
    glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
    GLfloat projectionBefore[16], modelviewBefore[16];
    readMatrix(GL_PROJECTION_MATRIX, projectionBefore);
    readMatrix(GL_MODELVIEW_MATRIX, modelviewBefore);

    drawFullscreenOverlay(kOverlaySlot);
    EXPECT_EQ(readWindow().rgb, before.rgb);

    GLfloat projectionAfter[16], modelviewAfter[16];
    readMatrix(GL_PROJECTION_MATRIX, projectionAfter);
    readMatrix(GL_MODELVIEW_MATRIX, modelviewAfter);
    for (int i = 0; i < 16; ++i) {
        EXPECT_FLOAT_EQ(projectionAfter[i], projectionBefore[i]) << i;
        EXPECT_FLOAT_EQ(modelviewAfter[i], modelviewBefore[i]) << i;
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
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[3], 0.9f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
