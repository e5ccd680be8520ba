// Relighting skips the lights whose cube misses the mesh: the colours must be
// bit for bit those of testing every light at every vertex.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "render/Render.h"
#include "support/TestScenes.h"

using namespace testscenes;

namespace {

// Every light at every vertex, the sums in scene order.
Color3 colourFromEveryLight(const Scene& scene, const SceneObject& mesh, const Vec3& p)
{
    Color3 c{0.0f, 0.0f, 0.0f};
    const Vec3 v{p.x - mesh.basePosition.x + mesh.position.x, p.y - mesh.basePosition.y + mesh.position.y,
                 p.z - mesh.basePosition.z + mesh.position.z};
    for (int k = 0; k < scene.lightCount; ++k) {
        const SceneObject& light = *scene.lights[k];
        const float r = light.lightRange;
        const Vec3& L = light.lightPosition;
        if (!(r > 0.0f) || v.x < L.x - r || v.x > L.x + r || v.y < L.y - r || v.y > L.y + r || v.z < L.z - r ||
            v.z > L.z + r)
            continue;
        const double dx = v.x - L.x, dy = v.y - L.y, dz = v.z - L.z;
        const float d = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
        if (d > r)
            continue;
        const float share = 1.0f - d / r;
        c.r += share * light.lightColor.r;
        c.g += share * light.lightColor.g;
        c.b += share * light.lightColor.b;
    }
    return {std::min(c.r, 1.0f), std::min(c.g, 1.0f), std::min(c.b, 1.0f)};
}

}  // namespace

TEST(RelightReach, SameColoursAsEveryLightAtEveryVertex)
{
    std::mt19937 random(7);
    std::uniform_real_distribution<double> place(-300.0, 300.0);
    std::uniform_real_distribution<float> range(0.0f, 150.0f);
    std::uniform_real_distribution<float> tint(0.0f, 0.6f);
    int lit = 0;  // vertices some light reached, over all rounds
    for (int round = 0; round < 20; ++round) {
        Scene scene;
        // Many lights, some out of reach, some of range 0, several overlapping.
        for (int k = 0; k < 40; ++k)
            addLight(scene, {place(random), place(random), place(random)}, k % 9 == 0 ? 0.0f : range(random),
                     {tint(random), tint(random), tint(random)});
        SceneObject& mesh = appendObject(scene, ObjectKind::Mesh, "mover");
        const Vec3 centre{place(random), place(random), place(random)};
        for (int j = 0; j < 300; ++j)
            mesh.vertices.push_back({centre.x + place(random) / 6, centre.y + place(random) / 6,
                                     centre.z + place(random) / 6});
        mesh.vertexCount = static_cast<uint16_t>(mesh.vertices.size());
        mesh.vertexColors.assign(mesh.vertices.size(), Color3{});
        mesh.basePosition = {1.5, -2.25, 3.0};
        mesh.position = {place(random) / 4, place(random) / 4, place(random) / 4};
        relightMesh(scene, mesh);
        for (int j = 0; j < mesh.vertexCount; ++j) {
            const Color3 want = colourFromEveryLight(scene, mesh, mesh.vertices[j]);
            ASSERT_EQ(mesh.vertexColors[j].r, want.r) << "round " << round << " vertex " << j;
            ASSERT_EQ(mesh.vertexColors[j].g, want.g);
            ASSERT_EQ(mesh.vertexColors[j].b, want.b);
            lit += want.r + want.g + want.b > 0.0f;
        }
    }
    EXPECT_GT(lit, 500);
}
