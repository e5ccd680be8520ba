// The --capture run: refusals first, then the show in a window on the stepped
// clock with every frame streamed to ffmpeg, then the finished file.
#include "app/VideoCaptureRun.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/DataDirectory.h"
#include "app/FrameCapture.h"
#include "app/OptionValues.h"
#include "app/RunShow.h"
#include "app/VideoCapture.h"
#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "scenes/ShowPlan.h"
#include "window/ShowWindow.h"

namespace {

constexpr int kFailedExit = 1;
constexpr const char* kSoundtrack = "data/zik.mp3";

// Makes FILE.part, so an unwritable FILE is refused before the show; ffmpeg
// later writes over it.
bool partIsWritable(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        std::fprintf(stderr, "orvane: cannot write %s: it is a folder\n", path.c_str());
        return false;
    }
    const std::string part = path + ".part";
    FILE* file = std::fopen(part.c_str(), "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "orvane: cannot write %s: %s\n", part.c_str(), std::strerror(errno));
        return false;
    }
    std::fclose(file);
    return true;
}

// The refusals: container, ffmpeg, a writable FILE.part. 0 when ready.
int refusal(const std::string& path) {
    if (!videoCaptureAvailable()) {
        std::fprintf(stderr, "orvane: --capture is not available in this build; record the screen instead\n");
        return kUsageExit;
    }
    if (containerFor(path).empty()) {
        std::fprintf(stderr, "orvane: --capture writes .mp4, .mov or .mkv files, not %s\n", path.c_str());
        return kUsageExit;
    }
    if (findFfmpeg().empty()) {
        std::fprintf(stderr,
                     "orvane: --capture needs ffmpeg, and there is none on PATH (Debian: apt install ffmpeg)\n");
        return kUsageExit;
    }
    return partIsWritable(path) ? 0 : kUsageExit;
}

std::string soundtrack(bool noMusic) {
    if (noMusic) return "";
    std::error_code error;
    if (std::filesystem::is_regular_file(kSoundtrack, error)) return std::filesystem::absolute(kSoundtrack).string();
    std::fprintf(stderr, "orvane: %s is missing: the video has no sound\n", kSoundtrack);
    return "";
}

VideoCaptureSetup setupFor(const CommandLine& line, const std::string& path) {
    VideoCaptureSetup setup;
    setup.path = path;
    setup.fps = line.capture.fps > 0 ? line.capture.fps : kDefaultCaptureFps;
    setup.width = runSettings.width;
    setup.height = runSettings.height;
    setup.stopAtLength = line.capture.stopAfter > 0.0;
    setup.lengthSeconds = setup.stopAtLength ? line.capture.stopAfter : showLengthSeconds() - line.startAt;
    setup.music = soundtrack(line.noMusic);
    setup.musicFrom = line.startAt;
    return setup;
}

}  // namespace

int runVideoCapture(const CommandLine& line) {
    // Ctrl-C from here on ends the run through the clean-up below.
    installQuitSignals();
    const std::string& path = line.capture.path;  // absolute: anchorPathOptions
    if (const int refused = refusal(path)) return refused;
    enterDataDirectory();
    const VideoCaptureSetup setup = setupFor(line, path);
    // The soundtrack goes into the file; the live run is silent and windowed.
    runSettings.fullscreen = false;
    runSettings.noMusic = true;
    useSteppedClock(1000.0 / setup.fps);
    if (!line.framesAt.empty() && !setFrameCaptures(line.framesAt, line.framesDir, setup.width, setup.height)) {
        std::filesystem::remove(path + ".part");
        return kUsageExit;
    }
    if (!startVideoCapture(setup)) {
        finishVideoCapture(true);
        return kFailedExit;
    }
    const int shown = playShow(ShowPasses{1, false, line.startAt});
    const bool interrupted = shown != 0 || (showQuitRequested() && !videoCaptureEnded());
    if (!finishVideoCapture(interrupted)) {
        std::fprintf(stderr, "orvane: %s%s not written\n", interrupted ? "capture interrupted: " : "", path.c_str());
        return kFailedExit;
    }
    std::fprintf(stderr, "orvane: wrote %s (%ld frames at %d fps)\n", path.c_str(), videoFramesWritten(), setup.fps);
    return 0;
}
