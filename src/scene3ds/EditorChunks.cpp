// The editor section of a 3DS file: objects with their meshes, lights and
// cameras, and the material names of the face lists.
#include <cmath>
#include <cstring>
#include <new>

#include "media/Textures.h"
#include "scene3ds/Scene.h"

SceneTextureLoader sceneTextureLoader = loadJpegTexture;

namespace {
constexpr uint16_t kChunkEditor = 0x3D3D;
constexpr uint16_t kChunkKeyframer = 0xB000;
constexpr uint16_t kChunkObjectBlock = 0x4000;
constexpr uint16_t kChunkMaterialBlock = 0xAFFF;
constexpr uint16_t kChunkTriangularMesh = 0x4100;
constexpr uint16_t kChunkVertexList = 0x4110;
constexpr uint16_t kChunkFaceList = 0x4120;
constexpr uint16_t kChunkFaceMaterialList = 0x4130;
constexpr uint16_t kChunkMappingList = 0x4140;
constexpr uint16_t kChunkLight = 0x4600;
constexpr uint16_t kChunkColorFloats = 0x0010;
constexpr uint16_t kChunkSpotlight = 0x4610;
constexpr uint16_t kChunkCamera = 0x4700;
constexpr uint32_t kMaxObjects = 65535;  // objectCount is 16-bit
constexpr uint32_t kVertexBytes = 12;    // three floats
constexpr uint32_t kFaceBytes = 8;       // four 16-bit values
constexpr uint32_t kTexCoordBytes = 8;   // two floats

float floatAt(const unsigned char* bytes) {
    uint32_t bits = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
                    (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

uint16_t u16At(const unsigned char* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }

float distanceBetween(const Vec3& a, const Vec3& b) {
    double dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}
}  // namespace

// [SECTION] Walk dispatch -----------------------------------------------------

void Scene::onMainChunk(const ChunkHeader& header) {
    if (header.id == kChunkEditor) {
        trace("CHUNK_3DEDITORCHUNK\n");
        walkChunks(header.end, &Scene::onEditorChunk);
    } else if (header.id == kChunkKeyframer) {
        trace("CHUNK_KEYFRAMER\n");
        walkChunks(header.end, &Scene::onKeyframerChunk);
    }
}

void Scene::onEditorChunk(const ChunkHeader& header) {
    if (header.id == kChunkMaterialBlock) readMaterialBlock(header);
    if (header.id != kChunkObjectBlock) return;
    trace("+--CHUNK_OBJETBLOCK\n");
    readObjectBlock(header);
}

void Scene::onObjectChunk(const ChunkHeader& header) {
    switch (header.id) {
    case kChunkTriangularMesh:
        trace("   +--CHUNK_TRIANGULARMESH\n");
        cursor->kind = ObjectKind::Mesh;
        walkChunks(header.end, &Scene::onMeshChunk);
        break;
    case kChunkLight:
        trace("   +--CHUNK_LIGHT\n");
        readLight(header);
        break;
    case kChunkCamera:
        trace("   +--CHUNK_CAMERA\n");
        readCamera();
        break;
    default: break;
    }
}

void Scene::onMeshChunk(const ChunkHeader& header) {
    switch (header.id) {
    case kChunkVertexList:
        trace("      +--CHUNK_VERTICELIST\n");
        readVertexList();
        break;
    case kChunkFaceList:
        trace("      +--CHUNK_FACELIST\n");
        readFaceList(header);
        break;
    case kChunkMappingList:
        trace("      +--CHUNK_MAPPINGCOORDINATELIST\n");
        readMappingList();
        break;
    default: break;
    }
}

void Scene::onFaceListChunk(const ChunkHeader& header) {
    if (header.id != kChunkFaceMaterialList) return;
    trace("         +--CHUNK_FACEMATERIALLIST\n");
    readFaceMaterialList();
}

void Scene::onLightChunk(const ChunkHeader& header) {
    if (header.id == kChunkColorFloats) {
        SceneObject& light = *cursor;
        light.lightColor = readColor3();
        light.lightColor.r = std::fabs(light.lightColor.r);
        light.lightColor.g = std::fabs(light.lightColor.g);
        light.lightColor.b = std::fabs(light.lightColor.b);
    } else if (header.id == kChunkSpotlight) {
        trace("      +--CHUNK_SPOTLIGHT\n");
        readSpotlight();
    }
}

// [SECTION] Objects -----------------------------------------------------------

// A new object at the end of the list (the Scene's own record first), named
// by the chunk's first data, then its mesh, light or camera sub-block.
void Scene::readObjectBlock(const ChunkHeader& header) {
    if (objectCount >= kMaxObjects) {
        reportProblem("more than %u objects, the rest are left out", kMaxObjects);
        return;
    }
    SceneObject* object = this;
    if (objectCount > 0) {
        object = new SceneObject;
        object->prev = cursor;
        cursor->next = object;
    } else {
        prev = nullptr;
    }
    cursor = object;
    object->next = nullptr;
    ++objectCount;
    readString(object->name, kObjectNameBytes, "object name");
    object->faceCount = 0;
    object->vertexCount = 0;
    object->rotation = Vec3();
    object->position = Vec3();
    walkChunks(header.end, &Scene::onObjectChunk);
}

// [SECTION] Meshes ------------------------------------------------------------

// A count, then that many points; the vertex colours are sized with them.
void Scene::readVertexList() {
    SceneObject& mesh = *cursor;
    uint16_t count = readU16();
    uint32_t bytes = count * kVertexBytes;
    if (shortRead) return;
    if (bytesLeft() < bytes) {
        reportProblem("vertex list of %u points holds only %u bytes; list left out", count, bytesLeft());
        return;
    }
    try {
        mesh.vertices.assign(count, Vec3());
        mesh.vertexColors.assign(count, Color3());
        readBuffer.resize(bytes);
    } catch (const std::bad_alloc&) {
        mesh.vertexCount = 0;
        reportProblem("Cannot alloc memory for vertex");
        return;
    }
    if (!readBytes(readBuffer.data(), bytes)) return;
    for (uint32_t i = 0; i < count; ++i) {
        const unsigned char* point = readBuffer.data() + i * kVertexBytes;
        Vec3& vertex = mesh.vertices[i];
        vertex.x = floatAt(point);
        vertex.z = -static_cast<double>(floatAt(point + 4));
        vertex.y = floatAt(point + 8);
    }
    mesh.vertexCount = count;
}

// A count, then faces of three indices and a flags word, then sub-chunks
// (the face material lists). Indices are checked once the mesh is complete.
void Scene::readFaceList(const ChunkHeader& header) {
    SceneObject& mesh = *cursor;
    uint16_t count = readU16();
    uint32_t bytes = count * kFaceBytes;
    if (shortRead) return;
    if (bytesLeft() < bytes) {
        reportProblem("face list of %u faces holds only %u bytes; list left out", count, bytesLeft());
        return;
    }
    try {
        mesh.faces.assign(count, Face());
        readBuffer.resize(bytes);
    } catch (const std::bad_alloc&) {
        mesh.faceCount = 0;
        reportProblem("Cannot alloc memory for face");
        return;
    }
    if (!readBytes(readBuffer.data(), bytes)) return;
    for (uint32_t i = 0; i < count; ++i) {
        const unsigned char* stored = readBuffer.data() + i * kFaceBytes;
        mesh.faces[i] = Face{u16At(stored), u16At(stored + 2), u16At(stored + 4), u16At(stored + 6)};
    }
    mesh.faceCount = count;
    walkChunks(header.end, &Scene::onFaceListChunk);
}

// The material name names the texture too; each distinct name loads its
// texture once. The face numbers after the name are not needed: one
// material serves the whole object.
void Scene::readFaceMaterialList() {
    char materialName[kMaterialNameBytes];
    readString(materialName, kMaterialNameBytes, "material name");
    for (int32_t i = 0; i < materialCount; ++i) {
        if (std::strcmp(materials[i].name, materialName) == 0) {
            cursor->materialIndex = i;
            return;
        }
    }
    if (materialCount >= kMaxMaterials) {
        reportProblem("more than %d materials: \"%.40s\" is drawn untextured", kMaxMaterials, materialName);
        cursor->materialIndex = kNoMaterial;
        return;
    }
    Material& material = materials[materialCount];
    std::memcpy(material.name, materialName, sizeof materialName);
    if (sceneTextureLoader) sceneTextureLoader(&material.texture, material.name, 0);
    cursor->materialIndex = materialCount;
    ++materialCount;
}

// A count, then (u, v) pairs as stored.
void Scene::readMappingList() {
    SceneObject& mesh = *cursor;
    uint16_t count = readU16();
    uint32_t bytes = count * kTexCoordBytes;
    if (shortRead) return;
    if (bytesLeft() < bytes) {
        reportProblem("mapping list of %u coordinates holds only %u bytes; list left out", count, bytesLeft());
        return;
    }
    try {
        mesh.texCoords.assign(count, TexCoord());
        readBuffer.resize(bytes);
    } catch (const std::bad_alloc&) {
        reportProblem("Cannot alloc memory for mapping coordinate");
        return;
    }
    if (!readBytes(readBuffer.data(), bytes)) return;
    for (uint32_t i = 0; i < count; ++i) {
        const unsigned char* pair = readBuffer.data() + i * kTexCoordBytes;
        mesh.texCoords[i] = TexCoord{floatAt(pair), floatAt(pair + 4)};
    }
    mesh.texCoordCount = count;
}

// [SECTION] Lights and cameras ------------------------------------------------

void Scene::readLight(const ChunkHeader& header) {
    SceneObject& light = *cursor;
    light.kind = ObjectKind::Light;
    light.lightPosition = readVec3();
    walkChunks(header.end, &Scene::onLightChunk);
    if (lightCount > 0 && lights[lightCount - 1] == &light) return;  // a second 0x4600
    if (lightCount >= kMaxLights) {
        reportProblem("more than %d lights: \"%.40s\" lights nothing", kMaxLights, light.name);
        return;
    }
    lights[lightCount++] = &light;
}

// The spotlight's target fixes the light's reach: the distance to it.
void Scene::readSpotlight() {
    SceneObject& light = *cursor;
    light.spotTarget = readVec3();
    light.lightRange = distanceBetween(light.spotTarget, light.lightPosition);
    light.spotHotspot = readFloat();
    light.spotFalloff = readFloat();
}

void Scene::readCamera() {
    SceneObject& camera = *cursor;
    camera.kind = ObjectKind::Camera;
    camera.cameraPosition = readVec3();
    camera.cameraTarget = readVec3();
    camera.cameraBank = readFloat();
    camera.cameraLens = readFloat();
}
