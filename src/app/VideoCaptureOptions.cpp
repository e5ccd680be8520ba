// Parsing of --capture, --fps and --stop-after.
#include "app/VideoCaptureOptions.h"

#include "app/OptionValues.h"

namespace {

constexpr int kMaxCaptureFps = 240;        // frames per second
constexpr double kMaxStopAfter = 86400.0;  // seconds of show time

}  // namespace

bool isCaptureOption(const std::string& option) {
    return option == "--capture" || option == "--fps" || option == "--stop-after";
}

bool parseCaptureOption(const std::string& option, const char* value, CaptureOptions& capture, std::string& error) {
    double number = 0.0;
    if (option == "--capture") {
        capture.path = value;
        return !capture.path.empty() || failWith(error, "--capture wants a video file, such as show.mp4");
    }
    if (option == "--fps") {
        const bool ok = parseNumber(value, &number) && isWhole(number) && number >= 1.0 && number <= kMaxCaptureFps;
        capture.fps = ok ? static_cast<int>(number) : 0;
        return ok || failWith(error, "--fps wants a whole number of frames per second from 1 to 240");
    }
    const bool ok = parseNumber(value, &number) && number > 0.0 && number <= kMaxStopAfter;
    capture.stopAfter = ok ? number : 0.0;
    return ok || failWith(error, "--stop-after wants a number of seconds of show time above 0");
}

bool captureOptionsFit(const CaptureOptions& capture, double fixedFps, bool viewing, std::string& error) {
    if (capture.path.empty()) {
        if (capture.fps != 0) return failWith(error, "--fps goes with --capture");
        if (capture.stopAfter != 0.0) return failWith(error, "--stop-after goes with --capture");
        return true;
    }
    if (fixedFps != 0.0) return failWith(error, "--capture sets the clock itself: use --fps instead of --fixed-fps");
    if (viewing) return failWith(error, "--capture records the show, not --view");
    return true;
}
