// Key tracks of the keyframer section: spline floats, frame numbers,
// rotation scaling, name lookup and the blocks that have no target.
#include "SceneFiles.h"

namespace {
using KeyframerChunks = SceneFileTest;

// One key: frame, spline flags with one float per set bit, then the value.
void key(Chunk3dsWriter& w, uint32_t frame, uint16_t splineFlags, std::vector<float> value) {
    w.u32(frame).u16(splineFlags);
    for (int bit = 0; bit < 5; ++bit)
        if (splineFlags & (1 << bit)) w.f32(-99.0f);
    for (float v : value) w.f32(v);
}

// An object block of that name holding one track of that many keys.
void beginTrack(Chunk3dsWriter& w, uint16_t block, const std::string& name, uint16_t track, uint32_t keys) {
    w.begin(block).begin(0xB010).string(name).end().begin(track).u16(0).u32(0).u32(0).u32(keys);
}

// Spline floats skipped, frames keep their low 16 bits (70000 -> 4464),
// values in show axes; rotation keys become increments in degrees (with the
// show's 3.1415) and key 0 is cleared; load starts meshes at their first key.
// A second block for an object adds its other track; duplicate names find
// the first object; blocks naming no object, and tracks
// before the name chunk, are skipped; a mesh without tracks stays at zero.
TEST_F(KeyframerChunks, TracksAsTheShowKeepsThem) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile(
                               [](Chunk3dsWriter& w) {
                                   for (const char* name : {"M", "Two", "Twin", "Twin"})
                                       addMesh(w, name, kTriangle, kOneFace);
                               },
                               [](Chunk3dsWriter& w) {
                                   beginTrack(w, 0xB002, "M", 0xB020, 3);
                                   key(w, 0, 0x0000, {1, 2, 3});
                                   key(w, 10, 0x0009, {4, 5, 6});
                                   key(w, 70000, 0x001F, {7, 8, 9});
                                   w.end().end();
                                   beginTrack(w, 0xB002, "M", 0xB021, 1);  // a second block for M
                                   key(w, 0, 0, {1.0f, 1, 0, 0});
                                   w.end().end();
                                   beginTrack(w, 0xB002, "Two", 0xB021, 2);
                                   key(w, 0, 0, {2.0f, 0, 1, 0});
                                   key(w, 50, 0, {0.5f, 0, 0, 1});
                                   w.end().end();
                                   w.infoBlock(0xB002, "Twin", {0, 5}, {{1, 1, 1}, {2, 2, 2}});
                                   w.infoBlock(0xB002, "$$$DUMMY", {0, 9}, {{5, 5, 5}, {6, 6, 6}});
                                   w.begin(0xB002).positionTrack({0, 7}, {{8, 8, 8}, {9, 9, 9}});
                                   w.begin(0xB010).string("Twin").end().end();
                               })
                               .c_str()));
    const SceneObject& mesh = scene;
    ASSERT_EQ(mesh.positionKeyCount, 3u);
    EXPECT_EQ(mesh.positionKeyFrames[1], 10);
    EXPECT_EQ(mesh.positionKeyFrames[2], 4464);
    EXPECT_TRUE(sameVec(mesh.positionKeys[1], {4, 6, -5}));
    EXPECT_DOUBLE_EQ(mesh.positionKeys[2].y, 9.0);
    EXPECT_DOUBLE_EQ(mesh.position.z, -2.0);
    EXPECT_DOUBLE_EQ(mesh.basePosition.y, 3.0);
    ASSERT_EQ(mesh.rotationKeyCount, 1u);
    EXPECT_DOUBLE_EQ(mesh.rotationKeys[0].x, 0.0);
    const SceneObject& two = *mesh.next;
    ASSERT_EQ(two.rotationKeyCount, 2u);
    EXPECT_DOUBLE_EQ(two.rotationKeys[0].z, 0.0);
    EXPECT_TRUE(sameVec(two.rotationKeys[1], {0, 28.6487, 0}, 1e-4));
    const SceneObject& twin = *two.next;
    ASSERT_EQ(twin.positionKeyCount, 2u);
    EXPECT_EQ(twin.positionKeyFrames[1], 5);
    EXPECT_DOUBLE_EQ(twin.positionKeys[1].x, 2.0);
    const SceneObject& second = *twin.next;
    EXPECT_EQ(second.positionKeyCount + second.rotationKeyCount, 0u);
    EXPECT_DOUBLE_EQ(second.position.x + second.rotation.x, 0.0);
    EXPECT_EQ(scene.frameCount, 100);
    EXPECT_TRUE(scene.loadProblems().empty());
}
}  // namespace
