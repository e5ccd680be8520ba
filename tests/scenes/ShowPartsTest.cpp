// What every scene shares: the loading sequence, the additive full-screen
// overlay and the corner capture. (The frame loop's timing is checked on the
// whole show, by the --timings lines of RunPlaceTest.)
#include <unistd.h>

#include <array>
#include <cmath>
#include <tuple>

#include "SceneKit.h"
#include "media/Overlay.h"
#include "platform/PlatformWindow.h"
#include "scenes/SceneLoop.h"
#include "scenes/ShowLoading.h"
#include "window/ShowWindow.h"

namespace {

using LoadingTest = SceneGlTest;
using OverlayTest = SceneGlTest;
using SceneLoopTest = SceneGlTest;

std::vector<float> observed;

// Runs loadShow in a new empty folder, so that every file is missing, with
// each drawn countdown recorded.
void loadShowInEmptyFolder() {
    char folder[] = "/tmp/orvane-loading-XXXXXX", previous[4096];
    ASSERT_NE(mkdtemp(folder), nullptr);
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(folder), 0);
    observed.clear();
    loadingScreenObserver = [](float countdown) { observed.push_back(countdown); };
    loadShow();
    loadingScreenObserver = nullptr;
    ASSERT_EQ(chdir(previous), 0);
    rmdir(folder);
}

// Every step still runs, all 46 screens are drawn at the countdowns 19.5,
// 19, ... 0.5 and then seven at 0, and everything the scenes rely on exists.
// After a close request the steps still run, but no screen is drawn after
// the one whose pump took the request.
TEST_F(LoadingTest, EveryStepRunsWithEveryFileMissingAndNoScreenAfterAQuitRequest) {
    for (uint32_t& name : textureTable) name = 0;
    const int boxesBefore = messageBoxCount();
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
    for (uint8_t* bitmap : showBitmaps) EXPECT_TRUE(bitmap && (bitmap[0] | bitmap[kBitmapBytes - 1]) == 0) << "zeroed";
    ASSERT_NE(sharedParticles, nullptr);
    const ParticleSystem& pool = *sharedParticles;
    EXPECT_EQ(std::make_tuple(pool.capacity, pool.lifetime, pool.rate, pool.size, pool.viewPosition.z, pool.depthTest),
              std::make_tuple(10000, 4.0f, 150, 10.0f, 500.0, false));
    // The five pictures (reported once per run) and six bitmaps.
    EXPECT_GE(messageBoxCount() - boxesBefore, 11);

    releaseShow();
    for (uint8_t* bitmap : showBitmaps) EXPECT_EQ(bitmap, nullptr);
    releaseShow();  // a second release is harmless

    pushWindowEvent({WindowEventKind::close, 0, 0});
    loadShowInEmptyFolder();
    EXPECT_TRUE(showQuitRequested());
    EXPECT_EQ(observed, std::vector<float>{19.5f});
    for (Scene* scene : showScenes) EXPECT_NE(scene, nullptr);
    releaseShow();
    clearQuitRequest();

    // The picture turns from almost edge-on 22.5 units away at 19.5 to facing
    // the viewer 3 units away at 0: 2 of the 2 x 3 x tan(22.5 deg) units of
    // height there.
    for (const auto& c : {std::array<float, 3>{19.5f, 87.75f, 22.5f}, {0.0f, 0.0f, 3.0f}}) {
        const LoadingPose pose = loadingPose(c[0]);  // countdown, angle, distance
        EXPECT_FLOAT_EQ(pose.angle, c[1]);
        EXPECT_FLOAT_EQ(-pose.translateZ - kLoadingQuadZ, c[2]);
    }
    setSlot(3, 0xFFFFFF);
    drawLoadingScreen(0.0f);
    EXPECT_NEAR(readWindow().litRows(320, 255), 480 * 2.0 / (6.0 * std::tan(22.5 * M_PI / 180.0)), 3.0);
}

constexpr int kOverlaySlot = 6;  // a slot the show leaves empty

// A black overlay (or a slot outside the table) leaves a picture as it was,
// and the matrices and blending too. Repeated overlays add up uniformly
// towards white. A captured frame (bottom rows green) is shown upright over
// the viewport, here the 512x400 capture corner, and nowhere else.
TEST_F(OverlayTest, OverlaysAddUpAndShowACaptureUprightOverTheViewportOnly) {
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.3f, 0.2f, 0.1f, 1.0f);
    clearFrame();
    setSlot(kOverlaySlot, 0x000000);
    const Pixels before = readWindow();
    glTranslatef(1.0f, 2.0f, -3.0f);
    glRotatef(30.0f, 0.0f, 1.0f, 0.0f);
    std::vector<GLfloat> matrices(32), after(32);
    glGetFloatv(GL_PROJECTION_MATRIX, &matrices[0]);
    glGetFloatv(GL_MODELVIEW_MATRIX, &matrices[16]);
    for (int slot : {kOverlaySlot, -1, kTextureSlots}) drawFullscreenOverlay(slot);
    EXPECT_EQ(readWindow().rgb, before.rgb);
    glGetFloatv(GL_PROJECTION_MATRIX, &after[0]);
    glGetFloatv(GL_MODELVIEW_MATRIX, &after[16]);
    EXPECT_EQ(after, matrices);
    std::array<GLint, 3> state{};  // matrix mode, blend source and destination
    const GLenum names[] = {GL_MATRIX_MODE, GL_BLEND_SRC, GL_BLEND_DST};
    for (int i = 0; i < 3; ++i) glGetIntegerv(names[i], &state[i]);
    EXPECT_EQ(state, (std::array<GLint, 3>{GL_MODELVIEW, GL_SRC_ALPHA, GL_ONE}));
    EXPECT_TRUE(depthOnBlendOff());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    setSlot(kOverlaySlot, 0x646464);  // 100 per channel, x 0.9 each pass
    clearFrame();
    for (int expected : {90, 180, 255, 255}) {
        drawFullscreenOverlay(kOverlaySlot);
        const Pixels pixels = readWindow();
        EXPECT_NEAR(red(pixels.at(320, 240)), expected, 2);
        EXPECT_EQ(pixels.at(0, 0), pixels.at(639, 479)) << "corners alike";
    }
    setSlot(kOverlaySlot, 0x00FF00, 512, 0xFF0000, 256);
    clearFrame();
    glViewport(0, 0, 512, 400);
    drawFullscreenOverlay(kOverlaySlot);
    const Pixels pixels = readWindow();
    const uint32_t bottom = pixels.at(0, 0), top = pixels.at(511, 399);
    EXPECT_NEAR(green(bottom), 230, 2);  // 0.9 x 255
    EXPECT_NEAR(red(top), 230, 2);
    EXPECT_EQ(red(bottom) + green(top), 0);
    EXPECT_EQ(pixels.at(512, 10), 0u);
    EXPECT_EQ(pixels.at(10, 400), 0u);
    glDeleteTextures(1, &textureTable[kOverlaySlot]);
    textureTable[kOverlaySlot] = 0;
}

// A green 10 x 10 square at the lower-left corner of a red frame; the rows
// above the 480-row window come out black. The slot keeps its size; a slot
// without a texture or outside the table is left alone.
TEST_F(SceneLoopTest, CornerCaptureCopiesTheWindowAndBlackensWhatLiesAbove) {
    setSlot(kTransitionSlot, 0xFFFFFF, 512);  // what a capture leaves shows against white
    glClearColor(1.0f, 0.0f, 0.0f, 0.0f);
    clearFrame();
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 10, 10);
    glClearColor(0.0f, 1.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    captureCorner(kTransitionSlot);
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 512);
    const Pixels slot = readSlot(kTransitionSlot);
    const std::array<uint32_t, 6> expected{0x00FF00u, 0x00FF00u, 0xFF0000u, 0xFF0000u, 0u, 0u};
    EXPECT_EQ((std::array<uint32_t, 6>{slot.at(0, 0), slot.at(9, 9), slot.at(10, 10), slot.at(511, 479),
                                       slot.at(0, 480), slot.at(511, 511)}),
              expected);

    const uint32_t saved = textureTable[6];
    textureTable[6] = 0;
    for (int empty : {6, -1, kTextureSlots}) captureCorner(empty);
    textureTable[6] = saved;
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
