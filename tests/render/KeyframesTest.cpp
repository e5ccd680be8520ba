// Keyframe evaluation at the values the show's scenes rely on: the clamp,
// mesh restart and catch-up, accumulated rotation increments, extrapolation,
// the camera's one-key-per-call advance and its view angles.
#include <gtest/gtest.h>

#include <cmath>

#include "support/TestScenes.h"

using namespace testscenes;

namespace {

void expectVec(const Vec3& v, double x, double y, double z)
{
    EXPECT_NEAR(v.x, x, 1e-9);
    EXPECT_NEAR(v.y, y, 1e-9);
    EXPECT_NEAR(v.z, z, 1e-9);
}

// A scene with a still camera over frames 0..100 and one square mesh.
class Keyframes : public ::testing::Test {
protected:
    Scene scene;
    SceneObject& cam = addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    SceneObject& mesh = addSquareMesh(scene, "box", 0, 0, 0, 1);

    void evaluateAt(double f)
    {
        scene.frame = f;
        scene.evaluateKeyframes();
    }
};

}  // namespace

TEST_F(Keyframes, FrameIsClampedBelowFrameCount)
{
    evaluateAt(100 + 5.7);
    EXPECT_DOUBLE_EQ(scene.frame, 99.0);
    evaluateAt(100 - 0.5);
    EXPECT_DOUBLE_EQ(scene.frame, 99.5);
}

// (0, 90, 0) increments at 10 and 20: -45 at 5, -135 at 15; frame 0 restarts.
TEST_F(Keyframes, RotationIncrementsAccumulateNegatedAndRestartAtZero)
{
    setPositionTrack(mesh, {0, 10, 20}, {{1, 2, 3}, {11, 2, 3}, {21, 2, 3}});
    setRotationTrack(mesh, {0, 10, 20}, {{0, 0, 0}, {0, 90, 0}, {0, 90, 0}});
    evaluateAt(5);
    expectVec(mesh.rotation, 0, -45, 0);
    evaluateAt(10);
    evaluateAt(15);
    expectVec(mesh.rotationBase, 0, 90, 0);
    expectVec(mesh.rotation, 0, -135, 0);
    ASSERT_EQ(mesh.positionKeyIndex, 1);

    evaluateAt(0.0);
    EXPECT_EQ(mesh.positionKeyIndex, 0);
    EXPECT_EQ(mesh.rotationKeyIndex, 0);
    expectVec(mesh.position, 1, 2, 3);
    expectVec(mesh.rotation, 0, 0, 0);
    expectVec(mesh.rotationBase, 0, 0, 0);
    EXPECT_EQ(scene.cursor, &scene);
}

TEST_F(Keyframes, MeshCatchesUpSeveralKeysInOneCall)
{
    setRotationTrack(mesh, {0, 10, 20, 30}, {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}});
    evaluateAt(25);
    // Evaluated on the first segment (extrapolated), then both passed keys added.
    expectVec(mesh.rotation, -25, 0, 0);
    EXPECT_EQ(mesh.rotationKeyIndex, 2);
    expectVec(mesh.rotationBase, 30, 0, 0);
    evaluateAt(25);
    expectVec(mesh.rotation, -45, 0, 0);  // 30 + 5 x 30 / 10 on the segment 20..30
}

TEST_F(Keyframes, PositionExtrapolatesPastTheLastKeyThenHolds)
{
    setPositionTrack(mesh, {0, 10}, {{0, 0, 0}, {10, 20, 30}});
    evaluateAt(8);
    expectVec(mesh.position, 8, 16, 24);
    evaluateAt(12);
    expectVec(mesh.position, 12, 24, 36);
    EXPECT_EQ(mesh.positionKeyIndex, 1);
    evaluateAt(14);
    expectVec(mesh.position, 12, 24, 36);
}

TEST_F(Keyframes, SingleKeyTracksNeverChange)
{
    setPositionTrack(mesh, {5}, {{3, 4, 5}});
    mesh.rotation = {1, 2, 3};
    for (double f : {0.0, 5.0, 50.0}) {
        evaluateAt(f);
        expectVec(mesh.position, 3, 4, 5);
        expectVec(mesh.rotation, 1, 2, 3);
    }
}

// Mend: repeated frame numbers neither divide by zero nor stall the track.
TEST_F(Keyframes, RepeatedFrameNumbersAreSkipped)
{
    setPositionTrack(mesh, {0, 10, 10, 20}, {{0, 0, 0}, {10, 0, 0}, {50, 0, 0}, {60, 0, 0}});
    setRotationTrack(mesh, {0, 10, 10}, {{0, 0, 0}, {0, 10, 0}, {0, 20, 0}});
    for (double f : {5.0, 10.0, 15.0}) {
        evaluateAt(f);
        EXPECT_TRUE(std::isfinite(mesh.position.x));
        EXPECT_TRUE(std::isfinite(mesh.rotation.y));
    }
    EXPECT_NEAR(mesh.position.x, 55.0, 1e-9);

    setPositionTrack(cam, {0, 0, 10, 20}, {{5, 0, 10}, {0, 0, 10}, {10, 0, 10}, {20, 0, 10}});
    cam.cameraTarget = {0, 0, -100};
    setRotationTrack(cam, {0, 20}, {cam.cameraTarget, cam.cameraTarget});
    evaluateAt(5);
    EXPECT_EQ(cam.positionKeyIndex, 2);
    EXPECT_NEAR(cam.cameraPosition.x, 5.0, 1e-12);  // segment from key 1 (frame 0) to key 2
}

TEST_F(Keyframes, CameraAdvancesOneKeyPerCall)
{
    // Eye x at 0, 1, 4, 9, 16: each segment extrapolates to a different value.
    setPositionTrack(cam, {0, 10, 20, 30, 40}, {{0, 0, 10}, {1, 0, 10}, {4, 0, 10}, {9, 0, 10}, {16, 0, 10}});
    evaluateAt(1);
    EXPECT_NEAR(cam.cameraPosition.x, 0.1, 1e-12);
    EXPECT_EQ(cam.positionKeyIndex, 1);
    // Each call at 35 moves on one segment: 0..10, 10..20, 20..30, 30..40.
    for (double x : {3.5, 8.5, 11.5, 12.5}) {
        evaluateAt(35);
        EXPECT_NEAR(cam.cameraPosition.x, x, 1e-12);
    }
    EXPECT_EQ(cam.positionKeyIndex, 4);
}

// The three example cameras; the 3.1415 divisor makes a right angle 90.0027.
// The roll is left as loading set it.
TEST(KeyframeAngles, ViewAnglesOfTheExampleCameras)
{
    struct Case {
        Vec3 eye;
        double x, y;
    } cases[] = {{{0, 0, 10}, 0.0, 0.0}, {{10, 0, 0}, 0.0, -90.0027}, {{0, 10, 10}, 45.0013, 0.0}};
    for (const Case& c : cases) {
        Scene scene;
        SceneObject& cam = addStillCamera(scene, c.eye, {0, 0, 0});
        cam.rotation.z = 7.0;
        scene.frame = 1;
        scene.evaluateKeyframes();
        EXPECT_NEAR(cam.rotation.x, c.x, 1e-4);
        EXPECT_NEAR(cam.rotation.y, c.y, 1e-4);
        EXPECT_DOUBLE_EQ(cam.rotation.z, 7.0);
    }
}

// The target's last segment keeps being extrapolated for the angles; the
// stored target snaps to the last key afterwards.
TEST_F(Keyframes, TargetTrackEndingEarlyKeepsTurningTheView)
{
    scene.frameCount = 200;
    cam.cameraPosition = {0, 0, 100};
    setPositionTrack(cam, {0, 200}, {{0, 0, 100}, {0, 0, 100}});
    setRotationTrack(cam, {0, 100}, {{0, 0, 0}, {100, 0, 0}});
    for (double f : {50.0, 100.0, 150.0})
        evaluateAt(f);
    expectVec(cam.cameraTarget, 100, 0, 0);
    const double expectedYaw = std::atan2(150.0, 100.0) * 180.0 / 3.1415;  // target extrapolated to x = 150
    EXPECT_NEAR(cam.rotation.y, expectedYaw, 1e-9);
}

// Mends: no NaN angles, no reads past short tracks, no division by zero.
TEST(KeyframeAngles, DegenerateCamerasKeepFiniteAngles)
{
    Scene vertical;
    SceneObject& up = addStillCamera(vertical, {0, 10, 0}, {0, 0, 0});
    vertical.frame = 1;
    vertical.evaluateKeyframes();
    EXPECT_NEAR(up.rotation.x, 90.0027, 1e-4);
    EXPECT_TRUE(std::isfinite(up.rotation.y));

    Scene onTarget;
    SceneObject& same = addStillCamera(onTarget, {3, 3, 3}, {3, 3, 3});
    same.rotation = {12, 34, 0};
    onTarget.frame = 1;
    onTarget.evaluateKeyframes();
    expectVec(same.rotation, 12, 34, 0);

    Scene shortTracks;
    SceneObject& cam = addStillCamera(shortTracks, {0, 0, 10}, {0, 0, 0});
    setPositionTrack(cam, {0}, {{1, 2, 30}});
    setRotationTrack(cam, {}, {});
    cam.cameraTarget = {1, 2, 3};
    shortTracks.frame = 5;
    shortTracks.evaluateKeyframes();
    expectVec(cam.cameraPosition, 1, 2, 30);
    expectVec(cam.cameraTarget, 1, 2, 3);
    EXPECT_TRUE(std::isfinite(cam.rotation.x) && std::isfinite(cam.rotation.y));
}
