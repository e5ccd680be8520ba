// The show window on SDL2: display mode, window, OpenGL context, present,
// cursor. Events live in PlatformEvents.cpp, signals in QuitSignals.cpp.
#include <SDL.h>
#include <SDL_opengl.h>

#include <cstdio>
#include <cstdlib>

#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "platform/ScaledTarget.h"

namespace {

// Window state (lifetime: from openPlatformWindow to closePlatformWindow).
struct WindowState {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    bool videoStarted = false;
    bool modeChosen = false;
    SDL_DisplayMode fullscreenMode{};
    bool cursorHidden = false;
    bool scaled = false;  // a desktop-sized window shows an offscreen frame
    int drawWidth = 0;    // the frame's size when scaled
    int drawHeight = 0;
    bool exitHookInstalled = false;
    long presented = 0;
    char error[256] = "";
};
WindowState state;

// The pixel formats tried in order: the requested 32-bit colour and depth
// first, then the closest smaller ones.
struct FormatTry {
    int bufferBits;  // 0: leave the total colour size to the system
    int depthBits;
};
constexpr FormatTry kFormatTries[] = {{32, 32}, {0, 32}, {32, 24}, {0, 24}, {0, 16}};

void keepError(const char* what) { std::snprintf(state.error, sizeof state.error, "%s: %s", what, SDL_GetError()); }

void closeAtExit() { closePlatformWindow(); }

// SDL falls back to its offscreen or dummy driver when no display exists;
// the show takes those only when asked for by name.
bool drawsNowhere() {
    const char* chosen = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (chosen == nullptr || (asked != nullptr && asked[0] != '\0')) return false;
    return SDL_strcmp(chosen, "offscreen") == 0 || SDL_strcmp(chosen, "dummy") == 0;
}

bool startVideo() {
    if (state.videoStarted) return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        keepError("no video device");
        return false;
    }
    if (drawsNowhere()) {
        std::snprintf(state.error, sizeof state.error,
                      "no display (set DISPLAY, or SDL_VIDEODRIVER=offscreen to draw without one)");
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    state.videoStarted = true;
    if (!state.exitHookInstalled) {
        std::atexit(closeAtExit);
        state.exitHookInstalled = true;
    }
    return true;
}

void requestFormat(const FormatTry& format) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    if (format.bufferBits > 0) SDL_GL_SetAttribute(SDL_GL_BUFFER_SIZE, format.bufferBits);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, format.depthBits);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
}

SDL_Window* createWindowWithClosestFormat(const char* title, int width, int height, Uint32 flags) {
    for (const FormatTry& format : kFormatTries) {
        requestFormat(format);
        SDL_Window* window = SDL_CreateWindow(title, 0, 0, width, height, flags);
        if (window != nullptr) return window;
    }
    keepError("no window with an OpenGL pixel format");
    return nullptr;
}

bool enterFullscreen() {
    if (SDL_SetWindowDisplayMode(state.window, &state.fullscreenMode) != 0 ||
        SDL_SetWindowFullscreen(state.window, SDL_WINDOW_FULLSCREEN) != 0) {
        keepError("full-screen mode refused");
        return false;
    }
    return true;
}

}  // namespace

// [SECTION] Display mode -----------------------------------------------------

ModeSwitch switchDesktopMode(int width, int height) {
    SDL_DisplayMode current{};
    if (!startVideo() || SDL_GetCurrentDisplayMode(0, &current) != 0) return ModeSwitch::noCurrentMode;
    SDL_DisplayMode wanted = current;
    wanted.w = width;
    wanted.h = height;
    SDL_DisplayMode found{};
    if (SDL_GetClosestDisplayMode(0, &wanted, &found) == nullptr || found.w != width || found.h != height) {
        return ModeSwitch::notCompatible;
    }
    // Depth and refresh stay as the desktop has them.
    found.format = current.format;
    found.refresh_rate = current.refresh_rate;
    state.fullscreenMode = found;
    state.modeChosen = true;
    return ModeSwitch::switched;
}

// [SECTION] Window and context -----------------------------------------------

bool openPlatformWindow(const char* title, int width, int height, WindowStyle style) {
    if (state.window != nullptr) return true;
    if (!startVideo()) return false;
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if (style == WindowStyle::windowed) flags |= SDL_WINDOW_RESIZABLE;
    if (style != WindowStyle::windowed) flags |= SDL_WINDOW_BORDERLESS;
    if (style == WindowStyle::scaled) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    state.scaled = style == WindowStyle::scaled;
    state.drawWidth = width;
    state.drawHeight = height;
    int windowWidth = width, windowHeight = height;
    SDL_Rect desktop{};
    if (state.scaled && SDL_GetDisplayBounds(0, &desktop) == 0) {
        // Sized to the desktop itself too: without a window manager the
        // full-screen flag alone leaves the window at its requested size.
        windowWidth = desktop.w;
        windowHeight = desktop.h;
    }
    state.window = createWindowWithClosestFormat(title, windowWidth, windowHeight, flags);
    if (state.window == nullptr) return false;
    if (style == WindowStyle::fullscreen && state.modeChosen && !enterFullscreen()) {
        std::fprintf(stderr, "orvane: %s; staying borderless\n", state.error);
    }
    SDL_ShowWindow(state.window);
    SDL_RaiseWindow(state.window);
    state.presented = 0;
    return true;
}

bool platformWindowOpen() { return state.window != nullptr; }

bool windowHasPixelFormat() {
    return state.window != nullptr && (SDL_GetWindowFlags(state.window) & SDL_WINDOW_OPENGL) != 0;
}

bool createPlatformContext() {
    if (state.window == nullptr) return false;
    if (state.context == nullptr) state.context = SDL_GL_CreateContext(state.window);
    if (state.context == nullptr) {
        keepError("no OpenGL context");
        return false;
    }
    if (SDL_GL_MakeCurrent(state.window, state.context) != 0) {
        keepError("OpenGL context not current");
        return false;
    }
    setVsync(false);
    if (state.scaled && !openScaledTarget(state.drawWidth, state.drawHeight, currentPixelFormat().depthBits)) {
        // No offscreen drawing: the frame stays at its size in the top-left corner.
        state.scaled = false;
        SDL_SetWindowFullscreen(state.window, 0);
        SDL_SetWindowSize(state.window, state.drawWidth, state.drawHeight);
        SDL_SetWindowPosition(state.window, 0, 0);
    }
    return true;
}

void setVsync(bool on) {
    if (on && (SDL_GL_SetSwapInterval(-1) == 0 || SDL_GL_SetSwapInterval(1) == 0)) return;
    SDL_GL_SetSwapInterval(0);
}

PixelFormatInfo currentPixelFormat() {
    PixelFormatInfo info;
    if (state.context == nullptr) return info;
    int red = 0, green = 0, blue = 0, alpha = 0, doubleBuffer = 0;
    SDL_GL_GetAttribute(SDL_GL_RED_SIZE, &red);
    SDL_GL_GetAttribute(SDL_GL_GREEN_SIZE, &green);
    SDL_GL_GetAttribute(SDL_GL_BLUE_SIZE, &blue);
    SDL_GL_GetAttribute(SDL_GL_ALPHA_SIZE, &alpha);
    SDL_GL_GetAttribute(SDL_GL_DEPTH_SIZE, &info.depthBits);
    SDL_GL_GetAttribute(SDL_GL_DOUBLEBUFFER, &doubleBuffer);
    info.colorBits = red + green + blue + alpha;
    info.doubleBuffered = doubleBuffer != 0;
    return info;
}

void windowClientSize(int* width, int* height) {
    int w = 0, h = 0;
    if (state.scaled) {
        // The frame's own size, from the window's opening on.
        w = state.drawWidth;
        h = state.drawHeight;
    } else if (state.window != nullptr) {
        SDL_GL_GetDrawableSize(state.window, &w, &h);
    }
    if (width != nullptr) *width = w;
    if (height != nullptr) *height = h;
}

const char* platformError() { return state.error; }

void readDrawnFrame() {
    if (scaledTargetActive()) {
        bindScaledTarget();
    } else {
        glReadBuffer(GL_BACK);
    }
}

void presentFrame() {
    if (state.window != nullptr && scaledTargetActive()) {
        int width = 0, height = 0;
        SDL_GL_GetDrawableSize(state.window, &width, &height);
        drawScaledTarget(width, height);
        SDL_GL_SwapWindow(state.window);
        bindScaledTarget();
    } else if (state.window != nullptr) {
        SDL_GL_SwapWindow(state.window);
    }
    ++state.presented;
    advanceSteppedClock();
}

long presentedFrameCount() { return state.presented; }

void setCursorVisible(bool visible) {
    if (!startVideo()) return;
    SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
    state.cursorHidden = !visible;
}

void setWindowTitle(const char* title) {
    if (state.window != nullptr) SDL_SetWindowTitle(state.window, title);
}

void closePlatformWindow() {
    if (state.context != nullptr) {
        closeScaledTarget();
        SDL_GL_MakeCurrent(state.window, nullptr);
        SDL_GL_DeleteContext(state.context);
        state.context = nullptr;
    }
    if (state.window != nullptr) {
        // Leaving full screen puts the desktop mode back.
        SDL_SetWindowFullscreen(state.window, 0);
        SDL_DestroyWindow(state.window);
        state.window = nullptr;
    }
    if (state.cursorHidden) setCursorVisible(true);
    state.modeChosen = false;
    state.scaled = false;
    if (state.videoStarted) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        state.videoStarted = false;
    }
}

// The window's SDL id, for events pushed by tests.
Uint32 platformWindowId() { return state.window != nullptr ? SDL_GetWindowID(state.window) : 0; }
