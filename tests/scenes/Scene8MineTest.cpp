// Scene 8: the height-map ripple (amplitude, index, rectangle, the mesh
// search), the closing lettering's budget, the leaving title, and the pool
// reset at the scene's start.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "Scene3LetteringFixtures.h"
#include "app/ShowWindow.h"
#include "platform/Platform.h"
#include "scenes/Scene8Mine.h"
#include "scenes/SceneLoop.h"
#include "support/GlTestContext.h"
#include "support/TestScenes.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kPeakFrame = kRippleStartFrame + 10.0 * kPi;

TEST(Scene8Ripple, AmplitudeSwellsToPointFourAndSubsides) {
    EXPECT_DOUBLE_EQ(rippleAmplitude(kRippleStartFrame), 0.0);
    EXPECT_NEAR(rippleAmplitude(kPeakFrame), 0.4, 1e-12);
    EXPECT_NEAR(rippleAmplitude(kRippleStartFrame + 20.0 * kPi), 0.0, 1e-12);
}

// The map is mirrored along x: (0, 0) reads index 31840; the rectangle's
// corners stay inside the 64000 bytes; its edges are outside.
TEST(Scene8Ripple, HeightMapIndexStaysInsideTheMap) {
    EXPECT_EQ(heightMapIndex(0.0, 0.0), 31840);
    const double in = 1e-6;
    EXPECT_EQ(heightMapIndex(-155.0 + in, -95.0 + in), 64000 - (5 * 320 + 5));
    EXPECT_EQ(heightMapIndex(155.0 - in, -95.0 + in), 64000 - (5 * 320 + 314));
    EXPECT_EQ(heightMapIndex(-155.0 + in, 100.0 - in), 64000 - (199 * 320 + 5));
    EXPECT_EQ(heightMapIndex(155.0 - in, 100.0 - in), 6) << "the smallest index";
    EXPECT_EQ(heightMapIndex(155.0, 0.0), -1);
    EXPECT_EQ(heightMapIndex(-155.0, 0.0), -1);
    EXPECT_EQ(heightMapIndex(0.0, -95.0), -1);
    EXPECT_EQ(heightMapIndex(0.0, 100.0), -1);
    EXPECT_EQ(heightMapIndex(std::numeric_limits<double>::quiet_NaN(), 0.0), -1);
}

SceneObject meshWith(std::vector<Vec3> points) {
    SceneObject mesh;
    mesh.kind = ObjectKind::Mesh;
    mesh.vertices = std::move(points);
    mesh.vertexCount = static_cast<uint16_t>(mesh.vertices.size());
    return mesh;
}

TEST(Scene8Ripple, ReshapesTheRectangleButNotItsEdgesNorTheLastVertex) {
    std::vector<uint8_t> map(kBitmapBytes, 0);
    map[31840] = 255;
    SceneObject mesh = meshWith({{0, 0, 7}, {155, 0, 7}, {0, -95, 7}, {10, 10, 7}, {0, 0, 7}});

    applyRipple(mesh, map.data(), rippleAmplitude(kPeakFrame));
    EXPECT_NEAR(mesh.vertices[0].z, 102.0, 1e-9) << "255 at the peak";
    EXPECT_EQ(mesh.vertices[1].z, 7.0) << "x = 155 is outside";
    EXPECT_EQ(mesh.vertices[2].z, 7.0) << "y = -95 is outside";
    EXPECT_EQ(mesh.vertices[3].z, 0.0) << "inside, on a zero byte";
    EXPECT_EQ(mesh.vertices[4].z, 7.0) << "the last vertex is not visited";

    applyRipple(mesh, map.data(), rippleAmplitude(kRippleStartFrame));
    EXPECT_EQ(mesh.vertices[0].z, 0.0) << "amplitude 0 at frame 800";
}

TEST(Scene8Ripple, EmptyMeshIsHarmless) {
    std::vector<uint8_t> map(kBitmapBytes, 255);
    SceneObject none = meshWith({});
    applyRipple(none, map.data(), 0.4);
    SceneObject counted = meshWith({{0, 0, 1}, {0, 0, 1}});
    counted.vertexCount = 60000;  // more than the array holds
    applyRipple(counted, map.data(), 0.4);
    EXPECT_NEAR(counted.vertices[0].z, 102.0, 1e-9);
    EXPECT_EQ(counted.vertices[1].z, 1.0);
}

// A scene of meshes, each with a material of its own.
struct ListScene {
    Scene scene;
    explicit ListScene(const std::vector<const char*>& materialsOfObjects) {
        for (const char* material : materialsOfObjects) {
            std::strncpy(scene.materials[scene.materialCount].name, material, kMaterialNameBytes - 1);
            testscenes::appendObject(scene, ObjectKind::Mesh, "m").materialIndex = scene.materialCount++;
        }
    }
    SceneObject* object(int i) {
        SceneObject* o = &scene;
        while (i-- > 0) o = o->next;
        return o;
    }
};

TEST(Scene8Ripple, FindsTheVeskMeshFromTheSecondObjectOn) {
    ListScene found({"data/floor.jpg", "data/wall.jpg", "data/vesk.jpg", "data/vesk2.jpg"});
    EXPECT_EQ(findRippleMesh(found.scene), found.object(2));
    EXPECT_EQ(found.scene.cursor, &found.scene);

    ListScene firstOnly({"data/vesk.jpg", "data/wall.jpg"});
    EXPECT_EQ(findRippleMesh(firstOnly.scene), nullptr) << "the first object is not tested";

    // Positions 5 to 8 only; short names never match.
    ListScene shifted({"data/floor.jpg", "dat/vesk.jpg", "xdata/vesk.jpg", "data/ves"});
    EXPECT_EQ(findRippleMesh(shifted.scene), nullptr);
    ListScene anyPrefix({"data/floor.jpg", "pics/veskwater.jpg"});
    EXPECT_EQ(findRippleMesh(anyPrefix.scene), anyPrefix.object(1));
}

TEST(Scene8Ripple, SearchEndsWhenNothingMatches) {
    ListScene none({"data/a.jpg", "data/b.jpg", "data/c.jpg"});
    none.scene.objectCount = 50;  // more than the list holds: still bounded
    EXPECT_EQ(findRippleMesh(none.scene), nullptr);

    ListScene badIndex({"data/a.jpg", "data/vesk.jpg"});
    badIndex.object(1)->materialIndex = 70;
    EXPECT_EQ(findRippleMesh(badIndex.scene), nullptr);
    badIndex.object(1)->materialIndex = kNoMaterial;
    EXPECT_EQ(findRippleMesh(badIndex.scene), nullptr);
}

TEST(Scene8Lettering, ClosingTextFromThirtySeconds) {
    SharedPool shared;
    BitmapSlot end(kEndBmp, serpentineBitmap(121, 76));
    EXPECT_FALSE(closingLetteringShown(29.99f));
    EXPECT_TRUE(closingLetteringShown(30.0f));
    writeClosingLettering(30.0f, shared.pool);
    EXPECT_EQ(shared.pool.count, 0);
    writeClosingLettering(37.5f, shared.pool);
    EXPECT_EQ(shared.pool.count, 2000);
    EXPECT_DOUBLE_EQ(shared.pool.particles[0].position.x, 2.0 * 122 - 320);
    EXPECT_DOUBLE_EQ(shared.pool.particles[0].position.y, 200.0 - 2.0 * 76);
    writeClosingLettering(45.0f, shared.pool);
    EXPECT_EQ(shared.pool.count, 4000);
}

// The title leaves: facing and taller than the view at t = 0, turned and
// smaller at t = 1, edge-on at t = 2, gone after.
TEST(Scene8Frames, TitleLeavesOverTheFirstTwoSeconds) {
    constexpr int kWidth = 640, kHeight = 480;
    openTestGlContext(kWidth, kHeight);
    std::unique_ptr<Scene> scene = cameraOnlyScene("scene8-camera.3ds");
    ASSERT_TRUE(scene);
    scene->evaluateKeyframes();
    const uint32_t savedTitle = textureTable[5];
    textureTable[5] = solidTexture(255);
    auto frameAt = [&](float t) {
        drawScene8Frame(*scene, nullptr, t);
        return readFramebufferRgb(0, 0, kWidth, kHeight);
    };
    std::vector<uint8_t> facing = frameAt(0.0f);
    EXPECT_EQ(rgbAt(facing, kWidth, kWidth / 2, kHeight - 3), 0xFFFFFFu);
    std::vector<uint8_t> turned = frameAt(1.0f);
    EXPECT_NE(rgbAt(turned, kWidth, kWidth / 2, kHeight / 2), 0u);
    EXPECT_EQ(rgbAt(turned, kWidth, kWidth / 2, kHeight - 3), 0u);
    EXPECT_LT(litPixels(frameAt(2.0f)), kWidth * 2);
    EXPECT_EQ(litPixels(frameAt(2.1f)), 0);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    textureTable[5] = savedTitle;
}

// The scene resets the shared pool and its lifetime at its start, even when
// its file was refused; it then plays black frames without touching data.
TEST(Scene8Frames, StartResetsThePoolEvenForARefusedScene) {
    openTestGlContext();
    SharedPool shared;
    shared.pool.emitAt(1.0, 2.0, 3.0);
    showSceneLoaded[kMine] = false;
    useSteppedClock(100.0);
    playScene8(0.5f);
    useRealClock();
    EXPECT_EQ(shared.pool.count, 0);
    EXPECT_EQ(shared.pool.lifetime, 8.0f);
}

}  // namespace
