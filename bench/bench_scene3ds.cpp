// 3DS loading speed against lib3ds on the same bytes (the largest corpus file
// and a large built scene), and the vertex lighting in vertex-light pairs/s.
#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "scene3ds/Scene.h"
#include "support/Chunk3dsWriter.h"

#ifdef ORVANE_HAVE_LIB3DS
#include <lib3ds/camera.h>
#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/mesh.h>
#endif

namespace {
// Built scene: meshes of many vertices with a material, texture coordinates
// and animated tracks, and lights.
constexpr int kBuiltMeshes = 200;
constexpr int kBuiltVertices = 8000;  // per mesh
constexpr int kBuiltFaces = 16000;    // per mesh
constexpr int kBuiltKeys = 100;       // per track
constexpr int kBuiltLights = 100;
// Lighting scene: every vertex against every light.
constexpr int kLitMeshes = 20;
constexpr int kLitVertices = 5000;

const std::string kCorpusLargest = std::string(ORVANE_SHARED_DIR) + "/3ds-corpus/fels.3ds";

void addTrackedMesh(Chunk3dsWriter& w, int index, int vertices, int faces) {
    std::string name = "Mesh" + std::to_string(index);
    w.begin(0x4000).string(name).begin(0x4100);
    w.begin(0x4110).u16(static_cast<uint16_t>(vertices));
    for (int v = 0; v < vertices; ++v) w.point(v * 0.01f, index * 1.0f, (v % 97) * 0.1f);
    w.end();
    w.begin(0x4140).u16(static_cast<uint16_t>(vertices));
    for (int v = 0; v < vertices; ++v) w.f32(v * 0.001f).f32(0.5f);
    w.end();
    w.begin(0x4120).u16(static_cast<uint16_t>(faces));
    for (int f = 0; f < faces; ++f) {
        uint16_t a = static_cast<uint16_t>(f % (vertices - 2));
        w.u16(a).u16(static_cast<uint16_t>(a + 1)).u16(static_cast<uint16_t>(a + 2)).u16(0);
    }
    w.begin(0x4130).string("data/texture" + std::to_string(index % 40) + ".jpg").u16(0).end();
    w.end().end().end();
}

void addLights(Chunk3dsWriter& w, int count) {
    for (int l = 0; l < count; ++l) {
        w.begin(0x4000).string("Light" + std::to_string(l)).begin(0x4600).point(l * 1.0f, 0, 0);
        w.begin(0x0010).point(0.2f, 0.2f, 0.2f).end();
        w.begin(0x4610).point(l * 1.0f, 40.0f, 0).f32(30).f32(45).end();
        w.end().end();
    }
}

void addNodes(Chunk3dsWriter& w, int meshes, int keys) {
    for (int m = 0; m < meshes; ++m) {
        w.begin(0xB002).begin(0xB010).string("Mesh" + std::to_string(m)).u16(0).u16(0).u16(0xFFFF).end();
        w.begin(0xB020).u16(0).u32(0).u32(0).u32(static_cast<uint32_t>(keys));
        for (int k = 0; k < keys; ++k) w.u32(static_cast<uint32_t>(k)).u16(0).point(k * 1.0f, 0, 0);
        w.end();
        w.begin(0xB021).u16(0).u32(0).u32(0).u32(static_cast<uint32_t>(keys));
        for (int k = 0; k < keys; ++k) w.u32(static_cast<uint32_t>(k)).u16(0).f32(0.01f).point(0, 0, 1);
        w.end().end();
    }
    std::vector<uint32_t> frames = {0, static_cast<uint32_t>(keys)};
    w.infoBlock(0xB003, "Cam", frames, {{0, -100, 10}, {10, -100, 10}});
}

// A scene of meshes, lights, a camera and tracks, written once per run.
std::string buildScene(const std::string& name, int meshes, int vertices, int faces, int lights) {
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x0002).u32(3).end().begin(0x3D3D);
    for (int m = 0; m < meshes; ++m) addTrackedMesh(w, m, vertices, faces);
    addLights(w, lights);
    w.camera("Cam", {0, -100, 10}, {0, 0, 0});
    w.end().begin(0xB000);
    addNodes(w, meshes, kBuiltKeys);
    w.end().end();
    std::string folder = ORVANE_BENCH_SCRATCH_DIR;
    ::mkdir(folder.c_str(), 0755);
    std::string path = folder + "/" + name;
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(w.bytes().data(), 1, w.bytes().size(), out);
    std::fclose(out);
    return path;
}

const std::string& builtScene() {
    static const std::string path = buildScene("largest.3ds", kBuiltMeshes, kBuiltVertices, kBuiltFaces, kBuiltLights);
    return path;
}

long fileBytes(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? static_cast<long>(info.st_size) : 0;
}

void reportRates(benchmark::State& state, const std::string& path, long objects) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * fileBytes(path));
    state.counters["objects/s"] =
        benchmark::Counter(static_cast<double>(objects), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["MB"] = static_cast<double>(fileBytes(path)) / 1e6;
}

// [SECTION] Loading

void loadOrvane(benchmark::State& state, const std::string& path) {
    setHeadlessMessages(true);
    long objects = 0;
    for (auto _ : state) {
        Scene scene;
        scene.loadWithoutTextures(path.c_str());
        objects = scene.objectCount;
        benchmark::DoNotOptimize(scene.cursor);
    }
    reportRates(state, path, objects);
}

#ifdef ORVANE_HAVE_LIB3DS
void loadLib3ds(benchmark::State& state, const std::string& path) {
    long objects = 0;
    for (auto _ : state) {
        Lib3dsFile* file = lib3ds_file_load(path.c_str());
        if (!file) {
            state.SkipWithError("lib3ds refused the file");
            return;
        }
        objects = 0;
        for (Lib3dsMesh* m = file->meshes; m; m = m->next) ++objects;
        for (Lib3dsLight* l = file->lights; l; l = l->next) ++objects;
        for (Lib3dsCamera* c = file->cameras; c; c = c->next) ++objects;
        lib3ds_file_free(file);
    }
    reportRates(state, path, objects);
}
BENCHMARK_CAPTURE(loadLib3ds, corpus_fels, kCorpusLargest);
BENCHMARK_CAPTURE(loadLib3ds, built_largest, builtScene())->Unit(benchmark::kMillisecond);
#endif

BENCHMARK_CAPTURE(loadOrvane, corpus_fels, kCorpusLargest);
BENCHMARK_CAPTURE(loadOrvane, built_largest, builtScene())->Unit(benchmark::kMillisecond);

// [SECTION] Vertex lighting

void vertexLighting(benchmark::State& state) {
    setHeadlessMessages(true);
    static const std::string path = buildScene("lit.3ds", kLitMeshes, kLitVertices, kLitVertices, kMaxLights);
    Scene scene;
    scene.loadWithoutTextures(path.c_str());
    for (auto _ : state) {
        scene.computeVertexLighting();
        benchmark::DoNotOptimize(scene.vertexColors.data());
    }
    double pairs = static_cast<double>(kLitMeshes) * kLitVertices * scene.lightCount;
    state.counters["pairs/s"] = benchmark::Counter(pairs, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(vertexLighting)->Unit(benchmark::kMillisecond);
}  // namespace

BENCHMARK_MAIN();
