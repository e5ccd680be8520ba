// The loading sequence: its countdown, the screens it draws, and every step
// running when every file is missing.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cmath>
#include <vector>

#include "SceneKit.h"
#include "app/ShowWindow.h"
#include "media/Textures.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "scenes/LoadingScreen.h"
#include "support/GlTestContext.h"

namespace {

std::vector<float> observed;
int loads = 0;  // loadShow calls in this process
void recordCountdown(float countdown) { observed.push_back(countdown); }

// Runs loadShow in a new empty folder, so that every file is missing, with
// each drawn countdown recorded.
void loadShowInEmptyFolder() {
    char folder[] = "/tmp/orvane-loading-XXXXXX";
    char previous[4096];
    ASSERT_NE(mkdtemp(folder), nullptr);
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder), 0);
    observed.clear();
    loadingScreenObserver = recordCountdown;
    loadShow();
    ++loads;
    loadingScreenObserver = nullptr;
    ASSERT_EQ(chdir(previous), 0);
    rmdir(folder);
}

class LoadingTest : public ::testing::Test {
protected:
    void SetUp() override { openTestGlContext(); }
};

// The picture turns from almost edge-on 22.5 units away at 19.5 to facing
// the viewer 3 units away at 0: 2 of the 2 x 3 x tan(22.5 deg) units of
// height there.
TEST_F(LoadingTest, LastScreenFacesTheViewerAndFillsMostOfTheHeight) {
    EXPECT_EQ(lowerCountdown(0.25f), 0.0f) << "never below zero";
    for (const auto& c : {std::array<float, 3>{19.5f, 87.75f, 22.5f}, {0.0f, 0.0f, 3.0f}}) {
        const LoadingPose pose = loadingPose(c[0]);  // countdown, angle, distance
        EXPECT_FLOAT_EQ(pose.angle, c[1]);
        EXPECT_FLOAT_EQ(-pose.translateZ - kLoadingQuadZ, c[2]);
    }
    setSlot(3, 0xFFFFFF);
    drawLoadingScreen(0.0f);
    const Pixels pixels = readWindow();
    int rows = 0;
    for (int y = 0; y < pixels.height; ++y) rows += red(pixels.at(320, y)) == 255 ? 1 : 0;
    EXPECT_NEAR(rows, 480 * 2.0 / (6.0 * std::tan(22.5 * M_PI / 180.0)), 3.0);
    EXPECT_EQ(pixels.at(320, 2), 0u);
    EXPECT_EQ(pixels.at(320, 477), 0u);
}

// Every step still runs, all 46 screens are drawn at the countdowns 19.5,
// 19, ... 0.5 and then seven at 0, and everything the scenes rely on exists.
TEST_F(LoadingTest, EveryStepRunsWithEveryFileMissing) {
    for (uint32_t& name : textureTable) name = 0;
    const int boxesBefore = messageBoxCount();
    const int pictures = loads == 0 ? 5 : 0;  // a picture is reported once per run
    loadShowInEmptyFolder();
    std::vector<float> expected;
    for (int i = 39; i >= 1; --i) expected.push_back(i * 0.5f);
    expected.insert(expected.end(), 7, 0.0f);
    EXPECT_EQ(observed, expected);

    for (int slot = 0; slot < kTextureSlots; ++slot) {
        EXPECT_EQ(textureTable[slot] == 0, slot == 2 || slot == 6) << "slot " << slot;
    }
    for (int i = 0; i < kShowSceneCount; ++i) {
        ASSERT_NE(showScenes[i], nullptr) << i;
        EXPECT_FALSE(showSceneLoaded[i]) << i;
        EXPECT_EQ(showScenes[i]->emitterCount, 0) << i;
    }
    for (uint8_t* bitmap : showBitmaps) {
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap[0] | bitmap[kBitmapBytes - 1], 0);
    }
    ASSERT_NE(sharedParticles, nullptr);
    EXPECT_EQ(sharedParticles->capacity, 10000);
    EXPECT_FLOAT_EQ(sharedParticles->lifetime, 4.0f);
    EXPECT_EQ(sharedParticles->rate, 150);
    EXPECT_FLOAT_EQ(sharedParticles->size, 10.0f);
    EXPECT_EQ(sharedParticles->viewPosition.z, 500.0);
    EXPECT_FALSE(sharedParticles->depthTest);
    EXPECT_GE(messageBoxCount() - boxesBefore, pictures + 6) << "the pictures and bitmaps reported";

    releaseShow();
    for (uint8_t* bitmap : showBitmaps) EXPECT_EQ(bitmap, nullptr);
    releaseShow();  // a second release is harmless
}

// A close request during loading: the steps still run, but no screen is
// drawn after the one whose pump took the request.
TEST_F(LoadingTest, NoScreenIsDrawnAfterAQuitRequest) {
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
