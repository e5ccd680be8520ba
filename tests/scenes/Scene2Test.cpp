#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "Scene1245Kit.h"
#include "app/ShowWindow.h"
#include "media/Textures.h"
#include "platform/Platform.h"
#include "scenes/SceneFrames.h"
#include "scenes/Show.h"
#include "support/GlTestContext.h"
#include "support/TestScenes.h"

namespace {

constexpr float kDuration = 12.0f;  // seconds, as the show plays it

// Two squares 100 units away as the first two objects, the camera third
// (looking down -z). Neither is moved, so each reference point is the origin,
// out of the spikes' reach.
Scene* makePairScene(double firstX, double secondX) {
    Scene* scene = new Scene();
    testscenes::addSquareMesh(*scene, "first", firstX, 0.0, -100.0, 6.0);
    testscenes::addSquareMesh(*scene, "second", secondX, 0.0, -100.0, 6.0);
    SceneObject& camera = testscenes::appendObject(*scene, ObjectKind::Camera, "camera");
    camera.cameraTarget = Vec3{0.0, 0.0, -1.0};
    scene->camera = &camera;
    scene->cursor = scene;
    scene->frameCount = 100000;
    return scene;
}

TEST(Scene2Spike, PushScalesEachAxisByItsOwnOffset) {
    const Vec3 p{10.0, 20.0, 30.0};
    const Vec3 atReference = spikeCorner(p, p);
    EXPECT_EQ(atReference.x, 10.0);
    EXPECT_EQ(atReference.y, 20.0);
    EXPECT_EQ(atReference.z, 30.0);

    const float s = static_cast<float>(2.0 * std::sin(45.0 * 3.14 / 180.0));
    const Vec3 alongX = spikeCorner(Vec3{40.0, 20.0, 30.0}, p);
    EXPECT_NEAR(alongX.x, 40.0 + 30.0 * s, 1e-4);
    EXPECT_EQ(alongX.y, 20.0);
    EXPECT_EQ(alongX.z, 30.0);

    // Always toward positive coordinates, whichever side the corner is on.
    const Vec3 behind = spikeCorner(Vec3{-20.0, 20.0, 30.0}, p);
    EXPECT_NEAR(behind.x, -20.0 + 30.0 * s, 1e-4);

    const Vec3 far = spikeCorner(Vec3{70.0, 20.0, 30.0}, p);
    EXPECT_EQ(far.x, 70.0);
    const Vec3 atRadius = spikeCorner(Vec3{10.0, 80.0, 30.0}, p);
    EXPECT_EQ(atRadius.y, 80.0);
}

class Scene2Test : public ::testing::Test {
protected:
    void SetUp() override {
        openTestGlContext();
        makeUniformTexture(kTransitionSlot, 0xFFFFFF, 512);
        makeUniformTexture(1, 0x000000);  // group picture
        makeUniformTexture(4, 0x000000);  // backdrop
    }
};

// Lit rows of the window's middle column.
int litRowsInMiddle() {
    const WindowPixels pixels = readWindow();
    int lit = 0;
    for (int y = 0; y < pixels.height; ++y) lit += red(pixels.at(pixels.width / 2, y)) > 0 ? 1 : 0;
    return lit;
}

// Rows that a 2-unit quad at depth z covers on a 480-row window (45 degrees).
double rowsAtDepth(double z) { return 480.0 * 2.0 / (2.0 * -z * std::tan(22.5 * M_PI / 180.0)); }

TEST_F(Scene2Test, RecedingFrameReachesItsFinalDepthAtSixSecondsAndStays) {
    Scene* scene = makeEmptyScene();
    const MeshPair none = findMeshPair(*scene);
    drawScene2Frame(*scene, none, 3.0f, kDuration);
    EXPECT_NEAR(litRowsInMiddle(), rowsAtDepth(-2.0 - 350.0 / 60.0), 2.0);

    drawScene2Frame(*scene, none, 7.0f, kDuration);
    const WindowPixels atSeven = readWindow();
    EXPECT_NEAR(litRowsInMiddle(), rowsAtDepth(-2.0 - 700.0 / 60.0), 2.0);
    drawScene2Frame(*scene, none, 11.0f, kDuration);
    EXPECT_EQ(readWindow().rgb, atSeven.rgb);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    delete scene;
}

TEST_F(Scene2Test, PairNeedsTwoDistinctMeshesFirst) {
    Scene* empty = makeEmptyScene();
    EXPECT_EQ(findMeshPair(*empty).first, nullptr);
    Scene* cameraFirst = makeSquareScene(0.0, 0.0, -10.0, 1.0);
    EXPECT_EQ(findMeshPair(*cameraFirst).first, nullptr);
    Scene* pairScene = makePairScene(-30.0, 30.0);
    const MeshPair pair = findMeshPair(*pairScene);
    EXPECT_EQ(pair.first, static_cast<SceneObject*>(pairScene));
    EXPECT_EQ(pair.second, pairScene->next);
    EXPECT_EQ(pairScene->cursor, static_cast<SceneObject*>(pairScene));
    delete empty;
    delete cameraFirst;
    delete pairScene;
}

TEST_F(Scene2Test, DeformedPairDrawsBothMeshesOrNothing) {
    Scene* cameraFirst = makeSquareScene(0.0, 0.0, -10.0, 1.0);
    clearFrame();
    glEnable(GL_BLEND);
    drawDeformedPair(*cameraFirst, findMeshPair(*cameraFirst));
    glDisable(GL_BLEND);
    EXPECT_EQ(readWindow().countRedAtLeast(1), 0);
    EXPECT_EQ(cameraFirst->cursor, static_cast<SceneObject*>(cameraFirst));

    Scene* pairScene = makePairScene(-30.0, 30.0);
    glBindTexture(GL_TEXTURE_2D, 0);
    clearFrame();
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    drawDeformedPair(*pairScene, findMeshPair(*pairScene));
    glDisable(GL_BLEND);
    const WindowPixels pixels = readWindow();
    EXPECT_EQ(red(pixels.at(146, 240)), 255);
    EXPECT_EQ(red(pixels.at(494, 240)), 255);
    EXPECT_EQ(pixels.at(320, 240), 0u);
    delete cameraFirst;
    delete pairScene;
}

TEST_F(Scene2Test, PlaysWithoutAPairAndLeavesSlotZeroAlone) {
    Scene* scene = makeEmptyScene();
    showScenes[kMeta] = scene;
    showSceneLoaded[kMeta] = true;
    useSteppedClock(1000.0 / 30.0);
    playScene2(0.2f);
    showSceneLoaded[kMeta] = false;
    playScene2(0.1f);
    useRealClock();
    EXPECT_EQ(readSlot(kTransitionSlot).countRedAtLeast(255), 512 * 512);
    showScenes[kMeta] = nullptr;
    delete scene;
}

}  // namespace
