#include "app/RunShow.h"

#include <cstdio>

#include "app/FrameCapture.h"
#include "core/RunSettings.h"
#include "media/Music.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

int playShow() {
    if (!openShowWindow()) return 1;
    loadShow();
    if (!runSettings.noMusic) startMusic("data/zik.mp3");
    markShowStart();
    playShowScenes();
    if (!runSettings.noMusic) stopMusic();
    releaseShow();
    shutdownWindow();
    if (framesMissed() > 0) {
        std::fprintf(stderr, "orvane: %d requested frame time(s) lie past the end of the show\n", framesMissed());
    }
    return 0;
}
