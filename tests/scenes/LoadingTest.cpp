#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "Scene1245Kit.h"
#include "media/Textures.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "app/ShowWindow.h"
#include "scenes/LoadingScreen.h"
#include "scenes/Show.h"
#include "support/GlTestContext.h"

namespace {

std::vector<float> observed;
void recordCountdown(float countdown) { observed.push_back(countdown); }

// 19.5, 19, ... 0.5, then seven frames at 0.
std::vector<float> expectedCountdowns() {
    std::vector<float> values;
    for (int i = 39; i >= 1; --i) values.push_back(i * 0.5f);
    values.insert(values.end(), 7, 0.0f);
    return values;
}

TEST(LoadingCountdown, FallsByHalfStepsAndStopsAtZero) {
    float countdown = kCountdownStart;
    std::vector<float> values;
    for (int i = 0; i < kLoadingFrames; ++i) {
        countdown = lowerCountdown(countdown);
        values.push_back(countdown);
    }
    EXPECT_EQ(values, expectedCountdowns());
    EXPECT_EQ(lowerCountdown(0.0f), 0.0f);
    EXPECT_EQ(lowerCountdown(0.25f), 0.0f);  // never below zero
}

TEST(LoadingCountdown, PoseAtTheFirstAndLastFrames) {
    const LoadingPose first = loadingPose(19.5f);
    EXPECT_FLOAT_EQ(first.angle, 87.75f);
    EXPECT_FLOAT_EQ(-first.translateZ - kLoadingQuadZ, 22.5f);  // distance to the picture
    const LoadingPose last = loadingPose(0.0f);
    EXPECT_FLOAT_EQ(last.angle, 0.0f);
    EXPECT_FLOAT_EQ(-last.translateZ - kLoadingQuadZ, 3.0f);
}

// Runs loadShow in a new empty folder, so that every file is missing, with
// each drawn countdown recorded.
void loadShowInEmptyFolder() {
    char pattern[] = "/tmp/orvane-loading-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(pattern), 0);
    observed.clear();
    loadingScreenObserver = recordCountdown;
    loadShow();
    loadingScreenObserver = nullptr;
    ASSERT_EQ(chdir(previous), 0);
    rmdir(pattern);
}

class LoadingScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        openTestGlContext();
        makeUniformTexture(3, 0xFFFFFF);
    }
};

// At 0 the picture faces the viewer 3 units away: most of the height, not
// all of it, and centred.
TEST_F(LoadingScreenTest, LastFrameFillsMostOfTheScreenHeight) {
    drawLoadingScreen(0.0f);
    const WindowPixels pixels = readWindow();
    const int middle = pixels.width / 2;
    int lit = 0;
    for (int y = 0; y < pixels.height; ++y) lit += red(pixels.at(middle, y)) == 255 ? 1 : 0;
    // 2 of the 2 x 3 x tan(22.5 deg) = 2.49 units visible at that distance.
    EXPECT_NEAR(lit, pixels.height * 2.0 / (6.0 * std::tan(22.5 * M_PI / 180.0)), 3.0);
    EXPECT_EQ(pixels.at(middle, 2), 0u);
    EXPECT_EQ(pixels.at(middle, pixels.height - 3), 0u);
}

TEST_F(LoadingScreenTest, FirstFrameIsAlmostEdgeOnAndFar) {
    drawLoadingScreen(19.5f);
    const WindowPixels pixels = readWindow();
    const int lit = pixels.countRedAtLeast(1);
    EXPECT_GT(lit, 0);
    EXPECT_LT(lit, pixels.width * pixels.height / 200);
}

// In an empty folder every file is missing: every step still runs, all 46
// screens are drawn, and everything the scenes rely on exists.
TEST_F(LoadingScreenTest, EveryStepRunsWithEveryFileMissing) {
    for (uint32_t& name : textureTable) name = 0;
    const int boxesBefore = messageBoxCount();
    loadShowInEmptyFolder();
    EXPECT_EQ(observed, expectedCountdowns());
    for (int slot : {0, 1, 3, 4, 5, 7}) EXPECT_NE(textureTable[slot], 0u) << "slot " << slot;
    EXPECT_EQ(textureTable[2], 0u);
    EXPECT_EQ(textureTable[6], 0u);
    for (int i = 0; i < kShowSceneCount; ++i) {
        EXPECT_NE(showScenes[i], nullptr) << i;
        EXPECT_FALSE(showSceneLoaded[i]) << i;
        EXPECT_EQ(showScenes[i]->emitterCount, 0) << i;
    }
    for (uint8_t* bitmap : showBitmaps) {
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap[0], 0);
        EXPECT_EQ(bitmap[kBitmapBytes - 1], 0);
    }
    ASSERT_NE(sharedParticles, nullptr);
    EXPECT_EQ(sharedParticles->capacity, 10000);
    EXPECT_FLOAT_EQ(sharedParticles->lifetime, 4.0f);
    EXPECT_EQ(sharedParticles->rate, 150);
    EXPECT_FLOAT_EQ(sharedParticles->size, 10.0f);
    EXPECT_EQ(sharedParticles->viewPosition.z, 500.0);
    EXPECT_EQ(sharedParticles->viewRotation.x, 0.0);
    EXPECT_FALSE(sharedParticles->depthTest);
    // The pictures, the bitmaps and the scene files were each reported.
    EXPECT_GE(messageBoxCount() - boxesBefore, 5 + 6);

    releaseShow();
    for (uint8_t* bitmap : showBitmaps) EXPECT_EQ(bitmap, nullptr);
    releaseShow();  // a second release is harmless
}

// A close request during loading: the steps still run, but no frame is drawn
// after the one whose pump took the request.
TEST_F(LoadingScreenTest, NoScreenIsDrawnAfterAQuitRequest) {
    pushWindowEvent({WindowEventKind::close, 0, 0});
    loadShowInEmptyFolder();
    EXPECT_TRUE(showQuitRequested());
    EXPECT_EQ(observed, std::vector<float>{19.5f});
    for (uint8_t* bitmap : showBitmaps) EXPECT_NE(bitmap, nullptr);
    for (Scene* scene : showScenes) EXPECT_NE(scene, nullptr);
    releaseShow();
    clearQuitRequest();
}

}  // namespace
