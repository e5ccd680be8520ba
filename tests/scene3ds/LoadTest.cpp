// load's vertex lighting, the object cursor, the listing and the Scene's
// release.
#include <fstream>
#include <sstream>

#include "SceneFiles.h"

namespace {
using SceneLoad = SceneFileTest;

const std::vector<float> kSpotAt10 = {10, 0, 0};  // light at the origin: range 10

std::vector<std::vector<float>> pointsAlongX(std::vector<float> xs) {
    std::vector<std::vector<float>> points;
    for (float x : xs) points.push_back({x, 0, 0});
    return points;
}

// Lights at the origin over vertices along x: a spotlight's colour fades
// linearly to nothing at its range (10), lights add up and clamp at 1, a
// light without a spot target (range 0) adds nothing; "$" at characters 0,
// 1 or 4 keeps a mesh white; without lights nothing runs (not even "$").
TEST_F(SceneLoad, VertexLightingFadesAddsClampsAndSparesDollarMeshes) {
    struct Lamp {
        Color3 colour;
        bool spot;
    };
    struct Case {
        const char* name;
        std::vector<Lamp> lamps;
        const char* mesh;
        std::vector<float> xs;
        std::vector<Color3> expected;
    };
    const std::vector<Lamp> half = {{{0.5f, 0.5f, 0.5f}, true}};
    const std::vector<Color3> white(3, Color3{1, 1, 1});
    const std::vector<Color3> lit = {{0.5f, 0.5f, 0.5f}, {0.45f, 0.45f, 0.45f}, {0.4f, 0.4f, 0.4f}};
    const Case cases[] = {
        // clang-format off
        {"falloff", {{{0.8f, 0.4f, 0.2f}, true}}, "M", {0, 5, 10, 12},
         {{0.8f, 0.4f, 0.2f}, {0.4f, 0.2f, 0.1f}, {0, 0, 0}, {0, 0, 0}}},
        {"clamp", {{{0.8f, 0.8f, 0.8f}, true}, {{0.8f, 0.8f, 0.8f}, true}}, "M", {0, 5, 7.5f},
         {{1, 1, 1}, {0.8f, 0.8f, 0.8f}, {0.4f, 0.4f, 0.4f}}},
        {"range 0", {{{1, 1, 1}, false}}, "M", {0, 1, 2}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        {"dark", {}, "$white", {0, 1, 2}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}},
        {"$ at 0", half, "$abc", {0, 1, 2}, white}, {"$ at 1", half, "a$bc", {0, 1, 2}, white},
        {"$ at 4", half, "abcd$", {0, 1, 2}, white}, {"$ alone", half, "$", {0, 1, 2}, white},
        {"$ at 2", half, "ab$cd", {0, 1, 2}, lit}, {"$ at 3", half, "abc$e", {0, 1, 2}, lit},
        // clang-format on
    };
    for (const Case& c : cases) {
        Scene scene;
        ASSERT_TRUE(scene.load(sceneFile([&](Chunk3dsWriter& w) {
                                   for (const Lamp& lamp : c.lamps)
                                       addLight(w, "L", {0, 0, 0}, {lamp.colour.r, lamp.colour.g, lamp.colour.b},
                                                lamp.spot ? &kSpotAt10 : nullptr);
                                   addMesh(w, c.mesh, pointsAlongX(c.xs), {{0, 1, 2}});
                               }).c_str()));
        const SceneObject* mesh = &scene;
        while (mesh->kind != ObjectKind::Mesh) mesh = mesh->next;
        ASSERT_EQ(mesh->vertexColors.size(), c.xs.size()) << c.name;
        for (size_t i = 0; i < c.xs.size(); ++i)
            EXPECT_TRUE(sameColour(mesh->vertexColors[i], c.expected[i])) << c.name << " vertex " << i;
    }
}

// The cursor stops on the list's ends; the listing has its fixed texts; a
// reload hands the emitters to their hook before freeing the old list.
TEST_F(SceneLoad, CursorListingAndRelease) {
    static int destroyed = 0;
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile([](Chunk3dsWriter& w) {
                               addMesh(w, "Mesh", {{1, 2, 3}, {0, 0, 0}, {0, 0, 0}}, kOneFace);
                               w.begin(0x4000).string("E").end();
                           }).c_str()));
    SceneObject* last = scene.next->next;
    scene.retreat();
    EXPECT_EQ(scene.cursor, &scene);
    for (int i = 0; i < 3; ++i) scene.advance();
    EXPECT_EQ(scene.cursor, last);
    scene.rewind();
    EXPECT_EQ(scene.cursor, &scene);
    scene.seekLast();
    EXPECT_EQ(scene.cursor, last);

    const std::string path = writeScratchFile("dump.txt", {});
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
              "| name =          E | number of face =      0 | number of vertex =      0 "
              "| cle position =      0 | cle rotation =      0 |\n"
              "| name =        Cam | number of face =      0 | number of vertex =      0 "
              "| cle position =      2 | cle rotation =      0 |\n");
    scene.dumpText("/nonexistent/dump.txt", false);  // cannot open: nothing happens

    scene.sortBuffer = new SortEntry[16];
    scene.destroyEmitters = [](Scene& s) {
        EXPECT_EQ(s.emitterCount, 0);
        ++destroyed;
    };
    ASSERT_TRUE(scene.load(sceneFile(nullptr).c_str()));
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(scene.objectCount, 1);
    scene.seekLast();
    scene.advance();
    EXPECT_EQ(scene.cursor, static_cast<SceneObject*>(&scene));
}
}  // namespace
