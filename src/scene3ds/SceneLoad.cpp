// Loading a 3DS file into a ready-to-play Scene: the top-level walk, then the
// start poses, the camera, the vertex lighting and the animation length.
#include <cstdint>

#include "platform/Platform.h"
#include "scene3ds/Scene.h"

namespace {
constexpr uint16_t kChunkMain = 0x4D4D;
constexpr uint32_t kChunkHeaderBytes = 6;
constexpr int kFileBufferBytes = 1 << 16;  // stdio buffer while reading

Vec3 firstKey(const std::vector<Vec3>& keys, uint32_t count) { return count > 0 && !keys.empty() ? keys[0] : Vec3(); }

// The file's size, capped at what 32-bit chunk offsets can address.
uint32_t sizeOf(FILE* file) {
    const int64_t size = fileLength(file);
    if (size < 0) return 0;
    return size > int64_t{UINT32_MAX} ? UINT32_MAX : static_cast<uint32_t>(size);
}
}  // namespace

const char* Scene::loadError() const { return errorText.c_str(); }

bool Scene::load(const char* path) {
    clearForLoad(path);
    ChunkHeader main;
    if (!openMainChunk(main)) return false;
    walkChunks(main.end, &Scene::onMainChunk);
    return finishLoad();
}

void Scene::clearForLoad(const char* path) {
    // Pools of an earlier load point at objects about to be freed.
    if (destroyEmitters) destroyEmitters(*this);
    emitterCount = 0;
    if (objectCount > 0) releaseObjects();
    materialCount = 0;
    materialBlockCount = 0;
    lightCount = 0;
    camera = nullptr;
    frameCount = 0;
    frame = 0.0;
    problems.clear();
    errorText.clear();
    fileName = path;
}

bool Scene::openMainChunk(ChunkHeader& main) {
    file = std::fopen(fileName, "rb");
    if (!file) {
        errorText = "cannot open the file";
        return false;
    }
    std::setvbuf(file, nullptr, _IOFBF, kFileBufferBytes);
    fileSize = sizeOf(file);
    readPosition = 0;
    readLimit = fileSize;
    shortRead = false;

    main.start = 0;
    main.id = readU16();
    main.length = readU32();
    if (shortRead || main.id != kChunkMain) {
        std::fclose(file);
        file = nullptr;
        errorText = "not a 3DS file (no main chunk 0x4D4D)";
        return false;
    }
    if (main.length < kChunkHeaderBytes || main.length > fileSize) {
        reportProblem("main chunk claims %u bytes, the file holds %u", main.length, fileSize);
        main.length = fileSize;
    }
    main.end = main.length;
    readLimit = main.end;
    return true;
}

bool Scene::finishLoad() {
    rewind();
    std::fclose(file);
    file = nullptr;
    checkMeshes();
    setStartPoses();
    bool playable = setUpCamera();
    if (!playable && !keepUnplayable) {
        releaseObjects();
        lightCount = 0;
        materialCount = 0;
    }
    if (lightCount > 0) computeVertexLighting();
    rewind();
    frame = 0.0;
    fileName = "";
    return playable;
}

// Makes every mesh safe to draw: faces that name a vertex the mesh lacks are
// dropped, and every vertex has a colour and a mapping coordinate ((0, 0)
// where the file gives none). Objects of another kind may carry mesh data
// too (a mesh block followed by a light block): they get the same care.
void Scene::checkMeshes() {
    for (SceneObject* mesh = this; mesh && objectCount > 0; mesh = mesh->next) {
        for (uint32_t i = 0; i < mesh->faceCount; ++i) {
            const Face& face = mesh->faces[i];
            if (face.a < mesh->vertexCount && face.b < mesh->vertexCount && face.c < mesh->vertexCount) {
                continue;
            }
            reportProblem("mesh \"%.40s\": face %u names a vertex past its %u vertices; faces left out", mesh->name, i,
                          mesh->vertexCount);
            mesh->faceCount = 0;
            mesh->faces.clear();
            break;
        }
        if (mesh->vertexColors.size() < mesh->vertexCount) mesh->vertexColors.resize(mesh->vertexCount);
        if (mesh->texCoords.size() < mesh->vertexCount) mesh->texCoords.resize(mesh->vertexCount);
    }
}

// Meshes start at their first keys, with no rotation; a missing track counts
// as a single zero key.
void Scene::setStartPoses() {
    rewind();
    for (uint32_t i = 0; i < objectCount; ++i, advance()) {
        SceneObject& mesh = *cursor;
        if (mesh.kind != ObjectKind::Mesh) continue;
        mesh.rotation = firstKey(mesh.rotationKeys, mesh.rotationKeyCount);
        mesh.positionKeyIndex = 0;
        mesh.rotationKeyIndex = 0;
        mesh.rotationBase = mesh.rotation;
        mesh.basePosition = firstKey(mesh.positionKeys, mesh.positionKeyCount);
        mesh.position = mesh.basePosition;
    }
}

// The first camera in list order drives the view. It needs a position key:
// the last one's frame is the scene's length. Two or more keys move it to
// its first keys; a single key leaves the editor's placement.
bool Scene::setUpCamera() {
    camera = nullptr;
    for (SceneObject* object = this; object; object = object->next) {
        if (object->kind == ObjectKind::Camera) {
            camera = object;
            break;
        }
    }
    if (!camera) {
        errorText = "no camera";
    } else if (camera->positionKeyCount == 0) {
        errorText = "the camera has no position key";
    } else {
        if (camera->positionKeyCount > 1) camera->cameraPosition = camera->positionKeys[0];
        if (camera->rotationKeyCount > 1) camera->cameraTarget = camera->rotationKeys[0];
        frameCount = camera->positionKeyFrames[camera->positionKeyCount - 1];
        return true;
    }
    reportProblem("%s: the scene cannot play", errorText.c_str());
    camera = nullptr;
    return false;
}

bool Scene::loadWithoutTextures(const char* fileName) {
    const SceneTextureLoader loader = sceneTextureLoader;
    sceneTextureLoader = nullptr;
    const bool loaded = load(fileName);
    sceneTextureLoader = loader;
    return loaded;
}
