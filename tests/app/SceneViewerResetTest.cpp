// resetAnimation and the view's pass clock, in process (no GL: the test
// scene has no materials, so loading makes no texture).
#include <gtest/gtest.h>

#include "SceneViewerFiles.h"
#include "app/SceneViewer.h"
#include "platform/Platform.h"
#include "render/ResetAnimation.h"

namespace {

// What the evaluation changes, for one object.
struct Pose {
    int32_t positionKeyIndex, rotationKeyIndex;
    Vec3 position, rotation, rotationBase, cameraPosition, cameraTarget;
};

std::vector<Pose> poses(const Scene& scene) {
    std::vector<Pose> result;
    const SceneObject* object = &scene;
    for (int n = 0; n < scene.objectCount; ++n, object = object->next) {
        result.push_back({object->positionKeyIndex, object->rotationKeyIndex, object->position, object->rotation,
                          object->rotationBase, object->cameraPosition, object->cameraTarget});
    }
    return result;
}

void expectSameVec(const Vec3& a, const Vec3& b, const char* what, int object) {
    EXPECT_DOUBLE_EQ(a.x, b.x) << what << " of object " << object;
    EXPECT_DOUBLE_EQ(a.y, b.y) << what << " of object " << object;
    EXPECT_DOUBLE_EQ(a.z, b.z) << what << " of object " << object;
}

// Camera view angles (rotation x and y) are outputs of every evaluation,
// not state: they are compared only after an evaluation.
void expectSamePoses(const Scene& scene, const std::vector<Pose>& a, const std::vector<Pose>& b,
                     bool withCameraAngles) {
    ASSERT_EQ(a.size(), b.size());
    const SceneObject* object = &scene;
    for (size_t i = 0; i < a.size(); ++i, object = object->next) {
        const int n = static_cast<int>(i);
        EXPECT_EQ(a[i].positionKeyIndex, b[i].positionKeyIndex) << "object " << n;
        EXPECT_EQ(a[i].rotationKeyIndex, b[i].rotationKeyIndex) << "object " << n;
        expectSameVec(a[i].position, b[i].position, "position", n);
        expectSameVec(a[i].rotationBase, b[i].rotationBase, "rotationBase", n);
        expectSameVec(a[i].cameraPosition, b[i].cameraPosition, "cameraPosition", n);
        expectSameVec(a[i].cameraTarget, b[i].cameraTarget, "cameraTarget", n);
        if (object->kind != ObjectKind::Camera || withCameraAngles) {
            expectSameVec(a[i].rotation, b[i].rotation, "rotation", n);
        }
    }
}

void playTo(Scene& scene, double last) {
    for (double f = 0.0; f <= last; f += 1.0) {
        scene.frame = f;
        scene.evaluateKeyframes();
    }
}

class SceneViewerResetTest : public ::testing::Test {
protected:
    void SetUp() override {
        setHeadlessMessages(true);
        file = writeScratchFile("view-reset.3ds", animatedSceneBytes());
        ASSERT_TRUE(scene.load(file.c_str())) << scene.loadError();
        ASSERT_NE(scene.camera, nullptr);
        ASSERT_EQ(scene.frameCount, 60);
    }
    std::string file;
    Scene scene;
};

TEST_F(SceneViewerResetTest, ResetRestoresTheLoadedTracksAndReplaysTheSameFrames) {
    const std::vector<Pose> loaded = poses(scene);
    playTo(scene, 50.0);
    // Both have passed their keys at frame 30: the box (first object) and the camera.
    ASSERT_EQ(scene.rotationKeyIndex, 1);
    ASSERT_EQ(scene.camera->positionKeyIndex, 2);
    ASSERT_NE(scene.camera->cameraPosition.y, loaded.back().cameraPosition.y);
    resetAnimation(scene);
    EXPECT_EQ(scene.frame, 0.0);
    EXPECT_EQ(scene.cursor, &scene);
    expectSamePoses(scene, loaded, poses(scene), false);

    // The same frames after a reset as after a fresh load.
    playTo(scene, 20.0);
    Scene fresh;
    ASSERT_TRUE(fresh.load(file.c_str()));
    playTo(fresh, 20.0);
    expectSamePoses(scene, poses(fresh), poses(scene), true);
}

TEST_F(SceneViewerResetTest, EachPassOfTheViewStartsFromTheLoadedState) {
    ViewLoop loop;
    loop.frames = 60;
    loop.seconds = 2.0;
    for (double t = 0.0; t < 3.5; t += 1.0 / 30.0) poseForView(scene, loop, t);
    EXPECT_EQ(loop.pass, 1);
    // A jump straight to 1.5 s into the next pass, as a slow frame gives.
    poseForView(scene, loop, 5.5);
    EXPECT_EQ(loop.pass, 2);
    EXPECT_NEAR(scene.frame, 45.0, 1e-9);
    Scene fresh;
    ASSERT_TRUE(fresh.load(file.c_str()));
    ViewLoop freshLoop = loop;
    freshLoop.pass = -1;
    poseForView(fresh, freshLoop, 1.5);
    expectSamePoses(scene, poses(fresh), poses(scene), true);
}

}  // namespace
