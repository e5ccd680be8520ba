// The shared pool's screen-space drawing: grey level by age on the stepped
// clock, placement in front of the pool's own eye, the state left behind.
#include <gtest/gtest.h>

#include "particles/Particles.h"
#include "platform/Platform.h"
#include "support/GlHelpers.h"

using namespace testgl;

namespace {

class ScreenSpaceGl : public ::testing::Test {
protected:
    // The shared pool's configuration, untextured.
    ParticleSystem pool{10000, nullptr, 4.0f, 150, 10.0f, 0.0f};

    void SetUp() override
    {
        openTestGlContext(kWidth, kHeight);
        useSteppedClock(1000.0 / 30.0);
        setSteppedTime(1000);
        pool.viewPosition = {0, 0, 500};
        pool.viewRotation = {0, 0, 0};
        pool.depthTest = false;
    }
    void drawAt(double ms)
    {
        setSteppedTime(ms);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawScreenSpace(pool);
    }
};

}  // namespace

TEST_F(ScreenSpaceGl, GreyLevelFallsWithAgeAndEndsBlack)
{
    pool.emitAt(0, 0, 0);
    drawAt(1000);
    EXPECT_EQ(red(centre()), 255);
    drawAt(3000);
    EXPECT_NEAR(red(centre()), 128, 1);
    drawAt(6000);
    EXPECT_EQ(centre(), 0u);
    EXPECT_EQ(pool.count, 1);  // never aged out of the pool
}

// 20 units at 500 in front of the eye: about 23 pixels wide, centred; a
// lettering pixel (60, 20) lands at (-200, 160) in the picture plane.
TEST_F(ScreenSpaceGl, ParticlesAreSizedAndPlacedInThePicturePlane)
{
    pool.emitAt(0, 0, 0);
    pool.emitAt(-200, 160, 0);
    drawAt(1000);
    EXPECT_EQ(red(pixel(kWidth / 2 + 10, kHeight / 2)), 255);
    EXPECT_EQ(red(pixel(kWidth / 2 - 10, kHeight / 2 + 10)), 255);
    EXPECT_EQ(pixel(kWidth / 2 + 14, kHeight / 2), 0u);
    EXPECT_EQ(pixel(kWidth / 2, kHeight / 2 - 14), 0u);
    const float scale = 240.0f * 2.4142136f / 500.0f;  // window pixels per unit at 500
    EXPECT_EQ(red(pixel(kWidth / 2 + static_cast<int>(-200 * scale), kHeight / 2 + static_cast<int>(160 * scale))), 255);
}

TEST_F(ScreenSpaceGl, EmptyPoolStillLeavesDepthOnBlendOffWhite)
{
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glColor3f(1.0f, 0.0f, 0.0f);
    drawScreenSpace(pool);
    const LeftState s = leftState();
    EXPECT_TRUE(s.depthTest);
    EXPECT_FALSE(s.blend);
    EXPECT_FLOAT_EQ(s.colour[1], 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
