// The eight scene functions in the show's order, each for its duration.
#include "scenes/SceneLoop.h"
#include "scenes/SceneTimings.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

namespace {

void (*const kSceneFunctions[kShowSceneCount])(float duration) = {
    playScene1, playScene2, playScene3, playScene4, playScene5, playScene6, playScene7, playScene8,
};

}  // namespace

void playShowScene(int n) {
    if (n < 1 || n > kShowSceneCount) return;
    const float duration = scenePlan(n).duration;
    enterPlannedScene(n);
    beginSceneTimings(n, duration);
    kSceneFunctions[n - 1](duration);
    endSceneTimings();
}

void playShowScenes(double startAt) {
    startShowAt(startAt);
    for (int n = 1; n <= kShowSceneCount; ++n) {
        if (showQuitRequested()) break;
        playShowScene(n);
    }
}
