// Render benchmarks: per-frame relighting throughput, and frames per second
// of a 50 000-triangle textured scene at 800x600 on the software GL
// renderer (Mesa llvmpipe under Xvfb), with a submission-only variant and a
// vertex-array reference to show where the time goes.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_render
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cmath>
#include <vector>

#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "render/Render.h"
#include "support/GlHelpers.h"
#include "support/TestScenes.h"

using namespace testscenes;

namespace {

constexpr int kRelightVertices = 20000;
constexpr int kRelightLights = 8;
constexpr int kViewWidth = 800;  // pixels
constexpr int kViewHeight = 600;
constexpr int kGridSide = 50;    // quads per grid side: 2 x 50 x 50 = 5000 triangles
constexpr int kGridMeshes = 10;  // 10 x 5000 = 50 000 triangles

// Every vertex lies inside every light's cube and sphere: full work per pair.
void BM_relightMesh(benchmark::State& state) {
    Scene scene;
    for (int k = 0; k < kRelightLights; ++k) addLight(scene, {10.0 * k, 20, 30}, 400.0f, {0.2f, 0.2f, 0.2f});
    SceneObject& mesh = appendObject(scene, ObjectKind::Mesh, "mover");
    for (int j = 0; j < kRelightVertices; ++j)
        mesh.vertices.push_back({std::fmod(j * 7.0, 100.0), std::fmod(j * 13.0, 100.0), std::fmod(j * 3.0, 100.0)});
    mesh.vertexColors.assign(kRelightVertices, Color3{});
    mesh.vertexCount = kRelightVertices;
    mesh.position = {1, 2, 3};
    for (auto _ : state) {
        relightMesh(scene, mesh);
        benchmark::DoNotOptimize(mesh.vertexColors.data());
    }
    state.SetItemsProcessed(state.iterations() * kRelightVertices * kRelightLights);
    state.SetLabel("items = vertex-light pairs");
}
BENCHMARK(BM_relightMesh);

// A grid of kGridSide x kGridSide quads in the plane z, size units across.
SceneObject& addGridMesh(Scene& scene, const char* name, double cx, double cy, double z, double size) {
    SceneObject& mesh = appendObject(scene, ObjectKind::Mesh, name);
    const int n = kGridSide + 1;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            mesh.vertices.push_back({cx - size / 2 + size * x / kGridSide, cy - size / 2 + size * y / kGridSide, z});
            mesh.texCoords.push_back({static_cast<float>(x) / kGridSide * 4, static_cast<float>(y) / kGridSide * 4});
        }
    for (int y = 0; y < kGridSide; ++y)
        for (int x = 0; x < kGridSide; ++x) {
            const uint16_t a = static_cast<uint16_t>(y * n + x);
            mesh.faces.push_back({a, static_cast<uint16_t>(a + 1), static_cast<uint16_t>(a + n + 1), 0});
            mesh.faces.push_back({a, static_cast<uint16_t>(a + n + 1), static_cast<uint16_t>(a + n), 0});
        }
    mesh.vertexColors.assign(mesh.vertices.size(), Color3{0.8f, 0.8f, 0.8f});
    mesh.vertexCount = static_cast<uint16_t>(mesh.vertices.size());
    mesh.texCoordCount = mesh.vertexCount;
    mesh.faceCount = static_cast<uint16_t>(mesh.faces.size());
    mesh.materialIndex = 0;
    setPositionTrack(mesh, {0}, {{0, 0, 0}});
    return mesh;
}

// Ten overlapping grids filling the view, two of them moving (relit by
// four lights), a 256x256 texture.
struct BigScene {
    Scene scene;
    BigScene() {
        openTestGlContext(kViewWidth, kViewHeight);
        useSteppedClock(1000.0 / 30.0);
        runSettings.noLights = false;
        addStillCamera(scene, {0, 0, 400}, {0, 0, 0}, 1000);
        scene.materials[0].texture =
            testgl::makeTexture(256, [](int x, int y) { return ((x / 32 + y / 32) % 2) ? 0x806040u : 0xe0d0c0u; });
        scene.materialCount = 1;
        for (int i = 0; i < kGridMeshes; ++i) {
            SceneObject& grid = addGridMesh(scene, "grid", (i % 5 - 2) * 60.0, (i / 5 - 0.5) * 120.0, -i * 5.0, 300);
            if (i < 2) setPositionTrack(grid, {0, 1000}, {{0, 0, 0}, {100, 0, 0}});
        }
        for (int k = 0; k < 4; ++k) addLight(scene, {-150.0 + 100 * k, 0, 50}, 250.0f, {0.6f, 0.6f, 0.6f});
    }
};

BigScene& bigScene() {
    static BigScene* scene = new BigScene();
    return *scene;
}

void renderFrames(benchmark::State& state, int viewport) {
    BigScene& big = bigScene();
    glViewport(0, 0, viewport == 0 ? kViewWidth : 1, viewport == 0 ? kViewHeight : 1);
    int frame = 0;
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        big.scene.frame = frame++ % 900;
        big.scene.evaluateKeyframes();
        big.scene.render();
        glFinish();
    }
    glViewport(0, 0, kViewWidth, kViewHeight);
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["triangles"] = kGridMeshes * 2 * kGridSide * kGridSide;
}

void BM_renderScene800x600(benchmark::State& state) { renderFrames(state, 0); }
BENCHMARK(BM_renderScene800x600)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The same frames into a 1x1 viewport: what submitting the immediate-mode
// calls costs without the rasterisation.
void BM_renderSceneSubmissionOnly(benchmark::State& state) { renderFrames(state, 1); }
BENCHMARK(BM_renderSceneSubmissionOnly)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// Reference: the same triangles from client vertex arrays in one call per
// mesh (not what the show does; it shows the immediate-mode overhead).
void BM_vertexArrayReference(benchmark::State& state) {
    BigScene& big = bigScene();
    std::vector<std::vector<float>> xyz, uv, rgb;
    big.scene.rewind();
    for (int n = 0; n < big.scene.objectCount; ++n) {
        const SceneObject& m = *big.scene.cursor;
        if (m.kind == ObjectKind::Mesh) {
            std::vector<float> p, t, c;
            for (const Face& f : m.faces)
                for (uint16_t v : {f.a, f.b, f.c}) {
                    p.insert(p.end(), {float(m.vertices[v].x), float(m.vertices[v].y), float(m.vertices[v].z)});
                    t.insert(t.end(), {m.texCoords[v].u, m.texCoords[v].v});
                    c.insert(c.end(), {m.vertexColors[v].r, m.vertexColors[v].g, m.vertexColors[v].b});
                }
            xyz.push_back(p);
            uv.push_back(t);
            rgb.push_back(c);
        }
        big.scene.advance();
    }
    big.scene.rewind();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
        glTranslatef(0, 0, -400);
        glBindTexture(GL_TEXTURE_2D, big.scene.materials[0].texture);
        for (size_t i = 0; i < xyz.size(); ++i) {
            glVertexPointer(3, GL_FLOAT, 0, xyz[i].data());
            glTexCoordPointer(2, GL_FLOAT, 0, uv[i].data());
            glColorPointer(3, GL_FLOAT, 0, rgb[i].data());
            glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(xyz[i].size() / 3));
        }
        glFinish();
    }
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    state.counters["frames_per_s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_vertexArrayReference)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
