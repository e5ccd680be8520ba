// Static vertex lighting: every light adds its colour to the vertices within
// its range, fading linearly to nothing at the range, clamped at 1.0.
#include <cmath>

#include "scene3ds/Scene.h"

namespace {
// "$" at character 0, 1 or 4 of a mesh name: lit full white.
bool isLitWhite(const char* name) { return name[0] == '$' || name[1] == '$' || name[4] == '$'; }

float clampToOne(float value) { return value > 1.0f ? 1.0f : value; }

Color3 lightVertex(const Vec3& vertex, SceneObject* const* lights, int32_t lightCount) {
    Color3 color;
    for (int32_t l = 0; l < lightCount; ++l) {
        const SceneObject& light = *lights[l];
        float range = light.lightRange;
        if (!(range > 0.0f)) continue;  // no spotlight target: no reach
        double dx = vertex.x - light.lightPosition.x;
        double dy = vertex.y - light.lightPosition.y;
        double dz = vertex.z - light.lightPosition.z;
        float distance = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
        if (!(distance <= range)) continue;  // also passes over NaN positions
        double falloff = 1.0 - distance / range;
        color.r = clampToOne(static_cast<float>(color.r + falloff * light.lightColor.r));
        color.g = clampToOne(static_cast<float>(color.g + falloff * light.lightColor.g));
        color.b = clampToOne(static_cast<float>(color.b + falloff * light.lightColor.b));
    }
    return color;
}
}  // namespace

void Scene::computeVertexLighting() {
    rewind();
    for (uint32_t i = 0; i < objectCount; ++i, advance()) {
        SceneObject& mesh = *cursor;
        if (mesh.kind != ObjectKind::Mesh) continue;
        mesh.vertexColors.resize(mesh.vertexCount);
        bool white = isLitWhite(mesh.name);
        for (uint32_t v = 0; v < mesh.vertexCount; ++v) {
            mesh.vertexColors[v] = white ? Color3{1.0f, 1.0f, 1.0f} : lightVertex(mesh.vertices[v], lights, lightCount);
        }
    }
    rewind();
}
