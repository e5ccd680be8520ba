// Per-frame software lighting of moving meshes: every vertex against every
// light in range, linear falloff, one clamp after the sum.
#include <algorithm>
#include <cmath>

#include "render/Render.h"

namespace {

// Adds one light's share to colour c for a vertex at v.
void addLight(Color3& c, const Vec3& v, const SceneObject& light) {
    const float r = light.lightRange;
    // A light of range 0 (or a negative one) reaches nothing.
    if (!(r > 0.0f)) return;
    const Vec3& L = light.lightPosition;
    if (v.x < L.x - r || v.x > L.x + r || v.y < L.y - r || v.y > L.y + r || v.z < L.z - r || v.z > L.z + r) return;
    const double dx = v.x - L.x;
    const double dy = v.y - L.y;
    const double dz = v.z - L.z;
    const float d = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
    if (d > r) return;
    const float share = 1.0f - d / r;
    c.r += share * light.lightColor.r;
    c.g += share * light.lightColor.g;
    c.b += share * light.lightColor.b;
}

// The box around the mesh's placed vertices, made of the same sums as the
// per-vertex positions (rounding is monotonic, so it bounds them exactly).
struct Box {
    Vec3 lo, hi;
};

Vec3 placed(const SceneObject& mesh, const Vec3& p) {
    return {p.x - mesh.basePosition.x + mesh.position.x, p.y - mesh.basePosition.y + mesh.position.y,
            p.z - mesh.basePosition.z + mesh.position.z};
}

Box placedBox(const SceneObject& mesh, int vertexCount) {
    Box box{mesh.vertices[0], mesh.vertices[0]};
    for (int j = 1; j < vertexCount; ++j) {
        const Vec3& p = mesh.vertices[j];
        box.lo = {std::min(box.lo.x, p.x), std::min(box.lo.y, p.y), std::min(box.lo.z, p.z)};
        box.hi = {std::max(box.hi.x, p.x), std::max(box.hi.y, p.y), std::max(box.hi.z, p.z)};
    }
    return {placed(mesh, box.lo), placed(mesh, box.hi)};
}

// A light whose cube misses the box adds nothing to any vertex: the
// per-vertex test would reject it for each.
bool cubeMeetsBox(const SceneObject& light, const Box& box) {
    const float r = light.lightRange;
    const Vec3& L = light.lightPosition;
    return !(box.hi.x < L.x - r || box.lo.x > L.x + r || box.hi.y < L.y - r || box.lo.y > L.y + r ||
             box.hi.z < L.z - r || box.lo.z > L.z + r);
}

// The lights that may reach the mesh, in scene order (the sums keep their
// order, so the colours are the same as with every light).
int lightsInReach(const Scene& scene, const Box& box, const SceneObject* reach[kMaxLights]) {
    const int lightCount = std::min(std::max(scene.lightCount, 0), kMaxLights);
    int n = 0;
    for (int k = 0; k < lightCount; ++k)
        if (scene.lights[k] != nullptr && cubeMeetsBox(*scene.lights[k], box)) reach[n++] = scene.lights[k];
    return n;
}

}  // namespace

bool relitEachFrame(const SceneObject& mesh, bool noLights) {
    return !noLights && mesh.positionKeyCount > 1 && mesh.name[0] != '$' && mesh.name[0] != '*' && mesh.name[1] != '$';
}

void relightMesh(const Scene& scene, SceneObject& mesh) {
    const size_t arrays = std::min(mesh.vertices.size(), mesh.vertexColors.size());
    const int vertexCount = static_cast<int>(std::min<size_t>(mesh.vertexCount, arrays));
    if (vertexCount <= 0) return;
    const SceneObject* reach[kMaxLights];
    const int lightCount = lightsInReach(scene, placedBox(mesh, vertexCount), reach);
    for (int j = 0; j < vertexCount; ++j) {
        Color3 c{0.0f, 0.0f, 0.0f};
        const Vec3 v = placed(mesh, mesh.vertices[j]);
        for (int k = 0; k < lightCount; ++k) addLight(c, v, *reach[k]);
        c.r = std::min(c.r, 1.0f);
        c.g = std::min(c.g, 1.0f);
        c.b = std::min(c.b, 1.0f);
        mesh.vertexColors[j] = c;
    }
}
