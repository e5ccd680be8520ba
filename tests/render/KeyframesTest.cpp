// Keyframe evaluation at the values the show's scenes rely on: the clamp,
// mesh restart and catch-up, accumulated rotation increments, extrapolation,
// the camera's one-key-per-call advance and its view angles.
#include <gtest/gtest.h>

#include <cmath>

#include "support/TestScenes.h"

using namespace testscenes;

namespace {

enum Track { Position, Rotation, Eye, Target };  // of the mesh, of the camera

// The value a track drives after evaluating at frame.
struct Step {
    double frame;
    Vec3 value;
};

struct Case {
    const char* name;
    Track track;
    std::vector<uint16_t> frames;
    std::vector<Vec3> keys;
    std::vector<Step> steps;
};

// A still camera at (0, 0, 10) over frames 0..100 and one square mesh; the
// case's track replaces one of theirs.
// clang-format off
const Case kCases[] = {
    // (0, 90, 0) increments at 10 and 20: -45 at 5, -135 at 15; frame 0 restarts.
    {"rotation increments", Rotation, {0, 10, 20}, {{0, 0, 0}, {0, 90, 0}, {0, 90, 0}},
     {{5, {0, -45, 0}}, {10, {0, -90, 0}}, {15, {0, -135, 0}}, {0, {0, 0, 0}}, {5, {0, -45, 0}}}},
    {"position restart", Position, {0, 10, 20}, {{1, 2, 3}, {11, 2, 3}, {41, 2, 3}},
     {{10, {11, 2, 3}}, {15, {26, 2, 3}}, {0, {1, 2, 3}}, {5, {6, 2, 3}}}},
    // Evaluated on the first segment (extrapolated), then both passed keys added.
    {"catch-up", Rotation, {0, 10, 20, 30}, {{0, 0, 0}, {10, 0, 0}, {20, 0, 0}, {30, 0, 0}},
     {{25, {-25, 0, 0}}, {25, {-45, 0, 0}}}},
    {"extrapolate then hold", Position, {0, 10}, {{0, 0, 0}, {10, 20, 30}},
     {{8, {8, 16, 24}}, {12, {12, 24, 36}}, {14, {12, 24, 36}}}},
    {"single key", Position, {5}, {{3, 4, 5}}, {{0, {3, 4, 5}}, {5, {3, 4, 5}}, {50, {3, 4, 5}}}},
    // Mend: repeated frame numbers neither divide by zero nor stall the track.
    {"repeated position frame", Position, {0, 10, 10, 20}, {{0, 0, 0}, {10, 0, 0}, {50, 0, 0}, {60, 0, 0}},
     {{5, {5, 0, 0}}, {10, {10, 0, 0}}, {15, {55, 0, 0}}}},
    {"repeated rotation frame", Rotation, {0, 0, 10}, {{0, 0, 0}, {0, 10, 0}, {0, 20, 0}},
     {{0, {0, -10, 0}}, {5, {0, -20, 0}}}},
    {"repeated camera frame", Eye, {0, 0, 10, 20}, {{5, 0, 10}, {0, 0, 10}, {10, 0, 10}, {20, 0, 10}},
     {{5, {5, 0, 10}}}},
    // Eye x at 0, 1, 4, 9, 16; each call at 35 moves on one segment.
    {"camera one key per call", Eye, {0, 10, 20, 30, 40}, {{0, 0, 10}, {1, 0, 10}, {4, 0, 10}, {9, 0, 10}, {16, 0, 10}},
     {{1, {0.1, 0, 10}}, {35, {3.5, 0, 10}}, {35, {8.5, 0, 10}}, {35, {11.5, 0, 10}}, {35, {12.5, 0, 10}},
      {35, {12.5, 0, 10}}}},
    // Mend: camera tracks of one key or none hold what they have.
    {"camera single key", Eye, {0}, {{1, 2, 30}}, {{5, {1, 2, 30}}}},
    {"camera without target keys", Target, {}, {}, {{5, {0, 0, 0}}}},
};
// clang-format on

}  // namespace

TEST(Keyframes, TracksFollowTheirKeysIncrementally) {
    for (const Case& c : kCases) {
        Scene scene;
        SceneObject& cam = addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
        SceneObject& mesh = addSquareMesh(scene, "box", 0, 0, 0, 1);
        (c.track == Position || c.track == Eye ? setPositionTrack : setRotationTrack)(
            c.track == Position || c.track == Rotation ? mesh : cam, c.frames, c.keys);
        const Vec3* value = c.track == Position   ? &mesh.position
                            : c.track == Rotation ? &mesh.rotation
                            : c.track == Eye      ? &cam.cameraPosition
                                                  : &cam.cameraTarget;
        for (const Step& s : c.steps) {
            scene.frame = s.frame;
            scene.evaluateKeyframes();
            EXPECT_TRUE(sameVec(*value, s.value)) << c.name << " at " << s.frame;
        }
        EXPECT_TRUE(std::isfinite(cam.rotation.x) && std::isfinite(cam.rotation.y)) << c.name;
        EXPECT_EQ(scene.cursor, &scene) << c.name;
    }
}

// The three example cameras (the 3.1415 divisor makes a right angle
// 90.0027), and the mends: a vertical line of sight keeps its yaw, an eye on
// its target keeps both angles. The roll is left as loading set it.
TEST(Keyframes, ViewAnglesOfExampleAndDegenerateCamerasAndAnEarlyEndingTarget) {
    struct Angles {
        const char* name;
        Vec3 eye, target;
        double x, y;
    } cases[] = {{"ahead", {0, 0, 10}, {0, 0, 0}, 0.0, 0.0},
                 {"right", {10, 0, 0}, {0, 0, 0}, 0.0, -90.0027},
                 {"above ahead", {0, 10, 10}, {0, 0, 0}, 45.0013, 0.0},
                 {"vertical", {0, 10, 0}, {0, 0, 0}, 90.0027, 34.0},
                 {"on target", {3, 3, 3}, {3, 3, 3}, 12.0, 34.0}};
    for (const Angles& c : cases) {
        Scene scene;
        SceneObject& cam = addStillCamera(scene, c.eye, c.target);
        cam.rotation = {12, 34, 7};
        scene.frame = 1;
        scene.evaluateKeyframes();
        EXPECT_NEAR(cam.rotation.x, c.x, 1e-4) << c.name;
        EXPECT_NEAR(cam.rotation.y, c.y, 1e-4) << c.name;
        EXPECT_DOUBLE_EQ(cam.rotation.z, 7.0) << c.name;
    }

    // The target's last segment keeps being extrapolated for the angles; the
    // stored target snaps to the last key afterwards. The frame is clamped
    // below frameCount.
    Scene scene;
    SceneObject& cam = addStillCamera(scene, {0, 0, 100}, {0, 0, 0}, 200);
    setRotationTrack(cam, {0, 100}, {{0, 0, 0}, {100, 0, 0}});
    for (double f : {50.0, 100.0, 150.0}) {
        scene.frame = f;
        scene.evaluateKeyframes();
    }
    EXPECT_DOUBLE_EQ(cam.cameraTarget.x, 100.0);
    const double expectedYaw = std::atan2(150.0, 100.0) * 180.0 / 3.1415;  // target extrapolated to x = 150
    EXPECT_NEAR(cam.rotation.y, expectedYaw, 1e-9);
    const double clamp[][2] = {{200 + 5.7, 199.0}, {200.0, 199.0}, {200 - 0.5, 199.5}};
    for (const auto& c : clamp) {
        scene.frame = c[0];
        scene.evaluateKeyframes();
        EXPECT_DOUBLE_EQ(scene.frame, c[1]) << c[0];
    }
}
