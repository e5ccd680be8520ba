#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "app/ShowWindow.h"
#include "core/RunSettings.h"
#include "media/Textures.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "scenes/SceneLoop.h"
#include "scenes/SceneTimings.h"
#include "support/GlTestContext.h"

namespace {

constexpr int kSide = 512;
constexpr int kUnusedSlot = 6;  // no texture ever made there
constexpr long kForeignEventFrames = 5;

std::vector<uint8_t> slotTexels(int slot) {
    std::vector<uint8_t> texels(kSide * kSide * 3);
    glBindTexture(GL_TEXTURE_2D, textureTable[slot]);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

uint32_t texel(const std::vector<uint8_t>& texels, int x, int y) { return rgbAt(texels, kSide, x, y); }

// Fills slot with white so that what a capture leaves there is visible.
void whiten(int slot) {
    std::vector<uint8_t> white(kSide * kSide * 3, 255);
    glBindTexture(GL_TEXTURE_2D, textureTable[slot]);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kSide, kSide, GL_RGB, GL_UNSIGNED_BYTE, white.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

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
        WindowEvent drained;
        while (takeWindowEvent(drained)) {
        }
        if (textureTable[kTransitionSlot] == 0) createBlankTexture(textureTable, kSide, 3, GL_RGB, kTransitionSlot);
    }
    void TearDown() override {
        useRealClock();
        clearQuitRequest();
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    }
};

TEST_F(SceneLoopTest, SceneSecondsAreTicksTimesAThousandth) {
    useSteppedClock(1000.0 / 30.0);
    setSteppedTime(123456.0);
    EXPECT_EQ(sceneSeconds(), 123456.0f * 0.001f);
}

TEST_F(SceneLoopTest, SteppedLoopDrawsTheFramesItsDurationImplies) {
    for (float duration : {6.5f, 12.0f}) {
        useSteppedClock(1000.0 / 30.0);
        const long presented = presentedFrameCount();
        playBareLoop(1, duration);
        const SceneTiming& timing = sceneTiming(1);
        // Frames at 0, 1/30, ... and the first past the duration; whether a
        // whole number of steps is already past it depends on the float
        // rounding of ticks x 0.001.
        // Each event that another window on the test display sends costs a
        // frame that is drawn but not presented, and so does not move the
        // stepped clock: the presented frames are the ones the time implies,
        // less one when such an event takes the last frame (the clock is
        // already past the duration then, so no frame replaces it).
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

TEST_F(SceneLoopTest, ALoopAlwaysDrawsOneFrameAndStopsOnAQuitRequest) {
    useSteppedClock(10.0);
    playBareLoop(2, 0.0f);
    EXPECT_EQ(sceneTiming(2).frames, 2);  // elapsed 0 is not past 0
    pushWindowEvent({WindowEventKind::close, 0, 0});
    playBareLoop(3, 1000.0f);
    EXPECT_TRUE(showQuitRequested());
    EXPECT_LT(sceneTiming(3).frames, 100);
    SceneClock clock;
    EXPECT_FALSE(clock.running(1000.0f));
}

TEST_F(SceneLoopTest, CornerCaptureCopiesTheWindowAndBlackensWhatLiesAbove) {
    whiten(kTransitionSlot);
    glClearColor(1.0f, 0.0f, 0.0f, 0.0f);
    clearFrame();
    // A green square at the lower-left corner, 10 x 10 pixels.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 10, 10);
    glClearColor(0.0f, 1.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    captureCorner(kTransitionSlot);
    const std::vector<uint8_t> texels = slotTexels(kTransitionSlot);
    EXPECT_EQ(texel(texels, 0, 0), 0x00FF00u);
    EXPECT_EQ(texel(texels, 9, 9), 0x00FF00u);
    EXPECT_EQ(texel(texels, 10, 10), 0xFF0000u);
    EXPECT_EQ(texel(texels, 511, 479), 0xFF0000u);
    EXPECT_EQ(texel(texels, 0, 480), 0x000000u);
    EXPECT_EQ(texel(texels, 511, 511), 0x000000u);
    GLint width = 0, format = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
    EXPECT_EQ(width, kSide);
    EXPECT_TRUE(format == 3 || format == GL_RGB || format == GL_RGB8) << format;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(SceneLoopTest, ClosingCaptureFillsSlotZeroAndRestoresTheView) {
    whiten(kTransitionSlot);
    runSettings.width = 640;
    runSettings.height = 480;
    glViewport(0, 0, 100, 100);
    // An empty scene renders nothing: the corner holds the clear colour.
    glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
    Scene scene;
    closingCapture(scene);
    const std::vector<uint8_t> texels = slotTexels(kTransitionSlot);
    EXPECT_EQ(texel(texels, 0, 0), 0x0000FFu);
    EXPECT_EQ(texel(texels, 511, 479), 0x0000FFu);
    EXPECT_EQ(texel(texels, 100, 500), 0x000000u);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    // The back buffer was cleared after the copy.
    EXPECT_EQ(rgbAt(readFramebufferRgb(5, 5, 1, 1), 1, 0, 0), 0x0000FFu);
}

TEST_F(SceneLoopTest, CaptureIntoAnEmptySlotDoesNothing) {
    const uint32_t saved = textureTable[kUnusedSlot];
    textureTable[kUnusedSlot] = 0;
    captureCorner(kUnusedSlot);
    captureCorner(-1);
    captureCorner(kTextureSlots);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    textureTable[kUnusedSlot] = saved;
}

}  // namespace
