#include "scenes/SceneTimings.h"

#include <cstdio>

#include "platform/Platform.h"

namespace {

// Records by scene (index 0 takes loops run outside the run sequence).
struct TimingState {
    SceneTiming records[kShowSceneCount + 1];
    int current = 0;
    double wallStart = 0.0;
    bool printed = false;
};
TimingState timings;

}  // namespace

void beginSceneTimings(int scene, float duration) {
    timings.current = scene >= 1 && scene <= kShowSceneCount ? scene : 0;
    SceneTiming& record = timings.records[timings.current];
    record = SceneTiming{};
    record.scene = timings.current;
    record.duration = duration;
    timings.wallStart = wallClockSeconds();
}

void noteSceneFrame(float elapsed) {
    SceneTiming& record = timings.records[timings.current];
    if (record.frames == 0) record.firstElapsed = elapsed;
    record.lastElapsed = elapsed;
    ++record.frames;
}

void endSceneTimings() {
    SceneTiming& record = timings.records[timings.current];
    record.wallSeconds = wallClockSeconds() - timings.wallStart;
    if (timings.printed && record.scene != 0 && record.frames > 0) {
        const double fps = record.wallSeconds > 0.0 ? record.frames / record.wallSeconds : 0.0;
        std::printf("scene %d: duration %.1f s, %ld frames, first elapsed %.3f s, last elapsed %.3f s, %.1f fps\n",
                    record.scene, record.duration, record.frames, record.firstElapsed, record.lastElapsed, fps);
        std::fflush(stdout);
    }
    timings.current = 0;
}

int timedSceneNow() { return timings.current; }

void setTimingsPrinted(bool printed) { timings.printed = printed; }

const SceneTiming& sceneTiming(int scene) {
    return timings.records[scene >= 1 && scene <= kShowSceneCount ? scene : 0];
}
