// Per-frame software lighting of moving meshes: every vertex against every
// light in range, linear falloff, one clamp after the sum.
#include <algorithm>
#include <cmath>

#include "render/Render.h"

namespace {

// Adds one light's share to colour c for a vertex at v.
void addLight(Color3& c, const Vec3& v, const SceneObject& light)
{
    const float r = light.lightRange;
    // A light of range 0 (or a negative one) reaches nothing.
    if (!(r > 0.0f))
        return;
    const Vec3& L = light.lightPosition;
    if (v.x < L.x - r || v.x > L.x + r || v.y < L.y - r || v.y > L.y + r || v.z < L.z - r || v.z > L.z + r)
        return;
    const double dx = v.x - L.x;
    const double dy = v.y - L.y;
    const double dz = v.z - L.z;
    const float d = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
    if (d > r)
        return;
    const float share = 1.0f - d / r;
    c.r += share * light.lightColor.r;
    c.g += share * light.lightColor.g;
    c.b += share * light.lightColor.b;
}

}  // namespace

bool relitEachFrame(const SceneObject& mesh, bool noLights)
{
    return !noLights && mesh.positionKeyCount > 1 && mesh.name[0] != '$' && mesh.name[0] != '*' &&
           mesh.name[1] != '$';
}

void relightMesh(const Scene& scene, SceneObject& mesh)
{
    const int lightCount = std::min(std::max(scene.lightCount, 0), kMaxLights);
    const size_t arrays = std::min(mesh.vertices.size(), mesh.vertexColors.size());
    const int vertexCount = static_cast<int>(std::min<size_t>(mesh.vertexCount, arrays));
    for (int j = 0; j < vertexCount; ++j) {
        Color3 c{0.0f, 0.0f, 0.0f};
        const Vec3& p = mesh.vertices[j];
        const Vec3 v{p.x - mesh.basePosition.x + mesh.position.x, p.y - mesh.basePosition.y + mesh.position.y,
                     p.z - mesh.basePosition.z + mesh.position.z};
        for (int k = 0; k < lightCount; ++k)
            if (scene.lights[k] != nullptr)
                addLight(c, v, *scene.lights[k]);
        c.r = std::min(c.r, 1.0f);
        c.g = std::min(c.g, 1.0f);
        c.b = std::min(c.b, 1.0f);
        mesh.vertexColors[j] = c;
    }
}
