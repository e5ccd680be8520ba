#include "app/ShowWindow.h"
#include "scenes/SceneLoop.h"
#include "scenes/Show.h"

// Placeholder until the scene's own drawing lands: the frame loop alone.
void playScene3(float duration) {
    Scene& scene = *showScenes[kEntree];
    SceneClock clock;
    while (clock.running(duration)) {
        clock.tick();
        scene.frame = clock.elapsed / duration * 799;
        clearFrame();
        pumpFrame();
    }
}
