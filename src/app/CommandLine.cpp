#include "app/CommandLine.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#include "app/OptionValues.h"
#include "core/RunSettings.h"
#include "scenes/ShowPlan.h"

namespace {

constexpr int kMaxSide = 16384;          // pixels
constexpr double kMaxFixedFps = 1000.0;  // frames per second
constexpr size_t kMaxCaptureTimes = 10000;
constexpr double kMaxPasses = 1000000.0;  // --loop N

bool parseSide(const char* begin, const char* end, int* side) {
    if (begin == end || end - begin > 6) return false;
    int value = 0;
    for (const char* c = begin; c != end; ++c) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + (*c - '0');
    }
    *side = value;
    return value >= 1 && value <= kMaxSide;
}

bool parseSize(const char* text, CommandLine& line) {
    const char* x = std::strchr(text, 'x');
    if (x == nullptr) return false;
    return parseSide(text, x, &line.width) && parseSide(x + 1, text + std::strlen(text), &line.height);
}

bool parseTimes(const char* text, CommandLine& line) {
    std::string list(text);
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        if (comma == std::string::npos) comma = list.size();
        double time = 0.0;
        if (!parseNumber(list.substr(start, comma - start), &time) || time < 0.0) return false;
        if (line.framesAt.size() >= kMaxCaptureTimes) return false;
        line.framesAt.push_back(time);
        start = comma + 1;
    }
    return !line.framesAt.empty();
}

bool fail(CommandLine& line, const std::string& message) { return failWith(line.error, message); }

// An option with a value: checks the value exists and parses it.
bool parseValued(const std::string& option, const char* value, CommandLine& line) {
    if (value == nullptr) return fail(line, option + " needs a value");
    if (isViewOption(option)) return parseViewOption(option, value, line.view, line.error);
    if (isCaptureOption(option)) return parseCaptureOption(option, value, line.capture, line.error);
    if (option == "--size") {
        return parseSize(value, line) || fail(line, "--size wants WIDTHxHEIGHT, for example 1024x768");
    }
    if (option == "--fixed-fps") {
        const bool ok = parseNumber(value, &line.fixedFps) && line.fixedFps > 0.0 && line.fixedFps <= kMaxFixedFps;
        return ok || fail(line, "--fixed-fps wants a number of frames per second from 1 to 1000");
    }
    if (option == "--frames-at") {
        return parseTimes(value, line) || fail(line, "--frames-at wants show times in seconds, such as 1,6.5,30");
    }
    if (option == "--frames-dir") {
        line.framesDir = value;
        return !line.framesDir.empty() || fail(line, "--frames-dir wants a folder");
    }
    if (option == "--start-at") {
        const bool ok = parseNumber(value, &line.startAt) && line.startAt >= 0.0 && line.startAt <= showLengthSeconds();
        return ok || fail(line, "--start-at wants a show time in seconds from 0 to 229.5");
    }
    line.inspectPath = value;  // --inspect
    return !line.inspectPath.empty() || fail(line, "--inspect wants a 3DS file");
}

bool takesValue(const std::string& option) {
    return option == "--size" || option == "--fixed-fps" || option == "--frames-at" || option == "--frames-dir" ||
           option == "--inspect" || option == "--start-at" || isViewOption(option) || isCaptureOption(option);
}

bool parseFlag(const std::string& option, CommandLine& line) {
    if (option == "--play") return line.play = true;
    if (option == "--windowed") return line.windowed = true;
    if (option == "--no-lights") return line.noLights = true;
    if (option == "--no-music") return line.noMusic = true;
    if (option == "--no-vsync") return line.noVsync = true;
    if (option == "--timings") return line.timings = true;
    if (option == "--help" || option == "-h") return line.help = true;
    if (option == "--version") return line.version = true;
    return fail(line, "unknown option '" + option + "'");
}

}  // namespace

bool parseCommandLine(int argc, const char* const* argv, CommandLine& line) {
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i] != nullptr ? argv[i] : "";
        if (takesValue(option)) {
            const char* value = i + 1 < argc ? argv[++i] : nullptr;
            if (!parseValued(option, value, line)) return false;
        } else if (option == "--loop") {
            // The count is optional: a number after --loop is its count.
            double count = 0.0;
            const bool counted = i + 1 < argc && argv[i + 1] != nullptr && parseNumber(argv[i + 1], &count);
            if (!counted) {
                line.loopForever = true;
            } else if (isWhole(count) && count >= 1.0 && count <= kMaxPasses) {
                line.passes = static_cast<int>(count);
                ++i;
            } else {
                return fail(line, "--loop wants a whole number of passes from 1, or nothing to loop until stopped");
            }
        } else if (!parseFlag(option, line)) {
            return false;
        }
    }
    if (!line.framesDir.empty() && line.framesAt.empty()) return fail(line, "--frames-dir goes with --frames-at");
    if (!viewOptionsFit(line.view, line.error)) return false;
    if (!captureOptionsFit(line.capture, line.fixedFps, !line.view.path.empty(), line.error)) return false;
    const bool looping = line.loopForever || line.passes > 1;
    if (looping && !line.view.path.empty()) return fail(line, "--loop plays the show, not --view (which loops anyway)");
    if (looping && !line.capture.path.empty()) return fail(line, "--capture records one pass: leave out --loop");
    if (line.startAt > 0.0 && !line.view.path.empty()) return fail(line, "--start-at plays the show, not --view");
    return true;
}

void anchorPathOptions(CommandLine& line) {
    const auto anchor = [](std::string& path) {
        std::error_code error;
        std::filesystem::path absolute = std::filesystem::absolute(path, error).lexically_normal();
        if (error) return;  // no current folder: the write reports the path as given
        if (!absolute.has_filename()) absolute = absolute.parent_path();  // "dir/." ends in a separator
        path = absolute.string();
    };
    if (!line.framesAt.empty()) {
        if (line.framesDir.empty()) line.framesDir = ".";
        anchor(line.framesDir);
    }
    if (!line.capture.path.empty()) anchor(line.capture.path);
}

void applyCommandLine(const CommandLine& line) {
    if (line.windowed) runSettings.fullscreen = false;
    if (line.width > 0) {
        runSettings.width = line.width;
        runSettings.height = line.height;
    }
    if (line.noLights) runSettings.noLights = true;
    if (line.noMusic) runSettings.noMusic = true;
    if (line.noVsync) runSettings.vsync = false;
}

const char* commandLineHelp() {
    return "Usage: orvane [options]\n"
           "Plays the Orvane show. With no options the launch dialog comes first.\n"
           "\n"
           "  --play              skip the launch dialog and play at once\n"
           "  --windowed          play in a window instead of full screen\n"
           "  --size WxH          window size or full-screen resolution (default 800x600)\n"
           "  --no-lights         draw without the baked vertex lighting\n"
           "  --no-music          play without the soundtrack\n"
           "  --no-vsync          draw as fast as possible instead of with the display (measuring)\n"
           "  --loop [N]          play the show N times, or until stopped when N is left out\n"
           "  --start-at S        start at S seconds of show time (0 to 229.5), after loading\n"
           "  --fixed-fps N       stepped clock: every presented frame advances 1000/N ms\n"
           "  --frames-at T1,...  write a PNG of the first frame presented at or after each\n"
           "                      show time (seconds since scene 1 began)\n"
           "  --frames-dir DIR    folder for those PNGs (default: the current folder)\n"
           "  --timings           print one line per scene: duration, frames drawn, first and\n"
           "                      last elapsed time, frames per second of wall-clock time\n"
           "  --inspect FILE      print what the show uses from a 3DS file, as JSON; no window\n"
           "  --view FILE         play one 3DS file in a loop as the show draws it (times of\n"
           "                      --frames-at count from the start of the view)\n"
           "  --frames N          with --view: animation frames per loop (default: the file's)\n"
           "  --seconds S         with --view: seconds per loop (default: frames / 30)\n"
           "  --emitters LIST     with --view: attach emitters; LIST is capacity,lifetime,\n"
           "                      rate,size,rise, as 1000,1.0,100,10,0\n"
           "  --textures DIR      with --view: look for texture pictures in DIR too\n"
           "  --capture FILE      record the show to a video (.mp4, .mov or .mkv) with its\n"
           "                      soundtrack, through ffmpeg; windowed, stepped clock;\n"
           "                      exit 1 when it fails or is interrupted, 2 when refused\n"
           "  --fps N             with --capture: frames per second (default 60)\n"
           "  --stop-after S      with --capture: end after S seconds of show time\n"
           "  --help              this text\n"
           "  --version           the program's version\n"
           "\n"
           "Escape, closing the window, Ctrl-C or SIGTERM end the show early.\n"
           "\n"
           "The viewer: left drag turns the model, right or Shift+left drag moves it, the\n"
           "wheel zooms; C the file's camera, F frames the whole model; Space pauses,\n"
           "Left/Right step one animation frame, Home restarts; W wireframe, L lighting\n"
           "(file, preview, none), E emitters, T textures; F12 writes a PNG next to the\n"
           "file; Escape quits. A changed file is reloaded; a dropped .3ds file is opened.\n"
           "Exit codes: 0 after the show, 1 when no window or OpenGL context, 2 on bad usage.\n";
}
