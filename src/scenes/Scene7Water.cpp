// Scene 7: the water animation, with the title picture swinging back in over
// its last two seconds.
#include "scenes/Scene7Water.h"

#include "scenes/Layers.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

bool returningTitleShown(float e, float duration) { return !(duration - kTitleReturnSeconds > e); }

void drawScene7Frame(Scene& scene, float e, float duration) {
    clearFrame();
    scene.render();
    if (!returningTitleShown(e, duration)) return;
    // From edge-on at depth -6 to facing the viewer at depth -2.
    const float t = e - (duration - kTitleReturnSeconds);
    drawTitle(2.0f * t - 6.0f, 90.0f - 45.0f * t);
}

void playScene7(float duration) {
    Scene* playable = playableScene(7);
    if (!playable) {
        playRefusedScene(duration, false);
        return;
    }
    Scene& scene = *playable;
    SceneClock clock;
    while (clock.running(duration)) {
        const bool drawn = clock.tick();
        const float e = clock.elapsed;
        scene.frame = sceneFrame(scenePlan(7), e, duration);
        scene.rewind();
        scene.evaluateKeyframes();
        if (!drawn) {
            scene.updateEmitters();
            clock.skipFrame();
            continue;
        }
        drawScene7Frame(scene, e, duration);
        pumpFrame();
    }
}
