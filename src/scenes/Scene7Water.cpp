#include "app/ShowWindow.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"

// Placeholder until the scene's own drawing lands: the frame loop alone.
void playScene7(float duration) {
    Scene& scene = *showScenes[kWater];
    SceneClock clock;
    while (clock.running(duration)) {
        clock.tick();
        scene.frame = clock.elapsed / duration * 1500;
        clearFrame();
        pumpFrame();
    }
}
