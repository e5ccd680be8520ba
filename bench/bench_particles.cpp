// Particle benchmarks: drawEmitters per frame for 50 emitters of 999 live
// particles each (feeding, ageing, the draw list, its sort and the GL
// calls), and the draw list alone. Needs a GL context:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/bench_particles
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdlib>

#include "particles/Particles.h"
#include "platform/Platform.h"
#include "support/GlHelpers.h"
#include "support/TestScenes.h"

using namespace testscenes;

namespace {

constexpr int kEmitters = 50;
constexpr int kCapacity = 1000;  // holds 999
constexpr int kViewWidth = 800;  // pixels
constexpr int kViewHeight = 600;

// 50 emitters of every type, each full with 999 particles scattered in a
// 400-unit cube in front of the camera; the clock stands still, so nothing
// dies and nothing is emitted (the pools are full).
struct BusyScene {
    Scene scene;
    BusyScene() {
        openTestGlContext(kViewWidth, kViewHeight);
        useSteppedClock(1000.0 / 30.0);
        setSteppedTime(5000);
        addStillCamera(scene, {0, 100, 600}, {0, 0, 0});
        scene.frame = 1;
        scene.evaluateKeyframes();
        for (int e = 0; e < kEmitters; ++e) {
            const char type = static_cast<char>('0' + e % 4);
            const char name[] = {'*', type, '1', 'p', 0};
            SceneObject& mesh = appendObject(scene, ObjectKind::Mesh, name);
            mesh.vertices = {{-100, 0, 0}, {100, 50, 20}, {0, 100, -50}};
            mesh.vertexCount = 3;
            mesh.position = {(e % 10 - 5) * 40.0, 0, (e / 10 - 2) * 40.0};
        }
        scene.attachEmitters(kCapacity, 100.0f, 100, 5.0f, 80.0f);
        for (int e = 0; e < scene.emitterCount; ++e) {
            ParticleSystem& pool = *scene.emitters[e];
            for (int p = 0; p < kCapacity; ++p)
                pool.emitAt(std::rand() % 400 - 200, std::rand() % 400 - 200, std::rand() % 400 - 200);
            pool.lastEmitTime = tickSeconds();
        }
    }
};

BusyScene& busyScene() {
    static BusyScene* scene = new BusyScene();
    return *scene;
}

void BM_drawEmitters(benchmark::State& state) {
    BusyScene& busy = busyScene();
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        busy.scene.drawEmitters();
        glFinish();
    }
    state.counters["particles"] = busy.scene.sortCount;
}
BENCHMARK(BM_drawEmitters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_drawEmitters)->Name("BM_drawEmitters_processCpu")->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The draw list of the same 49 950 particles: gather and sort only.
void BM_buildAndSortDrawList(benchmark::State& state) {
    BusyScene& busy = busyScene();
    particleDepthTestOn();
    for (auto _ : state) {
        buildDrawList(busy.scene);
        benchmark::DoNotOptimize(busy.scene.sortBuffer);
    }
    state.counters["particles"] = busy.scene.sortCount;
}
BENCHMARK(BM_buildAndSortDrawList)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
