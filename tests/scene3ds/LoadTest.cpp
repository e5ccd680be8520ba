// load's set-up after reading (camera, length), the vertex lighting, the
// object cursor, the listing and the Scene's release.
#include <fstream>
#include <sstream>

#include "SceneFiles.h"

namespace {
using SceneLoad = SceneFileTest;

const std::vector<std::vector<uint16_t>> kOneFace = {{0, 1, 2}};

// One key keeps the editor placement (0, -10, 0); two start at key 0 (0, -20, 5).
TEST_F(SceneLoad, CameraPlacementDependsOnItsKeyCount) {
    Scene one;
    ASSERT_TRUE(one.load(sceneFile("onekey.3ds", nullptr, nullptr, 1).c_str()));
    EXPECT_DOUBLE_EQ(one.cameraPosition.z, 10.0);
    EXPECT_EQ(one.frameCount, 0);
    EXPECT_EQ(one.frame, 0.0);

    Scene two;
    ASSERT_TRUE(two.load(sceneFile("twokeys.3ds", nullptr, nullptr, 2).c_str()));
    EXPECT_DOUBLE_EQ(two.cameraPosition.y, 5.0);
    EXPECT_DOUBLE_EQ(two.cameraPosition.z, 20.0);
    EXPECT_EQ(two.frameCount, 100);
    EXPECT_EQ(two.cursor, static_cast<SceneObject*>(&two));
    EXPECT_EQ(two.file, nullptr);
}

TEST_F(SceneLoad, FirstCameraInListOrderDrivesTheView) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("twocams.3ds", [](Chunk3dsWriter& w) {
        w.camera("Front", {0, 0, 0}, {0, 1, 0});
    }, [](Chunk3dsWriter& w) { w.infoBlock(0xB003, "Front", {0, 30}, {{0, 0, 0}, {1, 1, 1}}); }).c_str()));
    EXPECT_STREQ(scene.camera->name, "Front");
    EXPECT_EQ(scene.frameCount, 30);
}

TEST_F(SceneLoad, RefusesFilesItCannotPlay) {
    Scene missing;
    EXPECT_FALSE(missing.load("/nonexistent/scene.3ds"));
    EXPECT_EQ(missing.objectCount, 0);

    Scene empty;
    EXPECT_FALSE(empty.load(writeScratchFile("empty.3ds", {}).c_str()));
    EXPECT_STRNE(empty.loadError(), "");

    Scene notChunked;
    EXPECT_FALSE(notChunked.load(writeScratchFile("jpeg.3ds", {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F'}).c_str()));

    Chunk3dsWriter noCamera;
    noCamera.begin(0x4D4D).begin(0x3D3D);
    addMesh(noCamera, "M", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, kOneFace);
    noCamera.end().end();
    std::string noCameraPath = noCamera.writeFile("nocamera.3ds");
    Scene withoutCamera;
    EXPECT_FALSE(withoutCamera.load(noCameraPath.c_str()));
    EXPECT_EQ(withoutCamera.camera, nullptr);
    EXPECT_EQ(withoutCamera.frameCount, 0);
    EXPECT_EQ(withoutCamera.objectCount, 0);  // plays as empty frames
    EXPECT_EQ(withoutCamera.next, nullptr);
    EXPECT_EQ(withoutCamera.vertexCount, 0);
    EXPECT_STREQ(withoutCamera.loadError(), "no camera");
    Scene inspected;
    inspected.keepUnplayable = true;
    EXPECT_FALSE(inspected.load(noCameraPath.c_str()));
    EXPECT_EQ(inspected.objectCount, 1);
    EXPECT_EQ(inspected.vertexCount, 3);

    Scene keyless;
    EXPECT_FALSE(keyless.load(sceneFile("keyless.3ds", nullptr, nullptr, 0).c_str()));
    EXPECT_EQ(keyless.camera, nullptr);
    EXPECT_EQ(keyless.frameCount, 0);
}

// [SECTION] Vertex lighting

const std::vector<float> kSpotAt10 = {10, 0, 0};  // light at the origin: range 10

std::vector<std::vector<float>> pointsAlongX(std::vector<float> xs) {
    std::vector<std::vector<float>> points;
    for (float x : xs) points.push_back({x, 0, 0});
    return points;
}

TEST_F(SceneLoad, LightFadesLinearlyToNothingAtItsRange) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("falloff.3ds", [](Chunk3dsWriter& w) {
        addLight(w, "L", {0, 0, 0}, {0.8f, 0.4f, 0.2f}, &kSpotAt10);
        addMesh(w, "M", pointsAlongX({0, 5, 10, 12}), {{0, 1, 2}, {1, 2, 3}});
    }).c_str()));
    const SceneObject& mesh = *scene.next;
    ASSERT_EQ(mesh.vertexColors.size(), 4u);
    EXPECT_FLOAT_EQ(mesh.vertexColors[0].r, 0.8f);  // at the light: full colour
    EXPECT_FLOAT_EQ(mesh.vertexColors[0].b, 0.2f);
    EXPECT_FLOAT_EQ(mesh.vertexColors[1].g, 0.2f);  // half way: half
    EXPECT_FLOAT_EQ(mesh.vertexColors[2].r, 0.0f);  // at the range: nothing
    EXPECT_FLOAT_EQ(mesh.vertexColors[3].r, 0.0f);  // beyond: nothing
}

TEST_F(SceneLoad, LightsAddUpAndClampAtOne) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("clamp.3ds", [](Chunk3dsWriter& w) {
        addLight(w, "L1", {0, 0, 0}, {0.8f, 0.8f, 0.8f}, &kSpotAt10);
        addLight(w, "L2", {0, 0, 0}, {0.8f, 0.8f, 0.8f}, &kSpotAt10);
        addMesh(w, "M", pointsAlongX({0, 5, 7.5f}), kOneFace);
    }).c_str()));
    const SceneObject& mesh = *scene.next->next;
    EXPECT_FLOAT_EQ(mesh.vertexColors[0].r, 1.0f);
    EXPECT_FLOAT_EQ(mesh.vertexColors[1].g, 0.8f);   // 0.4 + 0.4
    EXPECT_FLOAT_EQ(mesh.vertexColors[2].b, 0.4f);   // 0.2 + 0.2
}

TEST_F(SceneLoad, LightWithoutRangeAddsNothing) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("norange.3ds", [](Chunk3dsWriter& w) {
        addLight(w, "Bare", {0, 0, 0}, {1, 1, 1}, nullptr);
        addMesh(w, "M", pointsAlongX({0, 1, 2}), kOneFace);
    }).c_str()));
    const SceneObject& mesh = *scene.next;
    for (const Color3& c : mesh.vertexColors) {
        EXPECT_EQ(c.r, 0.0f);
        EXPECT_EQ(c.g, 0.0f);
    }
}

TEST_F(SceneLoad, DollarAtCharacters014MakesMeshWhite) {
    const char* names[] = {"$abc", "a$bc", "abcd$", "ab$cd", "abc$e", "$"};
    const bool white[] = {true, true, true, false, false, true};
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("dollar.3ds", [&](Chunk3dsWriter& w) {
        addLight(w, "L", {100, 0, 0}, {0.5f, 0.5f, 0.5f}, &kSpotAt10);  // reaches nothing
        for (const char* name : names) addMesh(w, name, pointsAlongX({0, 1, 2}), kOneFace);
    }).c_str()));
    const SceneObject* mesh = scene.next;
    for (int i = 0; i < 6; ++i, mesh = mesh->next) {
        ASSERT_STREQ(mesh->name, names[i]);
        EXPECT_EQ(mesh->vertexColors[2].g, white[i] ? 1.0f : 0.0f) << names[i];
    }
}

TEST_F(SceneLoad, WithoutLightsColoursAreZero) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("dark.3ds", [](Chunk3dsWriter& w) {
        addMesh(w, "$white", pointsAlongX({0, 1, 2}), kOneFace);
    }).c_str()));
    ASSERT_EQ(scene.vertexColors.size(), 3u);
    EXPECT_EQ(scene.vertexColors[0].r, 0.0f);  // lighting does not run without lights
}

// [SECTION] Cursor, listing, release

TEST_F(SceneLoad, CursorStaysOnTheListEnds) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("cursor.3ds", [](Chunk3dsWriter& w) {
        addMesh(w, "A", pointsAlongX({0, 1, 2}), kOneFace);
    }).c_str()));
    SceneObject* first = &scene;
    SceneObject* last = scene.next;
    scene.retreat();
    EXPECT_EQ(scene.cursor, first);
    scene.advance();
    scene.advance();
    EXPECT_EQ(scene.cursor, last);
    scene.retreat();
    EXPECT_EQ(scene.cursor, first);
    scene.seekLast();
    EXPECT_EQ(scene.cursor, last);
    scene.rewind();
    EXPECT_EQ(scene.cursor, first);

    Scene single;
    ASSERT_TRUE(single.load(sceneFile("single.3ds", nullptr).c_str()));
    single.seekLast();
    EXPECT_EQ(single.cursor, static_cast<SceneObject*>(&single));
    single.advance();
    EXPECT_EQ(single.cursor, static_cast<SceneObject*>(&single));
}

TEST_F(SceneLoad, DumpTextListsObjectsAndVertices) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("dump.3ds", [](Chunk3dsWriter& w) {
        addMesh(w, "Mesh", {{1, 2, 3}, {0, 0, 0}, {0, 0, 0}}, kOneFace);
    }).c_str()));
    std::string path = std::string(ORVANE_BINARY_DIR) + "/test-scratch/dump.txt";
    scene.dumpText(path.c_str(), true);
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(),
              "| name =       Mesh | number of face =      1 | number of vertex =      3 "
              "| cle position =      0 | cle rotation =      0 |\n"
              "| 0 | {1.000000,3.000000,-2.000000} |\n"
              "| 1 | {0.000000,0.000000,-0.000000} |\n"
              "| 2 | {0.000000,0.000000,-0.000000} |\n"
              "| name =        Cam | number of face =      0 | number of vertex =      0 "
              "| cle position =      2 | cle rotation =      0 |\n");
    scene.dumpText("/nonexistent/dump.txt", false);  // cannot open: nothing happens
}

int destroyedScenes = 0;
void countDestroy(Scene& scene) {
    EXPECT_EQ(scene.emitterCount, 0);
    ++destroyedScenes;
}

TEST_F(SceneLoad, ReleaseCallsEmitterHookAndFreesSortBuffer) {
    destroyedScenes = 0;
    {
        Scene scene;
        ASSERT_TRUE(scene.load(sceneFile("release.3ds", [](Chunk3dsWriter& w) {
            addMesh(w, "A", pointsAlongX({0, 1, 2}), kOneFace);
        }).c_str()));
        scene.sortBuffer = new SortEntry[16];
        scene.destroyEmitters = countDestroy;
        ASSERT_TRUE(scene.load(sceneFile("release2.3ds", nullptr).c_str()));  // reload frees the old list
        EXPECT_EQ(scene.objectCount, 1);
    }
    EXPECT_EQ(destroyedScenes, 1);
}
}  // namespace
