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

// Lights at the origin over vertices along x: a spotlight's colour fades
// linearly to nothing at its range (10), lights add up and clamp at 1, a
// light without a spot target adds nothing, and without lights nothing runs
// (not even the "$" rule).
TEST_F(SceneLoad, VertexLightingFadesAddsAndClamps) {
    struct Lamp {
        Color3 colour;
        bool spot;
    };
    struct Case {
        const char* file;
        std::vector<Lamp> lamps;
        const char* mesh;
        std::vector<float> xs;
        std::vector<Color3> expected;
    } cases[] = {
        {"falloff.3ds", {{{0.8f, 0.4f, 0.2f}, true}}, "M", {0, 5, 10, 12},
         {{0.8f, 0.4f, 0.2f}, {0.4f, 0.2f, 0.1f}, {0, 0, 0}, {0, 0, 0}}},
        {"clamp.3ds", {{{0.8f, 0.8f, 0.8f}, true}, {{0.8f, 0.8f, 0.8f}, true}}, "M", {0, 5, 7.5f},
         {{1, 1, 1}, {0.8f, 0.8f, 0.8f}, {0.4f, 0.4f, 0.4f}}},
        {"norange.3ds", {{{1, 1, 1}, false}}, "M", {0, 1, 2}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        {"dark.3ds", {}, "$white", {0, 1, 2}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
    };
    for (const Case& c : cases) {
        Scene scene;
        ASSERT_TRUE(scene.load(sceneFile(c.file, [&](Chunk3dsWriter& w) {
            for (const Lamp& lamp : c.lamps) {
                addLight(w, "L", {0, 0, 0}, {lamp.colour.r, lamp.colour.g, lamp.colour.b},
                         lamp.spot ? &kSpotAt10 : nullptr);
            }
            addMesh(w, c.mesh, pointsAlongX(c.xs), {{0, 1, 2}});
        }).c_str()));
        const SceneObject* mesh = &scene;
        while (mesh->kind != ObjectKind::Mesh) mesh = mesh->next;
        ASSERT_EQ(mesh->vertexColors.size(), c.xs.size()) << c.file;
        for (size_t i = 0; i < c.xs.size(); ++i) {
            EXPECT_FLOAT_EQ(mesh->vertexColors[i].r, c.expected[i].r) << c.file << " vertex " << i;
            EXPECT_FLOAT_EQ(mesh->vertexColors[i].g, c.expected[i].g) << c.file << " vertex " << i;
            EXPECT_FLOAT_EQ(mesh->vertexColors[i].b, c.expected[i].b) << c.file << " vertex " << i;
        }
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
        // A reload frees the old list and the pools that pointed into it.
        ASSERT_TRUE(scene.load(sceneFile("release2.3ds", nullptr).c_str()));
        EXPECT_EQ(scene.objectCount, 1);
        EXPECT_EQ(destroyedScenes, 1);
    }
    EXPECT_EQ(destroyedScenes, 2);
}
}  // namespace
