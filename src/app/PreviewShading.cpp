#include "app/PreviewShading.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kAmbient = 0.25f;  // share of the base colour every vertex gets
constexpr Color3 kGrey{0.8f, 0.8f, 0.8f};
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

Vec3 sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double length(const Vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

size_t usableVertices(const SceneObject& mesh) {
    return std::min<size_t>(mesh.vertexCount, std::min(mesh.vertices.size(), mesh.vertexColors.size()));
}

// Face normals weighted by area, summed at each corner, then made unit:
// smooth where faces share vertices.
std::vector<Vec3> smoothNormals(const SceneObject& mesh) {
    const size_t n = usableVertices(mesh);
    std::vector<Vec3> normals(n, Vec3{0.0, 0.0, 0.0});
    const size_t faces = std::min<size_t>(mesh.faceCount, mesh.faces.size());
    for (size_t f = 0; f < faces; ++f) {
        const Face& face = mesh.faces[f];
        if (face.a >= n || face.b >= n || face.c >= n) continue;
        const Vec3 normal =
            cross(sub(mesh.vertices[face.b], mesh.vertices[face.a]), sub(mesh.vertices[face.c], mesh.vertices[face.a]));
        if (!std::isfinite(length(normal))) continue;
        for (const uint16_t corner : {face.a, face.b, face.c}) {
            Vec3& sum = normals[corner];
            sum = {sum.x + normal.x, sum.y + normal.y, sum.z + normal.z};
        }
    }
    for (Vec3& normal : normals) {
        const double l = length(normal);
        if (l > 0.0) normal = {normal.x / l, normal.y / l, normal.z / l};
    }
    return normals;
}

Color3 baseColor(const Scene& scene, const SceneObject& mesh) {
    const int index = mesh.materialIndex;
    if (index < 0 || index >= scene.materialCount || index >= kMaxMaterials) return kGrey;
    const MaterialBlock* block = scene.findMaterialBlock(scene.materials[index].name);
    return block != nullptr && block->hasDiffuse ? block->diffuse : kGrey;
}

// The renderer turns a mesh about x, then y, then z (degrees): a mesh's own
// normal n points in the scene along Rx Ry Rz n. The sines and cosines of
// one mesh's pose, taken once a frame.
struct Turn {
    double cx, sx, cy, sy, cz, sz;
    explicit Turn(const Vec3& degrees)
        : cx(std::cos(degrees.x * kRadiansPerDegree)),
          sx(std::sin(degrees.x * kRadiansPerDegree)),
          cy(std::cos(degrees.y * kRadiansPerDegree)),
          sy(std::sin(degrees.y * kRadiansPerDegree)),
          cz(std::cos(degrees.z * kRadiansPerDegree)),
          sz(std::sin(degrees.z * kRadiansPerDegree)) {}
    Vec3 operator()(const Vec3& n) const {
        const Vec3 a{n.x * cz - n.y * sz, n.x * sz + n.y * cz, n.z};
        const Vec3 b{a.x * cy + a.z * sy, a.y, -a.x * sy + a.z * cy};
        return {b.x, b.y * cx - b.z * sx, b.y * sx + b.z * cx};
    }
};

bool isMesh(const SceneObject& object) { return object.kind == ObjectKind::Mesh; }

}  // namespace

void PreviewShading::prepare(const Scene& scene) {
    meshes.clear();
    const SceneObject* object = &scene;
    for (int n = 0; n < scene.objectCount && object != nullptr; ++n, object = object->next) {
        if (!isMesh(*object)) continue;
        const size_t count = usableVertices(*object);
        meshes.push_back({smoothNormals(*object),
                          std::vector<Color3>(object->vertexColors.begin(), object->vertexColors.begin() + count),
                          baseColor(scene, *object)});
    }
}

void PreviewShading::shade(Scene& scene, const Vec3& eye, const Vec3& target) const {
    const Vec3 look = sub(target, eye);
    const double l = length(look);
    const Vec3 forward = l > 0.0 ? Vec3{look.x / l, look.y / l, look.z / l} : Vec3{0.0, 0.0, -1.0};
    SceneObject* object = &scene;
    size_t m = 0;
    for (int n = 0; n < scene.objectCount && object != nullptr; ++n, object = object->next) {
        if (!isMesh(*object) || m >= meshes.size()) continue;
        const Mesh& mesh = meshes[m++];
        const Turn turned(object->rotation);
        for (size_t v = 0; v < mesh.normals.size(); ++v) {
            const Vec3 normal = turned(mesh.normals[v]);
            // Either side of a face faces the light: files from elsewhere
            // wind their faces either way.
            const double facing = std::fabs(normal.x * forward.x + normal.y * forward.y + normal.z * forward.z);
            const float light = kAmbient + (1.0f - kAmbient) * static_cast<float>(facing);
            object->vertexColors[v] = {mesh.base.r * light, mesh.base.g * light, mesh.base.b * light};
        }
    }
}

void PreviewShading::restore(Scene& scene) const {
    SceneObject* object = &scene;
    size_t m = 0;
    for (int n = 0; n < scene.objectCount && object != nullptr; ++n, object = object->next) {
        if (!isMesh(*object) || m >= meshes.size()) continue;
        const Mesh& mesh = meshes[m++];
        std::copy(mesh.fileColors.begin(), mesh.fileColors.end(), object->vertexColors.begin());
    }
}
