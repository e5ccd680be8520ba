// Per-frame relighting of moving meshes: range, falloff, clamp, the lights
// skipped by the mesh's box, the displacement by the mesh's motion, and the
// name marks that exempt a mesh.
#include <gtest/gtest.h>

#include <cstdio>

#include "render/Render.h"
#include "support/TestScenes.h"

using namespace testscenes;

TEST(Relight, FalloffSumClampReachDisplacementAndTheExemptMeshes) {
    struct Lamp {
        Vec3 at;
        float range;
        Color3 colour;
    };
    struct Case {
        const char* name;
        std::vector<Lamp> lamps;
        std::vector<Vec3> points;
        Vec3 displacement;  // position - basePosition of the mesh
        std::vector<Color3> expected;
    };
    const Color3 red{0.2f, 0.0f, 0.0f}, green{0.0f, 0.2f, 0.0f}, blue{0.0f, 0.0f, 0.2f};
    // clang-format off
    const Case cases[] = {
        // At range (on the cube face) adds 0; inside the cube, outside the sphere adds 0.
        {"falloff", {{{0, 0, 0}, 10, {1.0f, 0.5f, 0.25f}}}, {{10, 0, 0}, {5, 0, 0}, {0, 0, 0}, {8, 8, 0}}, {},
         {{0, 0, 0}, {0.5f, 0.25f, 0.125f}, {1.0f, 0.5f, 0.25f}, {0, 0, 0}}},
        {"two lights clamp once", {{{0, 0, 0}, 10, {0.8f, 0.3f, 0}}, {{0, 0, 0}, 10, {0.8f, 0.3f, 0}}}, {{0, 0, 0}}, {},
         {{1.0f, 0.6f, 0.0f}}},
        {"range 0", {{{0, 0, 0}, 0, {1, 1, 1}}}, {{0, 0, 0}}, {}, {{0, 0, 0}}},
        // The vertex sits at (95, 0, 0) once the mesh has moved; turning does not count.
        {"moved", {{{100, 0, 0}, 10, {1, 1, 1}}}, {{0, 0, 0}}, {95, 0, 0}, {{0.5f, 0.5f, 0.5f}}},
        // Lights just past each side of the mesh's box, each reaching one corner.
        {"box sides", {{{-5, 0, 0}, 10, red}, {{0, -5, 0}, 10, green}, {{0, 0, -5}, 10, blue},
                       {{25, 20, 20}, 10, red}, {{20, 25, 20}, 10, green}, {{20, 20, 25}, 10, blue}},
         {{0, 0, 0}, {20, 20, 20}}, {}, {{0.1f, 0.1f, 0.1f}, {0.1f, 0.1f, 0.1f}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        Scene scene;
        for (const Lamp& lamp : c.lamps) addLight(scene, lamp.at, lamp.range, lamp.colour);
        SceneObject& mesh = appendObject(scene, ObjectKind::Mesh, "mover");
        mesh.vertexCount = static_cast<uint16_t>(c.points.size());
        mesh.vertices = c.points;
        mesh.vertexColors.assign(c.points.size(), Color3{0.3f, 0.3f, 0.3f});
        mesh.basePosition = {5, -7, 11};
        mesh.position = {5 + c.displacement.x, -7 + c.displacement.y, 11 + c.displacement.z};
        mesh.rotation = {0, 180, 0};
        relightMesh(scene, mesh);
        for (size_t j = 0; j < c.points.size(); ++j)
            EXPECT_TRUE(sameColour(mesh.vertexColors[j], c.expected[j])) << c.name << " vertex " << j;
    }

    // Moving meshes are relit unless noLights is set or their name exempts them.
    const struct {
        const char* name;
        uint32_t positionKeys;
        bool relit;
    } marks[] = {{"wall", 2, true},    {"%glow", 2, true},    {"abcd$", 2, true}, {"$keep", 2, false},
                 {"a$keep", 2, false}, {"*10fire", 2, false}, {"wall", 1, false}};
    for (const auto& c : marks) {
        SceneObject mesh;
        mesh.kind = ObjectKind::Mesh;
        mesh.positionKeyCount = c.positionKeys;
        std::snprintf(mesh.name, sizeof mesh.name, "%s", c.name);
        EXPECT_EQ(relitEachFrame(mesh, false), c.relit) << c.name << " " << c.positionKeys;
        EXPECT_FALSE(relitEachFrame(mesh, true)) << c.name;
    }
}
