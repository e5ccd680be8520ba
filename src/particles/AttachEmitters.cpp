// Load-time set-up of the object-attached emitters: one pool per mesh whose
// name starts with "*", and the scene's draw list buffer.
#include <cstdio>

#include "particles/EmitterLimits.h"
#include "particles/Particles.h"

namespace {

// Name character 1 selects the type; anything but "0" to "3" is type 0.
int emitterTypeFromName(const char* name) {
    const char c = name[1];
    return (c >= '0' && c <= '3') ? c - '0' : 0;
}

const char* materialPath(const Scene& scene, const SceneObject& object) {
    const int index = object.materialIndex;
    if (index < 0 || index >= scene.materialCount || index >= kMaxMaterials) return nullptr;
    return scene.materials[index].name;
}

// Deletes the pools and the draw list; installed as the Scene's
// destroyEmitters.
void deleteEmitters(Scene& scene) {
    for (int i = 0; i < scene.emitterCount && i < kMaxEmitters; ++i) {
        delete scene.emitters[i];
        scene.emitters[i] = nullptr;
    }
    scene.emitterCount = 0;
    delete[] scene.sortBuffer;
    scene.sortBuffer = nullptr;
    scene.sortCount = 0;
}

bool isEmitterMesh(const SceneObject& object) { return object.kind == ObjectKind::Mesh && object.name[0] == '*'; }

}  // namespace

void Scene::attachEmitters(int capacity, float lifetime, int rate, float size, float rise) {
    // A second call replaces the first set instead of leaking it.
    deleteEmitters(*this);
    bool refused = false;
    rewind();
    for (int n = 0; n < objectCount; ++n) {
        SceneObject& object = *cursor;
        if (isEmitterMesh(object)) {
            if (emitterCount >= kMaxDrawnEmitters) {
                if (!refused)
                    std::fprintf(stderr,
                                 "orvane: %s: more than %d emitter meshes; this one and later ones are ignored\n",
                                 object.name, kMaxDrawnEmitters);
                refused = true;
            } else {
                auto* system = new ParticleSystem(capacity, materialPath(*this, object), lifetime, rate, size, rise);
                system->emitterType = emitterTypeFromName(object.name);
                system->depthTest = object.name[2] != '0';
                emitters[emitterCount] = system;
                emitterObjects[emitterCount] = &object;
                emitterCount += 1;
            }
        }
        advance();
    }
    const int entries = (capacity > 0 ? capacity : 1) * (emitterCount + 1);
    sortBuffer = new SortEntry[entries];
    destroyEmitters = &deleteEmitters;
    rewind();
}

void Scene::resetEmitters() {
    for (int i = 0; i < emitterCount && i < kMaxEmitters; ++i) {
        if (emitters[i] == nullptr) continue;
        emitters[i]->count = 0;
        emitters[i]->lastEmitTime = 0.0f;
    }
    sortCount = 0;
}

bool Scene::releaseEmitters() {
    for (int i = 0; i < emitterCount && i < kMaxEmitters; ++i)
        if (emitters[i] != nullptr) emitters[i]->release();
    return true;
}
