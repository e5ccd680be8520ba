// What every scene shares: the frame loop on the stepped clock and the
// corner capture. (The closing capture is seen through scenes 4 and 5.)
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "SceneKit.h"
#include "app/ShowWindow.h"
#include "media/Textures.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "scenes/SceneLoop.h"
#include "scenes/SceneTimings.h"
#include "support/GlTestContext.h"

namespace {

// Frames that window events of other windows on the shared test display may
// take: each is drawn but not presented, so it does not move the stepped
// clock.
constexpr long kForeignEventFrames = 5;

// Plays a bare scene loop like a scene whose file was refused.
void playBareLoop(int scene, float duration) {
    beginSceneTimings(scene, duration);
    SceneClock clock;
    while (clock.running(duration)) {
        clock.tick();
        drawEmptyFrame();
    }
    endSceneTimings();
}

class SceneLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        openTestGlContext(640, 480);  // under 512 high: the capture reaches past the top
        setSlot(kTransitionSlot, 0xFFFFFF, 512);  // what a capture leaves shows against white
    }
    void TearDown() override {
        useRealClock();
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    }
};

TEST_F(SceneLoopTest, SteppedLoopDrawsTheFramesItsDurationImplies) {
    for (float duration : {6.5f, 12.0f}) {
        useSteppedClock(1000.0 / 30.0);
        const long presented = presentedFrameCount();
        playBareLoop(1, duration);
        const SceneTiming& timing = sceneTiming(1);
        // Frames at 0, 1/30, ... and the first past the duration; whether a
        // whole number of steps is already past it depends on the float
        // rounding of ticks x 0.001. A foreign event that takes the last
        // frame leaves one presented frame fewer (the clock is already past
        // the duration then, so no frame replaces it).
        const long shown = presentedFrameCount() - presented;
        const long whole = static_cast<long>(duration * 30.0f);
        EXPECT_GE(shown, whole) << duration;
        EXPECT_LE(shown, whole + 2) << duration;
        EXPECT_LE(shown, timing.frames);
        EXPECT_GE(shown, timing.frames - kForeignEventFrames);
        EXPECT_EQ(timing.firstElapsed, 0.0f);
        EXPECT_GT(timing.lastElapsed, duration);
        EXPECT_LT(timing.lastElapsed, duration + 1.0f / 30.0f + 0.002f);
    }
}

// A green 10 x 10 square at the lower-left corner of a red frame; the rows
// above the 480-row window come out black. The slot keeps its size and
// format; a slot without a texture or outside the table is left alone.
TEST_F(SceneLoopTest, CornerCaptureCopiesTheWindowAndBlackensWhatLiesAbove) {
    glClearColor(1.0f, 0.0f, 0.0f, 0.0f);
    clearFrame();
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 10, 10);
    glClearColor(0.0f, 1.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    captureCorner(kTransitionSlot);
    GLint width = 0, format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(width, 512);
    EXPECT_TRUE(format == 3 || format == GL_RGB || format == GL_RGB8) << format;
    const Pixels slot = readSlot(kTransitionSlot);
    EXPECT_EQ(slot.at(0, 0), 0x00FF00u);
    EXPECT_EQ(slot.at(9, 9), 0x00FF00u);
    EXPECT_EQ(slot.at(10, 10), 0xFF0000u);
    EXPECT_EQ(slot.at(511, 479), 0xFF0000u);
    EXPECT_EQ(slot.at(0, 480), 0x000000u);
    EXPECT_EQ(slot.at(511, 511), 0x000000u);

    const uint32_t saved = textureTable[6];
    textureTable[6] = 0;
    for (int empty : {6, -1, kTextureSlots}) captureCorner(empty);
    textureTable[6] = saved;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
