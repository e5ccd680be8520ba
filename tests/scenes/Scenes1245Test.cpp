// Scenes 1, 2, 4 and 5: their frames read back at chosen times, and what
// each leaves in slot 0.
#include <cmath>
#include <tuple>

#include "SceneKit.h"
#include "scenes/Scene1Opening.h"
#include "scenes/Scene2MeshPair.h"
#include "scenes/Scene4Race.h"
#include "scenes/Scene5City.h"
#include "window/ShowWindow.h"

namespace {

constexpr float kScene1Seconds = 6.5f;
constexpr float kScene2Seconds = 12.0f;
constexpr double kFrameMs = 1000.0 / 30.0;
constexpr int kFullWindow = 640 * 480;  // pixels

class ScenesTest : public SceneGlTest {
protected:
    void SetUp() override {
        SceneGlTest::SetUp();
        setSlot(kTransitionSlot, 0x000000, 512);
        for (int slot : {1, 4, 5}) setSlot(slot, 0x000000);  // group picture, backdrop, title
    }
};

// Scene 1's first frame has no trail, later frames do and it fades. The
// square of makeScene(+-3, 0, -10, 1) lies at columns 320 -+ 174, 58 pixels
// either side.
TEST_F(ScenesTest, Scene1TrailTitleAndBackdrop) {
    std::unique_ptr<Scene> scene = makeScene(-3.0, 0.0, -10.0, 1.0);
    drawScene1Frame(*scene, 2.5f, kScene1Seconds);
    Pixels pixels = readWindow();
    EXPECT_EQ(red(pixels.at(146, 240)), 255);
    EXPECT_LT(pixels.lit(), 116 * 116 * 12 / 10) << "only the square is lit";

    scene->next->position.x = 6.0;  // now at x = +3
    drawScene1Frame(*scene, 2.6f, kScene1Seconds);
    pixels = readWindow();
    const int trail = red(pixels.at(146, 240));
    EXPECT_NEAR(trail, 207, 4);  // 255 x 0.9 in the feedback, x 0.9 on screen
    EXPECT_EQ(red(pixels.at(494, 240)), 255);
    drawScene1Frame(*scene, 2.7f, kScene1Seconds);
    EXPECT_NEAR(red(readWindow().at(146, 240)), trail * 0.9, 4);

    // The title faces the viewer at 0 (larger than the view), is nearly edge-on
    // by 1.99, is still drawn (edge-on, covering nothing) at 2.0 and not after;
    // then the two spinning backdrop layers cover the frame and the band adds a
    // third copy in the middle.
    setSlot(5, 0xFFFFFF);
    setSlot(kTransitionSlot, 0x000000, 512);  // no trail of the frames above
    scene = makeScene();
    drawScene1Frame(*scene, 0.0f, kScene1Seconds);
    EXPECT_EQ(readWindow().lit(255), kFullWindow);
    drawScene1Frame(*scene, 1.99f, kScene1Seconds);
    const int sliver = readWindow().lit();
    EXPECT_GT(sliver, 0);
    EXPECT_LT(sliver, kFullWindow / 50);
    drawScene1Frame(*scene, 2.0f, kScene1Seconds);
    EXPECT_EQ(boundTexture(), textureTable[5]);

    setSlot(4, 0x202020);
    drawScene1Frame(*scene, 2.01f, kScene1Seconds);
    EXPECT_NE(boundTexture(), textureTable[5]);
    pixels = readWindow();
    EXPECT_EQ(pixels.at(5, 5), 0x404040u);
    EXPECT_EQ(pixels.at(320, 240), 0x606060u);
    EXPECT_TRUE(depthOnBlendOff());
}

// Rows of the middle column that a 2-unit quad at depth z covers (45 degrees).
double rowsAtDepth(double z) { return 480.0 / (-z * std::tan(22.5 * M_PI / 180.0)); }

// The pair is the first two objects when both are distinct meshes; it is
// drawn (squares 100 units away either side, out of the spikes' reach) while
// the frame recedes between them to its final depth at 6 s and stays there.
// A camera first makes no pair: the square beside the frame is not drawn.
TEST_F(ScenesTest, Scene2DrawsItsPairWhileTheFrameRecedesToItsFinalDepth) {
    setSlot(kTransitionSlot, 0xFFFFFF, 512);
    Scene pairScene;
    testscenes::addSquareMesh(pairScene, "first", -30.0, 0.0, -100.0, 6.0);
    testscenes::addSquareMesh(pairScene, "second", 30.0, 0.0, -100.0, 6.0);
    testscenes::addStillCamera(pairScene, Vec3{0.0, 0.0, 0.0}, Vec3{0.0, 0.0, -1.0});
    pairScene.cursor = &pairScene;
    const MeshPair pair = findMeshPair(pairScene);
    EXPECT_TRUE(pair.first == &pairScene && pair.second == pairScene.next && pairScene.cursor == &pairScene);
    std::unique_ptr<Scene> cameraFirst = makeScene(-3.0, 0.0, -10.0, 1.0);
    EXPECT_EQ(findMeshPair(*cameraFirst).first, nullptr);
    auto at = [&](Scene& scene, float e) {
        drawScene2Frame(scene, findMeshPair(scene), e, kScene2Seconds);
        return readWindow();
    };
    EXPECT_EQ(at(*cameraFirst, 3.0f).at(146, 240), 0u);
    const Pixels atThree = at(pairScene, 3.0f);
    EXPECT_NEAR(atThree.litRows(320), rowsAtDepth(-2.0 - 350.0 / 60.0), 2.0);
    EXPECT_TRUE(red(atThree.at(146, 240)) == 255 && red(atThree.at(494, 240)) == 255);
    const Pixels atSeven = at(pairScene, 7.0f);
    EXPECT_NEAR(atSeven.litRows(320), rowsAtDepth(-2.0 - 700.0 / 60.0), 2.0);
    EXPECT_EQ(at(pairScene, 11.0f).rgb, atSeven.rgb);
    EXPECT_TRUE(depthOnBlendOff());
}

// At 0 the previous frame lies over the view upright and without gaps
// (texture rows below 281 green: inside scene 4's tile row 5, window rows
// 240 to 298): as a hundred tiles in scene 4, unturned at depth -2 and
// larger than the view in scene 5. Turning away, it covers part of the view
// (less than a quarter in scene 5 at 2 s); after 3 s (scene 4) or 4 s
// (scene 5) it is gone, leaving the rendered scene (a blue square).
TEST_F(ScenesTest, Scenes4And5TurnThePreviousPictureAwayOverTheirStart) {
    setSlot(kTransitionSlot, 0x00FF00, 512, 0xFF0000, 281);
    std::unique_ptr<Scene> scene = makeScene(0.0, 0.0, -10.0, 1.0);
    scene->next->vertexColors.assign(4, Color3{0.0f, 0.0f, 1.0f});
    const std::tuple<void (*)(Scene&, float), float, int, float> scenes[] = {
        {drawScene4Frame, 1.5f, kFullWindow, 3.01f}, {drawScene5Frame, 2.0f, kFullWindow / 4, 4.01f}};
    for (const auto& [draw, turning, mostCovered, gone] : scenes) {
        const auto covered = [](const Pixels& pixels) {
            int count = 0;
            for (size_t i = 0; i < pixels.rgb.size(); i += 3) count += pixels.rgb[i] + pixels.rgb[i + 1] >= 254;
            return count;
        };
        draw(*scene, 0.0f);
        Pixels pixels = readWindow();
        EXPECT_EQ(covered(pixels), kFullWindow);
        EXPECT_EQ(
            (std::vector<uint32_t>{pixels.at(320, 100), pixels.at(320, 254), pixels.at(320, 283), pixels.at(320, 380)}),
            (std::vector<uint32_t>{0x00FF00u, 0x00FF00u, 0xFF0000u, 0xFF0000u}));
        draw(*scene, turning);
        const int part = covered(readWindow());
        EXPECT_TRUE(part > 0 && part < mostCovered) << part << " pixels at " << turning;
        glBindTexture(GL_TEXTURE_2D, 0);
        draw(*scene, gone);
        EXPECT_EQ(boundTexture(), 0u) << "the picture drawn at " << gone;
        pixels = readWindow();
        EXPECT_TRUE(pixels.at(320, 250) == 0x0000FFu && covered(pixels) == 0) << "only the rendered square";
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    }
}

// Scene 1 leaves its last visible frame with slot 0 added once more in slot
// 0, drawn again (a presented back buffer holds anything, here blue);
// scenes 4 and 5 squeeze their last view into the 512x512 corner. Rows
// above a 480-row window come out black; refused, each leaves its black
// last frame. Scene 5 turns the particles' depth test back on either way.
TEST_F(ScenesTest, Scenes1And4And5LeaveTheirLastFrameInSlotZero) {
    const std::tuple<void (*)(float), int, int, int> scenes[] = {
        {playScene1, 1, 320, 240}, {playScene4, 4, 256, 256}, {playScene5, 5, 256, 256}};  // the square's centre
    std::unique_ptr<Scene> scene = makeScene(0.0, 0.0, -10.0, 1.0);
    useSteppedClock(kFrameMs);
    for (const auto& [play, which, x, y] : scenes) {
        for (bool loaded : {true, false}) {
            // Scene 1 adds slot 0 to every frame: it starts black there.
            setSlot(kTransitionSlot, which == 1 && loaded ? 0x000000 : 0x0000FF, 512);
            ShowSceneSlot installed(which, scene.get(), loaded);
            particleDepthTestOn();
            glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
            play(0.2f);
            EXPECT_TRUE(particleDepthTest) << which;
            const Pixels slot = readSlot(kTransitionSlot);
            EXPECT_EQ(red(slot.at(x, y)), loaded ? 255 : 0) << which << loaded;
            EXPECT_EQ((std::vector<uint32_t>{slot.at(x + 80, y), slot.at(20, 20), slot.at(20, 500)}),
                      (std::vector<uint32_t>{0u, 0u, 0u}))
                << which << loaded;
            EXPECT_TRUE(fullViewport()) << which << loaded;
        }
    }
}

}  // namespace
