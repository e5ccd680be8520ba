// What a scene whose file was refused plays instead of its drawing.
#include "app/ShowWindow.h"
#include "media/Textures.h"
#include "scenes/SceneFrames.h"
#include "scenes/SceneLoop.h"

void playRefusedScene(float duration, bool captures) {
    SceneClock clock;
    while (clock.running(duration)) {
        clock.tick();
        drawEmptyFrame();
    }
    if (!captures) return;
    clearFrame();
    captureCorner(kTransitionSlot);
}
