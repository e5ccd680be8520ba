#include "Scenes.h"

#include <cstdio>

#include "Writer3ds.h"

std::vector<SceneDesc> showScenes() {
    return {makeYoda(), makeMeta(), makeEntree(), makeRace(), makeCity(), makeRooms(), makeWater(), makeMine()};
}

bool writeScenes(const std::string& dir) {
    bool ok = true;
    for (const SceneDesc& scene : showScenes()) {
        size_t triangles = 0;
        for (const Mesh& mesh : scene.meshes) triangles += mesh.triangleCount();
        if (!write3ds(scene, dir + "/" + scene.file)) {
            std::fprintf(stderr, "datagen: cannot write %s/%s\n", dir.c_str(), scene.file.c_str());
            ok = false;
            continue;
        }
        std::printf("datagen: %-10s %3zu meshes, %2zu lights, %6zu triangles, camera to frame %d\n",
                    scene.file.c_str(), scene.meshes.size(), scene.lights.size(), triangles,
                    scene.camera.positionKeys.back().frame);
    }
    return ok;
}
