// Per-frame relighting of moving meshes: range, falloff, clamp, the name
// marks that exempt a mesh, and the displacement by the mesh's motion.
#include <gtest/gtest.h>

#include <cmath>

#include "render/Render.h"
#include "support/TestScenes.h"

using namespace testscenes;

namespace {

// A moving mesh with one vertex per given place.
SceneObject& addPointMesh(Scene& scene, std::vector<Vec3> points)
{
    SceneObject& mesh = appendObject(scene, ObjectKind::Mesh, "mover");
    mesh.vertexCount = static_cast<uint16_t>(points.size());
    mesh.vertices = std::move(points);
    mesh.vertexColors.assign(mesh.vertices.size(), Color3{0.3f, 0.3f, 0.3f});
    mesh.texCoords.assign(mesh.vertices.size(), TexCoord{});
    setPositionTrack(mesh, {0, 10}, {{0, 0, 0}, {0, 0, 0}});
    return mesh;
}

}  // namespace

TEST(Relight, LinearFalloffReachesZeroAtRange)
{
    Scene scene;
    addLight(scene, {0, 0, 0}, 10.0f, {1.0f, 0.5f, 0.25f});
    SceneObject& mesh = addPointMesh(scene, {{10, 0, 0}, {5, 0, 0}, {0, 0, 0}, {8, 8, 0}});
    relightMesh(scene, mesh);
    EXPECT_FLOAT_EQ(mesh.vertexColors[0].r, 0.0f);  // exactly at range: passes both tests, adds 0
    EXPECT_FLOAT_EQ(mesh.vertexColors[1].r, 0.5f);
    EXPECT_FLOAT_EQ(mesh.vertexColors[1].g, 0.25f);
    EXPECT_FLOAT_EQ(mesh.vertexColors[2].b, 0.25f);
    EXPECT_FLOAT_EQ(mesh.vertexColors[3].r, 0.0f);  // inside the cube, outside the sphere
}

TEST(Relight, LightsSumThenClampOnce)
{
    Scene scene;
    addLight(scene, {0, 0, 0}, 10.0f, {0.8f, 0.3f, 0.0f});
    addLight(scene, {0, 0, 0}, 10.0f, {0.8f, 0.3f, 0.0f});
    SceneObject& mesh = addPointMesh(scene, {{0, 0, 0}});
    relightMesh(scene, mesh);
    EXPECT_EQ(mesh.vertexColors[0].r, 1.0f);
    EXPECT_FLOAT_EQ(mesh.vertexColors[0].g, 0.6f);
    EXPECT_EQ(mesh.vertexColors[0].b, 0.0f);
}

TEST(Relight, VerticesMoveWithTheMeshButDoNotTurn)
{
    Scene scene;
    addLight(scene, {100, 0, 0}, 10.0f, {1.0f, 1.0f, 1.0f});
    SceneObject& mesh = addPointMesh(scene, {{0, 0, 0}});
    mesh.basePosition = {5, 0, 0};
    mesh.position = {100, 0, 0};  // the vertex now sits at (95, 0, 0)
    mesh.rotation = {0, 180, 0};
    relightMesh(scene, mesh);
    EXPECT_FLOAT_EQ(mesh.vertexColors[0].r, 0.5f);
}

TEST(Relight, WithoutLightsMovingMeshesGoBlack)
{
    Scene scene;
    SceneObject& mesh = addPointMesh(scene, {{0, 0, 0}, {1, 1, 1}});
    relightMesh(scene, mesh);
    for (const Color3& c : mesh.vertexColors) {
        EXPECT_EQ(c.r, 0.0f);
        EXPECT_EQ(c.g, 0.0f);
        EXPECT_EQ(c.b, 0.0f);
    }
}

// Mend: a light of range 0 adds nothing, even to a vertex on the light.
TEST(Relight, ZeroRangeLightAddsNothing)
{
    Scene scene;
    addLight(scene, {0, 0, 0}, 0.0f, {1.0f, 1.0f, 1.0f});
    SceneObject& mesh = addPointMesh(scene, {{0, 0, 0}});
    relightMesh(scene, mesh);
    EXPECT_EQ(mesh.vertexColors[0].r, 0.0f);
    EXPECT_FALSE(std::isnan(mesh.vertexColors[0].g));
}

TEST(Relight, NameMarksAndStillMeshesAreExempt)
{
    SceneObject mesh;
    mesh.kind = ObjectKind::Mesh;
    mesh.positionKeyCount = 2;
    struct Case {
        const char* name;
        bool relit;
    } cases[] = {{"wall", true}, {"%glow", true}, {"$keep", false}, {"a$keep", false},
                 {"*10fire", false}, {"abcd$", true}};
    for (const Case& c : cases) {
        std::snprintf(mesh.name, sizeof mesh.name, "%s", c.name);
        EXPECT_EQ(relitEachFrame(mesh, false), c.relit) << c.name;
        EXPECT_FALSE(relitEachFrame(mesh, true)) << c.name;
    }
    std::snprintf(mesh.name, sizeof mesh.name, "wall");
    mesh.positionKeyCount = 1;
    EXPECT_FALSE(relitEachFrame(mesh, false));
}
