// libFuzzer target: arbitrary bytes as a 3DS file through Scene::load, then
// every array the loaded Scene promises is read to its stated count.
#include <sys/mman.h>
#include <unistd.h>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/Platform.h"
#include "scene3ds/Scene.h"

// Read problems are expected here by the million: the reader's message box
// does nothing in the fuzzer (the platform's would print each one).
void showMessageBox(const char*, const char*) {}

namespace {

// The input lives in a memory file opened by path, as load wants a path;
// a disk file would cost more than the load itself.
int memoryFile = -1;
std::string memoryPath;

// Reads everything a consumer may read; ASan and the checks below catch
// a Scene that promises more than it holds.
double touchScene(Scene& scene) {
    double sum = 0.0;
    uint32_t walked = 0;
    for (SceneObject* o = &scene; o && scene.objectCount > 0; o = o->next, ++walked) {
        if (o->vertices.size() < o->vertexCount || o->faces.size() < o->faceCount) std::abort();
        if (o->kind == ObjectKind::Mesh &&
            (o->texCoords.size() < o->vertexCount || o->vertexColors.size() < o->vertexCount)) {
            std::abort();
        }
        for (uint32_t i = 0; i < o->faceCount; ++i) {
            const Face& face = o->faces[i];
            for (uint16_t v : {face.a, face.b, face.c}) {
                sum += o->vertices[v].x + o->vertexColors[v].r + o->texCoords[v].u;
            }
        }
        if (o->positionKeys.size() < o->positionKeyCount || o->positionKeyFrames.size() < o->positionKeyCount ||
            o->rotationKeys.size() < o->rotationKeyCount || o->rotationKeyFrames.size() < o->rotationKeyCount) {
            std::abort();
        }
        if (o->kind == ObjectKind::Mesh && o->materialIndex != kNoMaterial &&
            (o->materialIndex < 0 || o->materialIndex >= scene.materialCount)) {
            std::abort();
        }
    }
    if (walked != scene.objectCount) std::abort();
    for (int32_t i = 0; i < scene.lightCount; ++i) sum += scene.lights[i]->lightRange;
    if (scene.camera) sum += scene.camera->positionKeys[scene.camera->positionKeyCount - 1].x;
    return sum;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    memoryFile = memfd_create("fuzz_scene3ds", 0);
    if (memoryFile < 0) std::abort();
    memoryPath = "/proc/self/fd/" + std::to_string(memoryFile);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (ftruncate(memoryFile, 0) != 0) std::abort();
    if (size > 0 && pwrite(memoryFile, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    Scene scene;
    scene.keepUnplayable = size % 2 == 0;  // both ends of a refused load
    scene.loadWithoutTextures(memoryPath.c_str());
    volatile double sink = touchScene(scene);
    (void)sink;
    return 0;
}
