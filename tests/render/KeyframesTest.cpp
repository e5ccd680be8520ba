// Keyframe evaluation at the values the show's scenes rely on: the clamp,
// mesh restart and catch-up, accumulated rotation increments, extrapolation,
// the camera's one-key-per-call advance and its view angles.
#include <gtest/gtest.h>

#include <cmath>

#include "render/TestScenes.h"

using namespace testscenes;

namespace {

void expectVec(const Vec3& v, double x, double y, double z)
{
    EXPECT_NEAR(v.x, x, 1e-9);
    EXPECT_NEAR(v.y, y, 1e-9);
    EXPECT_NEAR(v.z, z, 1e-9);
}

void evaluateAt(Scene& scene, double f)
{
    scene.frame = f;
    scene.evaluateKeyframes();
}

}  // namespace

TEST(Keyframes, FrameIsClampedBelowFrameCount)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 10}, {0, 0, 0}, 100);
    evaluateAt(scene, 100 + 5.7);
    EXPECT_DOUBLE_EQ(scene.frame, 99.0);
    evaluateAt(scene, 100 - 0.5);
    EXPECT_DOUBLE_EQ(scene.frame, 99.5);
}

TEST(Keyframes, FrameZeroRestartsMeshesAtTheirFirstKeys)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    SceneObject& mesh = addSquareMesh(scene, "box", 0, 0, 0, 1);
    setPositionTrack(mesh, {0, 10, 20}, {{1, 2, 3}, {11, 2, 3}, {21, 2, 3}});
    setRotationTrack(mesh, {0, 10, 20}, {{0, 0, 0}, {0, 90, 0}, {0, 90, 0}});
    evaluateAt(scene, 15);
    ASSERT_EQ(mesh.positionKeyIndex, 1);
    ASSERT_EQ(mesh.rotationKeyIndex, 1);

    evaluateAt(scene, 0.0);
    EXPECT_EQ(mesh.positionKeyIndex, 0);
    EXPECT_EQ(mesh.rotationKeyIndex, 0);
    expectVec(mesh.position, 1, 2, 3);
    expectVec(mesh.rotation, 0, 0, 0);
    expectVec(mesh.rotationBase, 0, 0, 0);
    EXPECT_EQ(scene.cursor, &scene);
}

TEST(Keyframes, RotationIncrementsAccumulateAndAreNegated)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    SceneObject& mesh = addSquareMesh(scene, "wheel", 0, 0, 0, 1);
    setRotationTrack(mesh, {0, 10, 20}, {{0, 0, 0}, {0, 90, 0}, {0, 90, 0}});

    evaluateAt(scene, 5);
    expectVec(mesh.rotation, 0, -45, 0);
    evaluateAt(scene, 10);
    evaluateAt(scene, 15);
    expectVec(mesh.rotationBase, 0, 90, 0);
    expectVec(mesh.rotation, 0, -135, 0);
}

TEST(Keyframes, MeshCatchesUpSeveralKeysInOneCall)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    SceneObject& mesh = addSquareMesh(scene, "wheel", 0, 0, 0, 1);
    setRotationTrack(mesh, {0, 10, 20, 30}, {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}});
    evaluateAt(scene, 25);
    // Evaluated on the first segment (extrapolated), then both passed keys added.
    expectVec(mesh.rotation, -25, 0, 0);
    EXPECT_EQ(mesh.rotationKeyIndex, 2);
    expectVec(mesh.rotationBase, 30, 0, 0);
    evaluateAt(scene, 25);
    expectVec(mesh.rotation, -45, 0, 0);  // 30 + 5 x 30 / 10 on the segment 20..30
}

TEST(Keyframes, PositionExtrapolatesPastTheLastKeyThenHolds)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    SceneObject& mesh = addSquareMesh(scene, "car", 0, 0, 0, 1);
    setPositionTrack(mesh, {0, 10}, {{0, 0, 0}, {10, 20, 30}});
    evaluateAt(scene, 8);
    expectVec(mesh.position, 8, 16, 24);
    evaluateAt(scene, 12);
    expectVec(mesh.position, 12, 24, 36);
    EXPECT_EQ(mesh.positionKeyIndex, 1);
    evaluateAt(scene, 14);
    expectVec(mesh.position, 12, 24, 36);
}

TEST(Keyframes, SingleKeyTracksNeverChange)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    SceneObject& mesh = addSquareMesh(scene, "rock", 0, 0, 0, 1);
    setPositionTrack(mesh, {5}, {{3, 4, 5}});
    mesh.rotation = {1, 2, 3};
    for (double f : {0.0, 5.0, 50.0}) {
        evaluateAt(scene, f);
        expectVec(mesh.position, 3, 4, 5);
        expectVec(mesh.rotation, 1, 2, 3);
    }
}

TEST(Keyframes, CameraAdvancesOneKeyPerCall)
{
    Scene scene;
    // Eye x at 0, 1, 4, 9, 16: each segment extrapolates to a different value.
    SceneObject& cam = addStillCamera(scene, {0, 0, 10}, {0, 0, -100}, 40);
    setPositionTrack(cam, {0, 10, 20, 30, 40}, {{0, 0, 10}, {1, 0, 10}, {4, 0, 10}, {9, 0, 10}, {16, 0, 10}});
    evaluateAt(scene, 1);
    EXPECT_NEAR(cam.cameraPosition.x, 0.1, 1e-12);
    EXPECT_EQ(cam.positionKeyIndex, 1);

    evaluateAt(scene, 35);
    EXPECT_NEAR(cam.cameraPosition.x, 3.5, 1e-12);  // segment 0..10
    EXPECT_EQ(cam.positionKeyIndex, 2);
    evaluateAt(scene, 35);
    EXPECT_NEAR(cam.cameraPosition.x, 8.5, 1e-12);  // segment 10..20
    evaluateAt(scene, 35);
    EXPECT_NEAR(cam.cameraPosition.x, 11.5, 1e-12);  // segment 20..30
    evaluateAt(scene, 35);
    EXPECT_NEAR(cam.cameraPosition.x, 12.5, 1e-12);  // segment 30..40
    EXPECT_EQ(cam.positionKeyIndex, 4);
}

TEST(Keyframes, CameraSkipsRepeatedFrameNumbers)
{
    Scene scene;
    SceneObject& cam = addStillCamera(scene, {0, 0, 10}, {0, 0, -100}, 20);
    setPositionTrack(cam, {0, 0, 10, 20}, {{5, 0, 10}, {0, 0, 10}, {10, 0, 10}, {20, 0, 10}});
    evaluateAt(scene, 5);
    EXPECT_EQ(cam.positionKeyIndex, 2);
    EXPECT_NEAR(cam.cameraPosition.x, 5.0, 1e-12);  // segment from key 1 (frame 0) to key 2
}

// The three example cameras; the 3.1415 divisor makes a right angle 90.0027.
TEST(Keyframes, ViewAnglesOfTheExampleCameras)
{
    struct Case {
        Vec3 eye;
        double x, y;
    } cases[] = {{{0, 0, 10}, 0.0, 0.0}, {{10, 0, 0}, 0.0, -90.0027}, {{0, 10, 10}, 45.0013, 0.0}};
    for (const Case& c : cases) {
        Scene scene;
        SceneObject& cam = addStillCamera(scene, c.eye, {0, 0, 0});
        evaluateAt(scene, 1);
        EXPECT_NEAR(cam.rotation.x, c.x, 1e-4);
        EXPECT_NEAR(cam.rotation.y, c.y, 1e-4);
    }
}

TEST(Keyframes, EyeAboveTargetPitchesPositive)
{
    Scene scene;
    SceneObject& cam = addStillCamera(scene, {0, 5, 10}, {0, 0, -10});
    cam.rotation.z = 7.0;
    evaluateAt(scene, 1);
    EXPECT_GT(cam.rotation.x, 0.0);
    EXPECT_DOUBLE_EQ(cam.rotation.z, 7.0);  // the roll is left as loading set it
}

// The target's last segment keeps being extrapolated for the angles; the
// stored target snaps to the last key afterwards.
TEST(Keyframes, TargetTrackEndingEarlyKeepsTurningTheView)
{
    Scene scene;
    SceneObject& cam = addStillCamera(scene, {0, 0, 100}, {0, 0, 0}, 200);
    setRotationTrack(cam, {0, 100}, {{0, 0, 0}, {100, 0, 0}});
    evaluateAt(scene, 50);
    evaluateAt(scene, 100);
    evaluateAt(scene, 150);
    expectVec(cam.cameraTarget, 100, 0, 0);
    const double expectedYaw = std::atan2(150.0, 100.0) * 180.0 / 3.1415;  // target extrapolated to x = 150
    EXPECT_NEAR(cam.rotation.y, expectedYaw, 1e-9);
}

// Mends: no NaN angles, no reads past short tracks, no division by zero.
TEST(Keyframes, DegenerateCamerasKeepFiniteAngles)
{
    Scene vertical;
    SceneObject& up = addStillCamera(vertical, {0, 10, 0}, {0, 0, 0});
    evaluateAt(vertical, 1);
    EXPECT_TRUE(std::isfinite(up.rotation.x));
    EXPECT_TRUE(std::isfinite(up.rotation.y));
    EXPECT_NEAR(up.rotation.x, 90.0027, 1e-4);

    Scene onTarget;
    SceneObject& same = addStillCamera(onTarget, {3, 3, 3}, {3, 3, 3});
    same.rotation = {12, 34, 0};
    evaluateAt(onTarget, 1);
    expectVec(same.rotation, 12, 34, 0);
}

TEST(Keyframes, CameraTracksShorterThanTwoKeysHoldTheirKey)
{
    Scene scene;
    SceneObject& cam = addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    setPositionTrack(cam, {0}, {{1, 2, 30}});
    setRotationTrack(cam, {}, {});
    cam.cameraTarget = {1, 2, 3};
    evaluateAt(scene, 5);
    expectVec(cam.cameraPosition, 1, 2, 30);
    expectVec(cam.cameraTarget, 1, 2, 3);
    EXPECT_TRUE(std::isfinite(cam.rotation.x) && std::isfinite(cam.rotation.y));
}

TEST(Keyframes, RepeatedMeshKeyFramesGiveNoNaN)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    SceneObject& mesh = addSquareMesh(scene, "jump", 0, 0, 0, 1);
    setPositionTrack(mesh, {0, 10, 10, 20}, {{0, 0, 0}, {10, 0, 0}, {50, 0, 0}, {60, 0, 0}});
    setRotationTrack(mesh, {0, 10, 10}, {{0, 0, 0}, {0, 10, 0}, {0, 20, 0}});
    for (double f : {5.0, 10.0, 15.0}) {
        evaluateAt(scene, f);
        EXPECT_TRUE(std::isfinite(mesh.position.x));
        EXPECT_TRUE(std::isfinite(mesh.rotation.y));
    }
    EXPECT_NEAR(mesh.position.x, 55.0, 1e-9);
}
