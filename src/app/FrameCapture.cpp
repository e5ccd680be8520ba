#include "app/FrameCapture.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "media/Png.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"

namespace {

// Capture state (lifetime: program).
struct CaptureState {
    std::vector<double> times;  // ascending
    size_t next = 0;            // first time not yet written
    std::string folder;
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels;  // width x height x 3, top row first
    bool showStarted = false;
    int pass = 1;
    uint32_t startTick = 0;
    int written = 0;
};
CaptureState capture;

// Reads the frame being drawn into pixels (width x height x 3), top row first.
void readFrameInto(std::vector<uint8_t>& pixels, int width, int height) {
    const int rowBytes = width * 3;
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    readDrawnFrame();
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    // GL rows run bottom up: swap them in place.
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(pixels.begin() + top * rowBytes, pixels.begin() + (top + 1) * rowBytes,
                         pixels.begin() + bottom * rowBytes);
    }
}

void readBackBuffer() { readFrameInto(capture.pixels, capture.width, capture.height); }

// True when a file can be made in folder: tried, since permissions alone do
// not tell (root, read-only mounts, /proc).
bool folderTakesFiles(const std::string& folder) {
    const std::string probe = folder + "/.orvane-write-probe";
    FILE* file = std::fopen(probe.c_str(), "wb");
    if (file == nullptr) return false;
    std::fclose(file);
    std::remove(probe.c_str());
    return true;
}

}  // namespace

bool setFrameCaptures(const std::vector<double>& showTimes, const std::string& folder, int width, int height) {
    capture.times = showTimes;
    std::sort(capture.times.begin(), capture.times.end());
    capture.next = 0;
    capture.folder = folder.empty() ? std::string(".") : folder;
    capture.width = width;
    capture.height = height;
    capture.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 3, 0);
    std::error_code error;
    std::filesystem::create_directories(capture.folder, error);
    if (error || !std::filesystem::is_directory(capture.folder)) {
        std::fprintf(stderr, "orvane: cannot make the frames folder %s\n", capture.folder.c_str());
        return false;
    }
    if (!folderTakesFiles(capture.folder)) {
        std::fprintf(stderr, "orvane: cannot write to the frames folder %s\n", capture.folder.c_str());
        return false;
    }
    return true;
}

void markShowStart(int pass) {
    capture.showStarted = true;
    capture.pass = pass;
    capture.next = 0;
    capture.startTick = tickCount();
}

bool showHasStarted() { return capture.showStarted; }

std::string frameCapturePath(double showTime, int pass) {
    char name[64];
    if (pass > 1)
        std::snprintf(name, sizeof name, "frame_%08.3f-p%d.png", showTime, pass);
    else
        std::snprintf(name, sizeof name, "frame_%08.3f.png", showTime);
    return capture.folder + "/" + name;
}

void captureFrameIfDue() {
    if (!capture.showStarted || capture.next >= capture.times.size()) return;
    const double showTime = static_cast<uint32_t>(tickCount() - capture.startTick) * 0.001;
    if (showTime < capture.times[capture.next]) return;
    readBackBuffer();
    while (capture.next < capture.times.size() && capture.times[capture.next] <= showTime) {
        const std::string path = frameCapturePath(capture.times[capture.next], capture.pass);
        if (writePngRgb(path.c_str(), capture.pixels.data(), capture.width, capture.height)) {
            ++capture.written;
        } else {
            std::fprintf(stderr, "orvane: cannot write %s\n", path.c_str());
        }
        ++capture.next;
    }
}

int framesCaptured() { return capture.written; }

int framesMissed() { return static_cast<int>(capture.times.size() - capture.next); }

bool saveDrawnFrame(const std::string& path) {
    int width = 0, height = 0;
    windowClientSize(&width, &height);
    if (width <= 0 || height <= 0) return false;
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 3);  // a key press, not a frame
    readFrameInto(pixels, width, height);
    return writePngRgb(path.c_str(), pixels.data(), width, height);
}
