// Looping benchmark: loads the show once and plays it several times on the
// stepped clock, as --loop does, printing after each pass what a loop must
// not grow: resident memory, open files and live GL texture names.
// usage: bench_loop [--passes N] [--fps N] [--size WxH]   (run from a build
// folder holding data/, under a display)
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/DataDirectory.h"
#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "scenes/Show.h"
#include "window/ShowWindow.h"

namespace {

long residentKb() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    }
    return -1;
}

long openFiles() {
    long count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
    return count;
}

// Texture names the show could have made: every name GL still knows.
int liveTextures() {
    constexpr GLuint kHighestName = 4096;
    int live = 0;
    for (GLuint name = 1; name <= kHighestName; ++name) live += glIsTexture(name) ? 1 : 0;
    return live;
}

}  // namespace

int main(int argc, char** argv) {
    int passes = 3;
    int fps = 30;
    int width = 800;
    int height = 600;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--passes")) passes = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--fps")) fps = std::atoi(argv[i + 1]);
        if (!std::strcmp(argv[i], "--size")) std::sscanf(argv[i + 1], "%dx%d", &width, &height);
    }
    if (passes < 1 || fps < 1 || width < 1 || height < 1) {
        std::fprintf(stderr, "usage: bench_loop [--passes N] [--fps N] [--size WxH]\n");
        return 2;
    }
    resetRunSettings();
    runSettings.width = width;
    runSettings.height = height;
    runSettings.fullscreen = false;
    runSettings.noMusic = true;
    useSteppedClock(1000.0 / fps);
    if (!enterDataDirectory() || !openShowWindow()) return 1;
    loadShow();
    std::printf("after loading: resident %ld kB, open files %ld, GL textures %d\n", residentKb(), openFiles(),
                liveTextures());
    long firstResident = 0;
    for (int pass = 1; pass <= passes; ++pass) {
        beginShowPass(pass);
        playShowScenes();
        const long resident = residentKb();
        if (pass == 1) firstResident = resident;
        std::printf("after pass %d: resident %ld kB (%+.2f %% of pass 1), open files %ld, GL textures %d\n", pass,
                    resident, 100.0 * (resident - firstResident) / firstResident, openFiles(), liveTextures());
    }
    releaseShow();
    shutdownWindow();
    return 0;
}
