// Message boxes: a blocking SDL box in an interactive run, a line on
// standard error in a headless one.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/Platform.h"

namespace {

bool forcedHeadless = false;
int boxCount = 0;

bool envSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] != '\0';
}

bool headlessFromEnvironment() {
    if (envSet("ORVANE_HEADLESS") && std::strcmp(std::getenv("ORVANE_HEADLESS"), "1") == 0) return true;
#ifdef _WIN32
    return false;  // Windows always has a desktop to show a box on
#else
    return !envSet("DISPLAY") && !envSet("WAYLAND_DISPLAY");
#endif
}

}  // namespace

void setHeadlessMessages(bool headless) { forcedHeadless = headless; }

bool headlessMessages() { return forcedHeadless || clockIsStepped() || headlessFromEnvironment(); }

int messageBoxCount() { return boxCount; }

void showMessageBox(const char* text, const char* caption) {
    ++boxCount;
    if (text == nullptr) text = "";
    if (caption == nullptr) caption = "";
    if (!headlessMessages() && SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption, text, nullptr) == 0) {
        return;
    }
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}
