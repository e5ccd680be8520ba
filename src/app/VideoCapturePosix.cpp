// Video capture: the ffmpeg child (a POSIX child process), the per-frame
// read-back and the progress line.
#include "app/VideoCapture.h"

#include <GL/gl.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/FrameCapture.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "window/ShowWindow.h"

extern char** environ;

namespace {

constexpr double kProgressPeriod = 0.5;  // seconds of wall time between progress lines
constexpr const char* kAudioBitrate = "192k";

// Capture state (lifetime: from startVideoCapture to finishVideoCapture).
struct CaptureState {
    VideoCaptureSetup setup;
    std::string partPath;
    pid_t ffmpeg = -1;
    int pipe = -1;                // write end of ffmpeg's standard input
    std::vector<uint8_t> pixels;  // width x height x 3, bottom row first
    long written = 0;
    long total = 0;          // frames in lengthSeconds
    bool ended = false;      // the show was asked to end
    bool failed = false;     // ffmpeg stopped taking frames
    double wallStart = 0.0;  // seconds, first frame written
    double lastProgress = 0.0;
};
CaptureState capture;

// Even sides for yuv420p; GL rows run bottom up, so flip.
const char* const kVideoFilter = "vflip,pad=ceil(iw/2)*2:ceil(ih/2)*2";

std::vector<std::string> ffmpegArguments(const std::string& program) {
    const VideoCaptureSetup& s = capture.setup;
    std::vector<std::string> args = {program,       "-hide_banner",
                                     "-loglevel",   "error",
                                     "-nostdin",    "-y",
                                     "-f",          "rawvideo",
                                     "-pix_fmt",    "rgb24",
                                     "-video_size", std::to_string(s.width) + "x" + std::to_string(s.height),
                                     "-framerate",  std::to_string(s.fps),
                                     "-i",          "pipe:0"};
    if (!s.music.empty() && s.musicFrom > 0.0) args.insert(args.end(), {"-ss", std::to_string(s.musicFrom)});
    if (!s.music.empty()) args.insert(args.end(), {"-i", s.music});
    args.insert(args.end(), {"-map", "0:v", "-vf", kVideoFilter, "-c:v", "libx264", "-preset", "veryfast", "-crf", "18",
                             "-pix_fmt", "yuv420p"});
    // The soundtrack is padded with silence and cut where the frames end.
    if (!s.music.empty()) {
        args.insert(args.end(), {"-map", "1:a", "-af", "apad", "-c:a", "aac", "-b:a", kAudioBitrate, "-shortest"});
    }
    const std::string container = containerFor(s.path);
    if (container != "matroska") args.insert(args.end(), {"-movflags", "+faststart"});
    args.insert(args.end(), {"-f", container, capture.partPath});
    return args;
}

// Starts ffmpeg in its own process group (a terminal's Ctrl-C reaches only
// the show, which then ends the capture itself) reading from a new pipe.
bool spawnFfmpeg(const std::string& program) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[0], 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    const std::vector<std::string> args = ffmpegArguments(program);
    std::vector<char*> argv;
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const int result = posix_spawn(&capture.ffmpeg, program.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(ends[0]);
    if (result != 0) {
        close(ends[1]);
        capture.ffmpeg = -1;
        return false;
    }
    capture.pipe = ends[1];
    return true;
}

bool writeAll(const uint8_t* bytes, size_t length) {
    while (length > 0) {
        const ssize_t done = write(capture.pipe, bytes, length);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes += done;
        length -= static_cast<size_t>(done);
    }
    return true;
}

void printProgress(bool last) {
    const double now = wallClockSeconds();
    if (!last && now - capture.lastProgress < kProgressPeriod) return;
    capture.lastProgress = now;
    // The last frame of each scene may fall a step past its end: at most 100%.
    const double share = capture.total > 0 ? std::min(1.0, static_cast<double>(capture.written) / capture.total) : 1.0;
    const double spent = now - capture.wallStart;
    const long left = share > 0.0 ? std::lround(spent * (1.0 - share) / share) : 0;
    std::fprintf(stderr, "\rcapture: %3d%%  %ld/%ld frames  %ld:%02ld left ", static_cast<int>(share * 100.0),
                 capture.written, capture.total, left / 60, left % 60);
    if (last) std::fputc('\n', stderr);
    std::fflush(stderr);
}

// Waits for ffmpeg; true when it exited with status 0.
bool reapFfmpeg() {
    if (capture.ffmpeg < 0) return false;
    int status = 0;
    while (waitpid(capture.ffmpeg, &status, 0) < 0 && errno == EINTR) {}
    capture.ffmpeg = -1;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

std::string findFfmpeg() {
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t colon = folders.find(':', start);
        if (colon == std::string::npos) colon = folders.size();
        const std::string folder = colon > start ? folders.substr(start, colon - start) : ".";
        const std::string candidate = folder + "/ffmpeg";
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error) && access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = colon + 1;
    }
    return "";
}

bool videoCaptureAvailable() { return true; }

std::string containerFor(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension == ".mp4" || extension == ".MP4") return "mp4";
    if (extension == ".mov" || extension == ".MOV") return "mov";
    if (extension == ".mkv" || extension == ".MKV") return "matroska";
    return "";
}

bool startVideoCapture(const VideoCaptureSetup& setup) {
    capture = CaptureState{};
    capture.setup = setup;
    capture.partPath = setup.path + ".part";
    capture.pixels.assign(static_cast<size_t>(setup.width) * static_cast<size_t>(setup.height) * 3, 0);
    capture.total = std::lround(std::ceil(setup.lengthSeconds * setup.fps - 1e-9));
    // A failed write says so itself; the signal would end the process.
    signal(SIGPIPE, SIG_IGN);
    const std::string program = findFfmpeg();
    if (program.empty() || !spawnFfmpeg(program)) {
        std::fprintf(stderr, "orvane: cannot start ffmpeg\n");
        return false;
    }
    return true;
}

namespace {

// The show is asked to end once the capture has what it wants or ffmpeg
// has stopped taking frames.
void endCapture(bool failed) {
    capture.failed = failed;
    capture.ended = true;
    requestShowQuit();
}

}  // namespace

void captureVideoFrame() {
    if (capture.pipe < 0 || capture.ended || !showHasStarted()) return;
    if (capture.written == 0) capture.wallStart = capture.lastProgress = wallClockSeconds();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    readDrawnFrame();
    glReadPixels(0, 0, capture.setup.width, capture.setup.height, GL_RGB, GL_UNSIGNED_BYTE, capture.pixels.data());
    if (!writeAll(capture.pixels.data(), capture.pixels.size())) {
        std::fprintf(stderr, "\norvane: ffmpeg stopped taking frames\n");
        endCapture(true);
        return;
    }
    ++capture.written;
    if (capture.setup.stopAtLength && capture.written >= capture.total) endCapture(false);
    printProgress(false);
}

bool videoCaptureEnded() { return capture.ended; }

long videoFramesWritten() { return capture.written; }

bool finishVideoCapture(bool interrupted) {
    const bool complete = !interrupted && !capture.failed && capture.written > 0;
    if (capture.written > 0 && !capture.failed) printProgress(true);
    // An unfinished capture is not worth encoding to the end.
    if (!complete && capture.ffmpeg > 0) kill(capture.ffmpeg, SIGTERM);
    if (capture.pipe >= 0) close(capture.pipe);
    capture.pipe = -1;
    const bool encoded = reapFfmpeg();
    std::error_code error;
    if (complete && encoded) {
        std::filesystem::rename(capture.partPath, capture.setup.path, error);
        if (!error) return true;
        std::fprintf(stderr, "orvane: cannot rename %s to %s\n", capture.partPath.c_str(), capture.setup.path.c_str());
    } else if (complete) {
        std::fprintf(stderr, "orvane: ffmpeg could not finish %s\n", capture.setup.path.c_str());
    }
    std::filesystem::remove(capture.partPath, error);
    return false;
}
