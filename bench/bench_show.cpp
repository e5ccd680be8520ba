// Whole-show benchmark: loadShow timed by step kind, then the eight scenes on
// the stepped clock with each frame's wall and CPU time measured on the real
// clock. One line per scene (frames, median and 99th percentile frame time,
// frames per second); text on standard output and JSON with --json.
// Run from a folder holding data/ (the build folder):
//   xvfb-run -a -s "-screen 0 1280x1024x24" bench/bench_show --size 800x600 --json show.json
// --scene N plays one scene after loading, for a profiler (perf record -t).
// GALLIUM_NOOP=1 discards the rendering in Mesa: the frame times are then
// the show's own CPU work plus Mesa's front end.
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/DataDirectory.h"
#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "scenes/SceneTimings.h"
#include "scenes/Show.h"
#include "scenes/ShowLoading.h"
#include "window/ShowWindow.h"

namespace {

// [SECTION] Clocks and records ------------------------------------------------

double clockSeconds(clockid_t which) {
    timespec now{};
    clock_gettime(which, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Instant {
    double wall = 0.0;     // seconds, monotonic
    double thread = 0.0;   // CPU seconds of the show's thread
    double process = 0.0;  // CPU seconds of every thread (llvmpipe's included)
};

Instant now() {
    return {clockSeconds(CLOCK_MONOTONIC), clockSeconds(CLOCK_THREAD_CPUTIME_ID),
            clockSeconds(CLOCK_PROCESS_CPUTIME_ID)};
}

struct Frame {
    int scene = 0;
    Instant spent;  // since the previous present
};

// Lifetime: main. Sized before the show; no allocation while it plays.
struct BenchState {
    std::vector<Frame> frames;
    size_t count = 0;
    Instant last;
    std::vector<Instant> loadingMarks;  // after each loading screen
} bench;

Instant since(const Instant& start, const Instant& end) {
    return {end.wall - start.wall, end.thread - start.thread, end.process - start.process};
}

void onPresent() {
    const Instant t = now();
    const int scene = timedSceneNow();
    if (scene != 0 && bench.count < bench.frames.size()) bench.frames[bench.count++] = {scene, since(bench.last, t)};
    bench.last = t;
}

void onLoadingScreen(float) {
    if (bench.loadingMarks.size() < bench.loadingMarks.capacity()) bench.loadingMarks.push_back(now());
}

// [SECTION] Load steps ------------------------------------------------------------

enum StepKind { kPictures, kBitmaps, kSceneFiles, kEmitters, kStepKinds };
const char* const kStepNames[kStepKinds] = {"pictures", "bitmaps", "scene_files", "emitters"};

// The report's kind of a loading step (the shared pool counts with the emitters).
StepKind reportKind(LoadStepKind kind) {
    switch (kind) {
    case LoadStepKind::Texture: return kPictures;
    case LoadStepKind::Bitmap: return kBitmaps;
    case LoadStepKind::SceneFile: return kSceneFiles;
    case LoadStepKind::SharedParticles:
    case LoadStepKind::Emitters: return kEmitters;
    }
    return kEmitters;
}

struct LoadReport {
    Instant total;
    double kinds[kStepKinds] = {};  // wall seconds
    double screens = 0.0;           // wall seconds of loading-screen frames
    bool matched = false;           // the screens counted match the step table
};

double median(std::vector<double> values);

// Splits the time between loading screens: the interval that follows a step
// holds the step and one screen; the step's other screens give the screen
// time. A step without screens is timed with the next (the same kind).
LoadReport splitLoad(const Instant& start, const Instant& end) {
    LoadReport report;
    report.total = since(start, end);
    size_t expected = 0;
    for (const LoadStep& step : kLoadSteps) expected += static_cast<size_t>(step.screens);
    report.matched = bench.loadingMarks.size() == expected;
    if (!report.matched) return report;
    std::vector<double> intervals;
    std::vector<double> plainScreens;
    Instant previous = start;
    for (const Instant& mark : bench.loadingMarks) {
        intervals.push_back(mark.wall - previous.wall);
        previous = mark;
    }
    size_t at = 0;
    for (const LoadStep& step : kLoadSteps) {
        for (int s = 1; s < step.screens; ++s) plainScreens.push_back(intervals[at + static_cast<size_t>(s)]);
        at += static_cast<size_t>(step.screens);
    }
    const double screen = median(plainScreens);
    at = 0;
    for (const LoadStep& step : kLoadSteps) {
        if (step.screens == 0) continue;
        report.kinds[reportKind(step.kind)] += std::max(0.0, intervals[at] - screen);
        at += static_cast<size_t>(step.screens);
    }
    double steps = 0.0;
    for (double kind : report.kinds) steps += kind;
    report.screens = report.total.wall - steps;
    return report;
}

// [SECTION] Scene statistics ------------------------------------------------------

double median(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double percentile99(std::vector<double> values) {
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t at = static_cast<size_t>(0.99 * static_cast<double>(values.size() - 1) + 0.5);
    return values[at];
}

struct SceneReport {
    int scene = 0;
    long frames = 0;
    double medianMs = 0, p99Ms = 0, fps = 0, threadCpuMs = 0, threadCpuP99Ms = 0, processCpuMs = 0;
};

SceneReport sceneReport(int scene) {
    std::vector<double> wall, thread, process;
    for (size_t i = 0; i < bench.count; ++i) {
        if (bench.frames[i].scene != scene) continue;
        wall.push_back(bench.frames[i].spent.wall * 1000.0);
        thread.push_back(bench.frames[i].spent.thread * 1000.0);
        process.push_back(bench.frames[i].spent.process * 1000.0);
    }
    SceneReport r;
    r.scene = scene;
    r.frames = static_cast<long>(wall.size());
    r.medianMs = median(wall);
    r.p99Ms = percentile99(wall);
    r.fps = r.medianMs > 0.0 ? 1000.0 / r.medianMs : 0.0;
    r.threadCpuMs = median(thread);
    r.threadCpuP99Ms = percentile99(thread);
    r.processCpuMs = median(process);
    return r;
}

// [SECTION] Output ------------------------------------------------------------------

struct Options {
    int width = 800, height = 600;  // pixels
    int fps = 60;                   // stepped clock rate
    bool noLights = false;
    int scene = 0;  // 1 to 8: play only this scene (profiling); 0: the whole show
    std::string json;
    std::string frameLog;  // one line per frame: scene, wall ms, thread CPU ms
};

void printText(const Options& o, const LoadReport& load, const std::vector<SceneReport>& scenes) {
    std::printf("show at %dx%d, stepped clock %d fps%s\n", o.width, o.height, o.fps, o.noLights ? ", no lights" : "");
    std::printf("loadShow: %.3f s wall, %.3f s cpu (main thread %.3f s)\n", load.total.wall, load.total.process,
                load.total.thread);
    if (load.matched) {
        std::printf("  pictures %.3f s, bitmaps %.3f s, scene files %.3f s, emitters %.3f s, loading screens %.3f s\n",
                    load.kinds[kPictures], load.kinds[kBitmaps], load.kinds[kSceneFiles], load.kinds[kEmitters],
                    load.screens);
    } else {
        std::printf("  (loading screens do not match the step table: no split)\n");
    }
    for (const SceneReport& s : scenes) {
        std::printf(
            "scene %d: %5ld frames  median %6.2f ms  p99 %6.2f ms  %6.1f fps  cpu median: thread %6.2f ms "
            "(p99 %6.2f ms), process %6.2f ms\n",
            s.scene, s.frames, s.medianMs, s.p99Ms, s.fps, s.threadCpuMs, s.threadCpuP99Ms, s.processCpuMs);
    }
}

bool writeJson(const Options& o, const LoadReport& load, const std::vector<SceneReport>& scenes) {
    FILE* file = std::fopen(o.json.c_str(), "w");
    if (file == nullptr) return false;
    std::fprintf(file, "{\n  \"width\": %d, \"height\": %d, \"fps\": %d, \"no_lights\": %s,\n", o.width, o.height,
                 o.fps, o.noLights ? "true" : "false");
    std::fprintf(file, "  \"load\": {\"wall_s\": %.4f, \"cpu_s\": %.4f, \"thread_cpu_s\": %.4f", load.total.wall,
                 load.total.process, load.total.thread);
    if (load.matched) {
        for (int k = 0; k < kStepKinds; ++k) std::fprintf(file, ", \"%s_s\": %.4f", kStepNames[k], load.kinds[k]);
        std::fprintf(file, ", \"loading_screens_s\": %.4f", load.screens);
    }
    std::fprintf(file, "},\n  \"scenes\": [\n");
    for (size_t i = 0; i < scenes.size(); ++i) {
        const SceneReport& s = scenes[i];
        std::fprintf(file,
                     "    {\"scene\": %d, \"frames\": %ld, \"median_ms\": %.3f, \"p99_ms\": %.3f, \"fps\": %.2f, "
                     "\"thread_cpu_median_ms\": %.3f, \"thread_cpu_p99_ms\": %.3f, "
                     "\"process_cpu_median_ms\": %.3f}%s\n",
                     s.scene, s.frames, s.medianMs, s.p99Ms, s.fps, s.threadCpuMs, s.threadCpuP99Ms, s.processCpuMs,
                     i + 1 < scenes.size() ? "," : "");
    }
    std::fprintf(file, "  ]\n}\n");
    return std::fclose(file) == 0;
}

// Every measured frame in order, for finding where the slow ones fall.
bool writeFrameLog(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) return false;
    for (size_t i = 0; i < bench.count; ++i) {
        const Frame& f = bench.frames[i];
        std::fprintf(file, "%d %.3f %.3f\n", f.scene, f.spent.wall * 1000.0, f.spent.thread * 1000.0);
    }
    return std::fclose(file) == 0;
}

bool parseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (option == "--no-lights") {
            o.noLights = true;
        } else if (option == "--size" && value && std::sscanf(value, "%dx%d", &o.width, &o.height) == 2) {
            ++i;
        } else if (option == "--fps" && value && (o.fps = std::atoi(value)) >= 1 && o.fps <= 1000) {
            ++i;
        } else if (option == "--scene" && value && (o.scene = std::atoi(value)) >= 1 && o.scene <= kShowSceneCount) {
            ++i;
        } else if (option == "--frame-log" && value) {
            o.frameLog = value;
            ++i;
        } else if (option == "--json" && value) {
            o.json = value;
            ++i;
        } else {
            std::fprintf(stderr,
                         "usage: bench_show [--size WxH] [--fps N] [--no-lights] [--scene N] [--json FILE] "
                         "[--frame-log FILE]\n");
            return false;
        }
    }
    return o.width >= 1 && o.height >= 1 && o.width <= 16384 && o.height <= 16384;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parseOptions(argc, argv, o)) return 2;
    resetRunSettings();
    runSettings.width = o.width;
    runSettings.height = o.height;
    runSettings.fullscreen = false;
    runSettings.noMusic = true;
    runSettings.noLights = o.noLights;
    useSteppedClock(1000.0 / o.fps);
    if (!enterDataDirectory()) return 1;
    if (!openShowWindow()) return 1;
    bench.frames.resize(static_cast<size_t>(showLengthSeconds() * o.fps * 1.1) + 1000);
    bench.loadingMarks.reserve(256);
    loadingScreenObserver = onLoadingScreen;
    const Instant loadStart = now();
    loadShow();
    const LoadReport load = splitLoad(loadStart, now());
    loadingScreenObserver = nullptr;
    presentHook = onPresent;
    bench.last = now();
    if (o.scene != 0) {
        playShowScene(o.scene);  // from the loading's pictures, not the scene before
    } else {
        playShowScenes();
    }
    presentHook = nullptr;
    releaseShow();
    shutdownWindow();
    std::vector<SceneReport> scenes;
    for (int scene = 1; scene <= kShowSceneCount; ++scene) {
        if (o.scene == 0 || scene == o.scene) scenes.push_back(sceneReport(scene));
    }
    printText(o, load, scenes);
    if (!o.json.empty() && !writeJson(o, load, scenes)) {
        std::fprintf(stderr, "bench_show: cannot write %s\n", o.json.c_str());
        return 1;
    }
    if (!o.frameLog.empty() && !writeFrameLog(o.frameLog)) {
        std::fprintf(stderr, "bench_show: cannot write %s\n", o.frameLog.c_str());
        return 1;
    }
    return 0;
}
