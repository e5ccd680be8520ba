// Key tracks of the keyframer section: spline floats, frame numbers,
// rotation scaling, name lookup and the blocks that have no target.
#include "SceneFiles.h"

namespace {
using KeyframerChunks = SceneFileTest;

const std::vector<std::vector<float>> kTriangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
const std::vector<std::vector<uint16_t>> kOneFace = {{0, 1, 2}};

void meshNamed(Chunk3dsWriter& w, const std::string& name) { addMesh(w, name, kTriangle, kOneFace); }

// One key: frame, spline flags with one float per set bit, then the value.
void key(Chunk3dsWriter& w, uint32_t frame, uint16_t splineFlags, std::vector<float> value) {
    w.u32(frame).u16(splineFlags);
    for (int bit = 0; bit < 5; ++bit) {
        if (splineFlags & (1 << bit)) w.f32(-99.0f);
    }
    for (float v : value) w.f32(v);
}

void trackHeader(Chunk3dsWriter& w, uint16_t id, uint32_t keys) {
    w.begin(id).u16(0).u32(0).u32(0).u32(keys);
}

TEST_F(KeyframerChunks, SplineFloatsAreSkippedAndFramesKeepLow16Bits) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("spline.3ds", [](Chunk3dsWriter& w) { meshNamed(w, "M"); },
        [](Chunk3dsWriter& w) {
            w.begin(0xB002).begin(0xB010).string("M").u16(0).u16(0).u16(0xFFFF).end();
            trackHeader(w, 0xB020, 3);
            key(w, 0, 0x0000, {1, 2, 3});
            key(w, 10, 0x0009, {4, 5, 6});
            key(w, 70000, 0x001F, {7, 8, 9});
            w.end().end();
        }).c_str()));
    const SceneObject& mesh = scene;
    ASSERT_EQ(mesh.positionKeyCount, 3u);
    EXPECT_EQ(mesh.positionKeyFrames[1], 10);
    EXPECT_EQ(mesh.positionKeyFrames[2], 4464);
    EXPECT_DOUBLE_EQ(mesh.positionKeys[1].x, 4.0);
    EXPECT_DOUBLE_EQ(mesh.positionKeys[1].y, 6.0);
    EXPECT_DOUBLE_EQ(mesh.positionKeys[1].z, -5.0);
    EXPECT_DOUBLE_EQ(mesh.positionKeys[2].y, 9.0);
    // load starts the mesh at its first key
    EXPECT_DOUBLE_EQ(mesh.position.z, -2.0);
    EXPECT_DOUBLE_EQ(mesh.basePosition.y, 3.0);
    EXPECT_EQ(mesh.positionKeyIndex, 0);
    EXPECT_TRUE(scene.loadProblems().empty());
}

TEST_F(KeyframerChunks, RotationKeysAreIncrementsInDegreesWithKeyZeroCleared) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("rotation.3ds",
        [](Chunk3dsWriter& w) { meshNamed(w, "One"); meshNamed(w, "Two"); },
        [](Chunk3dsWriter& w) {
            w.begin(0xB002).begin(0xB010).string("One").end();
            trackHeader(w, 0xB021, 1);
            key(w, 0, 0, {1.0f, 1, 0, 0});
            w.end().end();
            w.begin(0xB002).begin(0xB010).string("Two").end();
            trackHeader(w, 0xB021, 2);
            key(w, 0, 0, {2.0f, 0, 1, 0});
            key(w, 50, 0, {0.5f, 0, 0, 1});
            w.end().end();
        }).c_str()));
    const SceneObject& one = scene;
    ASSERT_EQ(one.rotationKeyCount, 1u);
    EXPECT_DOUBLE_EQ(one.rotationKeys[0].x, 0.0);
    const SceneObject& two = *scene.next;
    ASSERT_EQ(two.rotationKeyCount, 2u);
    EXPECT_DOUBLE_EQ(two.rotationKeys[0].z, 0.0);
    EXPECT_DOUBLE_EQ(two.rotationKeys[1].x, 0.0);
    EXPECT_NEAR(two.rotationKeys[1].y, 28.6487, 1e-4);
    EXPECT_DOUBLE_EQ(two.rotationKeys[1].z, 0.0);
    EXPECT_EQ(two.rotationKeyIndex, 0);
}

TEST_F(KeyframerChunks, DuplicateNamesFindTheFirstObject) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("duplicates.3ds",
        [](Chunk3dsWriter& w) { meshNamed(w, "Twin"); meshNamed(w, "Twin"); },
        [](Chunk3dsWriter& w) { w.infoBlock(0xB002, "Twin", {0, 5}, {{1, 1, 1}, {2, 2, 2}}); }).c_str()));
    EXPECT_EQ(scene.positionKeyCount, 2u);
    EXPECT_EQ(scene.next->positionKeyCount, 0u);
}

TEST_F(KeyframerChunks, BlocksWithoutTargetAreSkipped) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("orphans.3ds", [](Chunk3dsWriter& w) { meshNamed(w, "M"); },
        [](Chunk3dsWriter& w) {
            w.infoBlock(0xB002, "$$$DUMMY", {0, 9}, {{5, 5, 5}, {6, 6, 6}});
            // Track before the name chunk: it has nowhere to go.
            w.begin(0xB002).positionTrack({0, 7}, {{8, 8, 8}, {9, 9, 9}});
            w.begin(0xB010).string("M").end().end();
        }).c_str()));
    EXPECT_EQ(scene.positionKeyCount, 0u);
    EXPECT_DOUBLE_EQ(scene.position.x, 0.0);  // zero fallback without a track
    EXPECT_DOUBLE_EQ(scene.rotation.x, 0.0);
    EXPECT_EQ(scene.frameCount, 100);
}

TEST_F(KeyframerChunks, CameraTargetTrackAndIgnoredCameraRotation) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("target.3ds", nullptr,
        [](Chunk3dsWriter& w) {
            w.infoBlock(0xB004, "Cam", {0, 40, 80}, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
            w.begin(0xB003).begin(0xB010).string("Cam").end();
            w.begin(0xB013).point(0, 0, 15).end();  // pivot: written into rotation
            trackHeader(w, 0xB021, 1);
            key(w, 0, 0, {1, 1, 0, 0});
            w.end().end();
        }).c_str()));
    ASSERT_EQ(scene.camera, static_cast<SceneObject*>(&scene));
    EXPECT_EQ(scene.rotationKeyCount, 3u);  // the target track, not the rotation track
    EXPECT_EQ(scene.rotationKeyIndex, 1);
    EXPECT_EQ(scene.positionKeyIndex, 1);
    EXPECT_DOUBLE_EQ(scene.rotationKeys[2].y, 9.0);
    EXPECT_DOUBLE_EQ(scene.cameraTarget.x, 1.0);  // more than one key: the first one
    EXPECT_DOUBLE_EQ(scene.rotation.y, 15.0);
}
}  // namespace
