#include "app/RunShow.h"

#include <cstdio>

#include "app/FrameCapture.h"
#include "core/RunSettings.h"
#include "media/Music.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

int playShow(const ShowPasses& passes) {
    if (!openShowWindow()) return 1;
    loadShow();
    for (int pass = 1; passes.forever || pass <= passes.count; ++pass) {
        if (showQuitRequested()) break;
        beginShowPass(pass);
        if (!runSettings.noMusic && pass == 1) startMusic("data/zik.mp3", passes.startAt);
        if (!runSettings.noMusic && pass > 1) restartMusic(passes.startAt);
        markShowStart(pass);
        playShowScenes(passes.startAt);
    }
    if (!runSettings.noMusic) stopMusic();
    releaseShow();
    shutdownWindow();
    if (framesMissed() > 0) {
        std::fprintf(stderr, "orvane: %d requested frame time(s) lie past the end of the show\n", framesMissed());
    }
    return 0;
}
