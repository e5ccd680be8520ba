#include "scenes/SceneTable.h"

#include <cstdio>
#include <set>

#include "formats/Writer3ds.h"

std::vector<SceneDesc> showScenes() {
    return {makeScene1Opening(), makeScene2MeshPair(), makeScene3Entrance(), makeScene4Race(),
            makeScene5City(),    makeScene6Rooms(),    makeScene7Water(),    makeScene8Mine()};
}

namespace {
constexpr size_t kMaxNameChars = 79;       // object names the reader keeps whole
constexpr size_t kMaxMaterialChars = 255;  // material names (JPEG paths)
constexpr size_t kMaxMaterials = 60;
constexpr size_t kMaxLights = 100;
constexpr size_t kMaxEmitters = 50;
constexpr size_t kMaxTriangles = 40000;  // keeps the software renderer fluid

}  // namespace

std::string checkScene(const SceneDesc& scene) {
    std::set<std::string> names, materials;
    size_t emitters = 0, triangles = 0;
    for (const Mesh& m : scene.meshes) {
        if (m.name.size() > kMaxNameChars || !names.insert(m.name).second) return "bad or repeated name " + m.name;
        if (m.material.empty() || m.material.size() > kMaxMaterialChars) return "bad material on " + m.name;
        materials.insert(m.material);
        emitters += m.name[0] == '*';
        triangles += m.faces.size();
        for (size_t i = 1; i < m.positionKeys.size(); ++i)
            if (m.positionKeys[i].frame <= m.positionKeys[i - 1].frame) return "keys out of order on " + m.name;
    }
    for (const Light& l : scene.lights)
        if (l.name.size() > kMaxNameChars || !names.insert(l.name).second) return "bad or repeated name " + l.name;
    if (materials.size() > kMaxMaterials || scene.lights.size() > kMaxLights || emitters > kMaxEmitters)
        return "more materials, lights or emitters than the show holds";
    if (triangles > kMaxTriangles) return "too many triangles";
    const Camera& c = scene.camera;
    if (c.positionKeys.size() < 2 || c.targetKeys.size() < 2 || c.positionKeys.back().frame < scene.frameFactor)
        return "the camera does not run the whole scene";
    return "";
}

bool writeScenes(const std::string& dir) {
    bool ok = true;
    for (const SceneDesc& scene : showScenes()) {
        std::string problem = checkScene(scene);
        if (!problem.empty()) {
            std::fprintf(stderr, "datagen: %s: %s\n", scene.file.c_str(), problem.c_str());
            ok = false;
            continue;
        }
        size_t triangles = 0;
        for (const Mesh& mesh : scene.meshes) triangles += mesh.triangleCount();
        if (!write3ds(scene, dir + "/" + scene.file)) {
            std::fprintf(stderr, "datagen: cannot write %s/%s\n", dir.c_str(), scene.file.c_str());
            ok = false;
            continue;
        }
        std::printf("datagen: %-10s %3zu meshes, %2zu lights, %6zu triangles, camera to frame %d\n", scene.file.c_str(),
                    scene.meshes.size(), scene.lights.size(), triangles, scene.camera.positionKeys.back().frame);
    }
    return ok;
}
