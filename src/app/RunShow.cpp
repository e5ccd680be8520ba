#include "app/RunShow.h"

#include <cstdio>

#include "app/FrameCapture.h"
#include "app/ShowWindow.h"
#include "core/RunSettings.h"
#include "media/Music.h"
#include "platform/PlatformWindow.h"
#include "scenes/SceneTimings.h"
#include "scenes/Show.h"

namespace {

struct ScenePlan {
    void (*play)(float duration);
    float duration;  // seconds
};

// The show: eight scenes in order, 229.5 s in all.
constexpr ScenePlan kShowPlan[kTimedScenes] = {
    {playScene1, 6.5f}, {playScene2, 12.0f}, {playScene3, 17.0f}, {playScene4, 26.0f},
    {playScene5, 33.0f}, {playScene6, 45.0f}, {playScene7, 45.0f}, {playScene8, 45.0f},
};

}  // namespace

void playShowScene(int n) {
    if (n < 1 || n > kTimedScenes) return;
    const ScenePlan& plan = kShowPlan[n - 1];
    beginSceneTimings(n, plan.duration);
    plan.play(plan.duration);
    endSceneTimings();
}

void playShowScenes() {
    markShowStart();
    for (int n = 1; n <= kTimedScenes; ++n) {
        // A quit request skips what is left of the show.
        if (showQuitRequested()) break;
        playShowScene(n);
    }
}

double showLengthSeconds() {
    double seconds = 0.0;
    for (const ScenePlan& scene : kShowPlan) seconds += scene.duration;
    return seconds;
}

int playShow() {
    if (!createShowWindow("Orvane", runSettings.width, runSettings.height, 0, runSettings.fullscreen)) {
        std::fprintf(stderr, "orvane: cannot open the show window: %s\n", platformError());
        shutdownWindow();
        return 1;
    }
    if (initGL() == 0) {
        std::fprintf(stderr, "orvane: cannot create the OpenGL context: %s\n", platformError());
        shutdownWindow();
        return 1;
    }
    loadShow();
    if (!runSettings.noMusic) startMusic("data/zik.mp3");
    playShowScenes();
    if (!runSettings.noMusic) stopMusic();
    releaseShow();
    shutdownWindow();
    if (framesMissed() > 0) {
        std::fprintf(stderr, "orvane: %d requested frame time(s) lie past the end of the show\n", framesMissed());
    }
    return 0;
}
