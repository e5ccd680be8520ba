// The generator's 3DS writer read back by the show's own reader, and the
// scene checks that guard the builders.
#include <gtest/gtest.h>

#include <cstdio>

#include "DataSet.h"
#include "formats/Writer3ds.h"
#include "scenes/SceneTable.h"

namespace {
SceneDesc tinyScene() {
    SceneDesc s;
    s.file = "tiny.3ds";
    s.frameFactor = 20;
    Mesh m;
    m.name = "%$spinner";
    m.material = "data/ring.jpg";
    m.addVertex(v3(1, 2, 3), 0.25, 0.75);
    m.addVertex(v3(4, 5, 6), 1, 0);
    m.addVertex(v3(-1, 0, 2), 0, 1);
    m.addFace(0, 1, 2);
    m.positionKeys = {{0, v3(1, 2, 3)}, {10, v3(7, 8, 9)}};
    m.rotationKeys = {{0, 0.0, v3(0, 1, 0)}, {10, 0.5, v3(0, 1, 0)}};
    s.meshes.push_back(m);
    s.lights.push_back(Light{"light", v3(0, 100, 0), rgb(0.5, 0.25, 1.0), v3(0, 100, -40)});
    s.camera.positionKeys = {{0, v3(0, 50, 200)}, {20, v3(100, 60, 200)}};
    s.camera.targetKeys = {{0, v3(0, 0, 0)}, {20, v3(10, 0, 0)}};
    return s;
}

// Show axes go out and come back unchanged through the file's (X, -Z, Y).
TEST(Writer3ds, TheShowsReaderGetsBackWhatWasWritten) {
    std::string path = testing::TempDir() + "orvane_writer_tiny.3ds";
    ASSERT_TRUE(write3ds(tinyScene(), path));
    auto scene = loadScene(path);
    std::remove(path.c_str());
    EXPECT_TRUE(scene->loadProblems().empty());
    ASSERT_TRUE(scene->camera && scene->lightCount == 1);
    EXPECT_EQ(scene->frameCount, 20);
    const SceneObject& m = *scene;
    EXPECT_STREQ(m.name, "%$spinner");
    EXPECT_STREQ(scene->materials[m.materialIndex].name, "data/ring.jpg");
    ASSERT_TRUE(m.vertexCount == 3 && m.positionKeyCount == 2 && m.rotationKeyCount == 2);
    EXPECT_TRUE(m.vertices[0].x == 1.0 && m.vertices[0].y == 2.0 && m.vertices[0].z == 3.0);
    EXPECT_TRUE(m.texCoords[0].u == 0.25f && m.texCoords[0].v == 0.75f);
    EXPECT_EQ(m.positionKeyFrames[1], 10);
    EXPECT_DOUBLE_EQ(m.positionKeys[1].z, 9.0);
    EXPECT_NEAR(m.rotationKeys[1].y, 0.5 * 180.0 / 3.1415, 1e-4);  // a turn about the show's y
    EXPECT_NEAR(m.rotationKeys[1].x, 0.0, 1e-9);
    EXPECT_FLOAT_EQ(scene->lights[0]->lightRange, 40.0f);
    EXPECT_FLOAT_EQ(scene->lights[0]->lightColor.b, 1.0f);
    EXPECT_DOUBLE_EQ(scene->camera->cameraPosition.z, 200.0);
    EXPECT_DOUBLE_EQ(scene->camera->rotationKeys[1].x, 10.0);
}

// The show's scenes pass the check; what the show cannot use does not.
TEST(Writer3ds, SceneCheckCatchesWhatTheShowCannotUse) {
    for (const SceneDesc& s : showScenes()) EXPECT_EQ(checkScene(s), "") << s.file;
    SceneDesc bad[4] = {tinyScene(), tinyScene(), tinyScene(), tinyScene()};
    bad[0].meshes.push_back(bad[0].meshes[0]);  // keyframer blocks would find the first only
    bad[1].lights[0].name = "%$spinner";
    bad[2].camera.positionKeys.back().frame = 19;
    bad[3].meshes[0].name = std::string(80, 'a');
    EXPECT_EQ(checkScene(tinyScene()), "");
    for (const SceneDesc& s : bad) EXPECT_NE(checkScene(s), "") << &s - bad;
}
}  // namespace
