#include "formats/Writer3ds.h"

#include <cstdio>
#include <set>

#include "formats/ChunkWriter.h"

namespace {
// Chunk ids written.
constexpr uint16_t kMain = 0x4D4D, kEditor = 0x3D3D, kMeshVersion = 0x3D3E, kMasterScale = 0x0100;
constexpr uint16_t kMaterial = 0xAFFF, kMaterialName = 0xA000, kTextureMap = 0xA200, kMapFile = 0xA300;
constexpr uint16_t kObject = 0x4000, kTriMesh = 0x4100, kVertices = 0x4110, kFaces = 0x4120;
constexpr uint16_t kFaceMaterial = 0x4130, kMapping = 0x4140, kMeshMatrix = 0x4160;
constexpr uint16_t kLight = 0x4600, kColourFloat = 0x0010, kSpotlight = 0x4610, kCamera = 0x4700;
constexpr uint16_t kKeyframer = 0xB000, kKfHeader = 0xB00A, kKfSegment = 0xB008, kKfCurrent = 0xB009;
constexpr uint16_t kObjectNode = 0xB002, kCameraNode = 0xB003, kTargetNode = 0xB004;
constexpr uint16_t kNodeId = 0xB030, kNodeHeader = 0xB010, kPivot = 0xB013;
constexpr uint16_t kPositionTrack = 0xB020, kRotationTrack = 0xB021, kScaleTrack = 0xB022;
constexpr uint16_t kFaceFlags = 0x0007;   // all three edges visible
constexpr uint16_t kTrackFlags = 0x0000;  // play once
constexpr uint16_t kNoParent = 0xFFFF;
constexpr float kSpotHotspot = 40.0f;  // degrees, kept for other readers
constexpr float kSpotFalloff = 60.0f;  // degrees

// A point in show axes, written in file axes.
void point(ChunkWriter& w, const V3& p) { w.f32(float(p.x)).f32(float(-p.z)).f32(float(p.y)); }

void writeMaterials(ChunkWriter& w, const SceneDesc& scene) {
    std::set<std::string> done;
    for (const Mesh& mesh : scene.meshes) {
        if (mesh.material.empty() || !done.insert(mesh.material).second) continue;
        w.begin(kMaterial);
        w.begin(kMaterialName);
        w.string(mesh.material);
        w.end();
        w.begin(kTextureMap);
        w.begin(kMapFile);
        w.string(mesh.material);
        w.end();
        w.end();
        w.end();
    }
}

void writeMesh(ChunkWriter& w, const Mesh& mesh) {
    w.begin(kObject);
    w.string(mesh.name);
    w.begin(kTriMesh);
    w.begin(kVertices);
    w.u16(static_cast<uint16_t>(mesh.vertices.size()));
    for (const V3& p : mesh.vertices) point(w, p);
    w.end();
    w.begin(kMapping);
    w.u16(static_cast<uint16_t>(mesh.uvs.size()));
    for (const UV& t : mesh.uvs) {
        w.f32(t.u);
        w.f32(t.v);
    }
    w.end();
    w.begin(kMeshMatrix);
    const double identity[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    for (double m : identity) w.f32(m);
    w.end();
    w.begin(kFaces);
    w.u16(static_cast<uint16_t>(mesh.faces.size()));
    for (const auto& f : mesh.faces) {
        w.u16(f[0]);
        w.u16(f[1]);
        w.u16(f[2]);
        w.u16(kFaceFlags);
    }
    if (!mesh.material.empty()) {
        w.begin(kFaceMaterial);
        w.string(mesh.material);
        w.u16(static_cast<uint16_t>(mesh.faces.size()));
        for (size_t i = 0; i < mesh.faces.size(); ++i) w.u16(static_cast<uint16_t>(i));
        w.end();
    }
    w.end();
    w.end();
    w.end();
}

void writeLight(ChunkWriter& w, const Light& light) {
    w.begin(kObject);
    w.string(light.name);
    w.begin(kLight);
    point(w, light.position);
    w.begin(kColourFloat);
    w.f32(light.colour.r);
    w.f32(light.colour.g);
    w.f32(light.colour.b);
    w.end();
    w.begin(kSpotlight);
    point(w, light.target);
    w.f32(kSpotHotspot);
    w.f32(kSpotFalloff);
    w.end();
    w.end();
    w.end();
}

void writeCamera(ChunkWriter& w, const Camera& camera) {
    w.begin(kObject);
    w.string(camera.name);
    w.begin(kCamera);
    point(w, camera.positionKeys.front().value);
    point(w, camera.targetKeys.front().value);
    w.f32(0.0);  // bank
    w.f32(camera.lens);
    w.end();
    w.end();
}

void trackHeader(ChunkWriter& w, size_t count) {
    w.u16(kTrackFlags);
    w.u32(0);
    w.u32(0);
    w.u32(static_cast<uint32_t>(count));
}

void positionTrack(ChunkWriter& w, const std::vector<PositionKey>& keys) {
    w.begin(kPositionTrack);
    trackHeader(w, keys.size());
    for (const PositionKey& k : keys) {
        w.u32(static_cast<uint32_t>(k.frame));
        w.u16(0);
        point(w, k.value);
    }
    w.end();
}

void rotationTrack(ChunkWriter& w, const std::vector<RotationKey>& keys) {
    w.begin(kRotationTrack);
    trackHeader(w, keys.size());
    for (const RotationKey& k : keys) {
        w.u32(static_cast<uint32_t>(k.frame));
        w.u16(0);
        w.f32(k.angle);
        point(w, k.axis);
    }
    w.end();
}

void nodeHeader(ChunkWriter& w, uint16_t id, const std::string& name) {
    w.begin(kNodeId);
    w.u16(id);
    w.end();
    w.begin(kNodeHeader);
    w.string(name);
    w.u16(0);
    w.u16(0);
    w.u16(kNoParent);
    w.end();
}

void writeMeshNode(ChunkWriter& w, const Mesh& mesh, uint16_t id) {
    std::vector<PositionKey> pos = mesh.positionKeys;
    if (pos.empty()) pos.push_back(PositionKey{0, mesh.centre()});
    std::vector<RotationKey> rot = mesh.rotationKeys;
    if (rot.empty()) rot.push_back(RotationKey{});
    w.begin(kObjectNode);
    nodeHeader(w, id, mesh.name);
    w.begin(kPivot);
    point(w, V3{});
    w.end();
    positionTrack(w, pos);
    rotationTrack(w, rot);
    w.begin(kScaleTrack);
    trackHeader(w, 1);
    w.u32(0);
    w.u16(0);
    w.f32(1.0);
    w.f32(1.0);
    w.f32(1.0);
    w.end();
    w.end();
}

void writeKeyframer(ChunkWriter& w, const SceneDesc& scene) {
    int last = scene.camera.positionKeys.back().frame;
    w.begin(kKeyframer);
    w.begin(kKfHeader);
    w.u16(5);
    w.string("orvane");
    w.u32(static_cast<uint32_t>(last));
    w.end();
    w.begin(kKfSegment);
    w.u32(0);
    w.u32(static_cast<uint32_t>(last));
    w.end();
    w.begin(kKfCurrent);
    w.u32(0);
    w.end();
    uint16_t id = 0;
    for (const Mesh& mesh : scene.meshes) writeMeshNode(w, mesh, id++);
    w.begin(kCameraNode);
    nodeHeader(w, id++, scene.camera.name);
    positionTrack(w, scene.camera.positionKeys);
    w.end();
    w.begin(kTargetNode);
    nodeHeader(w, id++, scene.camera.name);
    positionTrack(w, scene.camera.targetKeys);
    w.end();
    w.end();
}
}  // namespace

std::vector<uint8_t> build3ds(const SceneDesc& scene) {
    ChunkWriter w;
    w.begin(kMain);
    w.begin(kEditor);
    w.begin(kMeshVersion);
    w.u32(3);
    w.end();
    writeMaterials(w, scene);
    w.begin(kMasterScale);
    w.f32(1.0);
    w.end();
    for (const Mesh& mesh : scene.meshes) writeMesh(w, mesh);
    for (const Light& light : scene.lights) writeLight(w, light);
    writeCamera(w, scene.camera);
    w.end();
    writeKeyframer(w, scene);
    w.end();
    return w.bytes();
}

bool write3ds(const SceneDesc& scene, const std::string& path) {
    std::vector<uint8_t> bytes = build3ds(scene);
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    return std::fclose(out) == 0 && ok;
}
