// Parsing of --view, --frames, --seconds, --emitters and --textures.
#include "app/SceneViewerOptions.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "app/OptionValues.h"

namespace {

constexpr int kMaxViewFrames = 65535;        // a key frame number is 16 bits
constexpr double kMaxViewSeconds = 86400.0;  // one loop of the animation
constexpr int kEmitterFields = 5;
constexpr double kMaxEmitterCapacity = 100000.0;  // particles per emitter
constexpr double kMaxEmitterRate = 100000.0;      // particles per second
constexpr double kMaxEmitterLength = 1.0e6;       // size and rise, scene units
constexpr double kMaxEmitterLifetime = 3600.0;    // seconds

// "CAPACITY,LIFETIME,RATE,SIZE,RISE", each within the particle code's limits.
bool parseEmitters(const char* text, ViewEmitters& emitters) {
    double field[kEmitterFields] = {};
    const char* start = text;
    for (int i = 0; i < kEmitterFields; ++i) {
        const char* stop = start;
        while (*stop != '\0' && *stop != ',') ++stop;
        if (!parseNumber(std::string(start, stop), &field[i])) return false;
        if ((*stop == ',') != (i < kEmitterFields - 1)) return false;
        start = stop + 1;
    }
    const bool ok = isWhole(field[0]) && field[0] >= 1 && field[0] <= kMaxEmitterCapacity && field[1] > 0.0 &&
                    field[1] <= kMaxEmitterLifetime && isWhole(field[2]) && field[2] >= 0 &&
                    field[2] <= kMaxEmitterRate && field[3] >= 0.0 && field[3] <= kMaxEmitterLength &&
                    std::fabs(field[4]) <= kMaxEmitterLength;
    if (!ok) return false;
    emitters = {true,
                static_cast<int>(field[0]),
                static_cast<float>(field[1]),
                static_cast<int>(field[2]),
                static_cast<float>(field[3]),
                static_cast<float>(field[4])};
    return true;
}

}  // namespace

bool isViewOption(const std::string& option) {
    return option == "--view" || option == "--frames" || option == "--seconds" || option == "--emitters" ||
           option == "--textures";
}

bool parseViewOption(const std::string& option, const char* value, ViewOptions& view, std::string& error) {
    double number = 0.0;
    if (option == "--view") {
        view.path = value;
        if (!view.path.empty()) return true;
        error = "--view wants a 3DS file";
    } else if (option == "--frames") {
        if (parseNumber(value, &number) && isWhole(number) && number >= 1 && number <= kMaxViewFrames) {
            view.frames = static_cast<int>(number);
            return true;
        }
        error = "--frames wants a whole number of animation frames from 1 to 65535";
    } else if (option == "--seconds") {
        if (parseNumber(value, &number) && number > 0.0 && number <= kMaxViewSeconds) {
            view.seconds = number;
            return true;
        }
        error = "--seconds wants the length of one loop in seconds, above 0";
    } else if (option == "--textures") {
        view.texturesDir = value;
        std::error_code code;
        if (std::filesystem::is_directory(view.texturesDir, code)) return true;
        error = "--textures wants a folder of texture pictures";
    } else {
        if (parseEmitters(value, view.emitters)) return true;
        error = "--emitters wants CAPACITY,LIFETIME,RATE,SIZE,RISE, for example 1000,1.0,100,10,0";
    }
    return false;
}

bool viewOptionsFit(const ViewOptions& view, std::string& error) {
    if (!view.path.empty() ||
        (view.frames == 0 && view.seconds == 0.0 && !view.emitters.attach && view.texturesDir.empty()))
        return true;
    error = "--frames, --seconds, --emitters and --textures go with --view";
    return false;
}
