// The show window: display mode, window, GL context and starting state,
// projection, event handling, and the two per-frame operations.
#include "window/ShowWindow.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"

namespace {

// Projection of the show (degrees, then plane distances in scene units).
constexpr double kFieldOfViewDeg = 45.0;
constexpr double kNearPlane = 0.5;
constexpr double kFarPlane = 4000.0;

// Window state (lifetime: from createShowWindow to shutdownWindow).
struct ShowWindowState {
    bool displayModeSwitched = false;
    bool contextReady = false;
    int clientWidth = 0;  // refreshed on every resize in windowed mode
    int clientHeight = 0;
    bool quitRequested = false;
};
ShowWindowState window;

// What the show answers to a window event.
void handleWindowEvent(const WindowEvent& event) {
    switch (event.kind) {
    case WindowEventKind::resize:
        if (runSettings.fullscreen) break;
        resizeView(event.width, event.height);
        windowClientSize(&window.clientWidth, &window.clientHeight);
        break;
    case WindowEventKind::close:
    case WindowEventKind::escapeKey: window.quitRequested = true; break;
    case WindowEventKind::key:
    case WindowEventKind::pointerMove:
    case WindowEventKind::wheel:
    case WindowEventKind::drop:
        if (inputHook != nullptr) inputHook(event);
        break;
    case WindowEventKind::expose:
    case WindowEventKind::other: break;
    }
}

// A new window's first events (shown, exposed, focus, a full-screen size)
// come in a burst; taking them before the first frame keeps them from
// replacing presents of the loading screens, so a stepped run draws the same
// frames whatever the window system sends then.
void settleWindow() {
    constexpr auto kQuiet = std::chrono::milliseconds(50);  // no event for this long: settled
    constexpr auto kLongest = std::chrono::milliseconds(500);
    const auto start = std::chrono::steady_clock::now();
    auto lastEvent = start;
    for (auto now = start; now - lastEvent < kQuiet && now - start < kLongest; now = std::chrono::steady_clock::now()) {
        WindowEvent event;
        if (takeWindowEvent(event)) {
            handleWindowEvent(event);
            lastEvent = std::chrono::steady_clock::now();
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
}

}  // namespace

// [SECTION] Window -----------------------------------------------------------

bool createShowWindow(const char* title, int width, int height, int style, bool fullscreen) {
    installQuitSignals();
    WindowStyle platformStyle = WindowStyle::windowed;
    if (fullscreen && style == 0) {
        switchDisplayMode(width, height);
        // Hidden whether or not the switch succeeded.
        setCursorVisible(false);
        // Without a mode of that size the show still fills the screen, scaled.
        platformStyle = window.displayModeSwitched ? WindowStyle::fullscreen : WindowStyle::scaled;
    }
    return openPlatformWindow(title, width, height, platformStyle);
}

void switchDisplayMode(int width, int height) {
    window.displayModeSwitched = false;
    switch (switchDesktopMode(width, height)) {
    case ModeSwitch::switched: window.displayModeSwitched = true; break;
    case ModeSwitch::noCurrentMode: showMessageBox("Could Not Enum Display Settings", "Error"); break;
    // The show goes on at the current resolution, scaled to fill the screen.
    case ModeSwitch::notCompatible: showMessageBox("Display Mode Not Compatible", "Error"); break;
    }
}

// [SECTION] GL context -------------------------------------------------------

int initGL() {
    windowClientSize(&window.clientWidth, &window.clientHeight);
    createGLContext(window.clientWidth, window.clientHeight);
    if (!window.contextReady) return 0;
    setInitialGLState();
    return 1;
}

bool openShowWindow() {
    if (!createShowWindow("Orvane", runSettings.width, runSettings.height, 0, runSettings.fullscreen)) {
        std::fprintf(stderr, "orvane: cannot open the show window: %s\n", platformError());
        shutdownWindow();
        return false;
    }
    if (initGL() == 0) {
        std::fprintf(stderr, "orvane: cannot create the OpenGL context: %s\n", platformError());
        shutdownWindow();
        return false;
    }
    settleWindow();
    return true;
}

void setInitialGLState() {
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
}

void createGLContext(int width, int height) {
    // A refused pixel format is reported and the context is still tried.
    setupPixelFormat();
    window.contextReady = createPlatformContext();
    if (!window.contextReady) {
        std::fprintf(stderr, "orvane: %s\n", platformError());
        return;
    }
    // The stepped clock (tests, capture, benchmarks) draws as fast as it can.
    setVsync(runSettings.vsync && !clockIsStepped());
    resizeView(width, height);
}

bool setupPixelFormat() {
    if (!windowHasPixelFormat()) {
        showMessageBox("ChoosePixelFormat failed", "Error");
        return false;
    }
    return true;
}

void resizeView(int width, int height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kFieldOfViewDeg, static_cast<double>(width) / static_cast<double>(height), kNearPlane, kFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void shutdownWindow() {
    // Context, window, then the desktop mode and cursor of a full-screen run.
    closePlatformWindow();
    window.contextReady = false;
    window.displayModeSwitched = false;
}

// [SECTION] Per frame --------------------------------------------------------

void clearFrame() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

void pumpFrame() {
    WindowEvent event;
    if (takeWindowEvent(event)) {
        handleWindowEvent(event);
        return;
    }
    if (presentHook != nullptr) presentHook();
    presentFrame();
}

void (*presentHook)() = nullptr;

void drainWindowEvents() {
    WindowEvent event;
    while (takeWindowEvent(event)) handleWindowEvent(event);
}

void (*inputHook)(const WindowEvent& event) = nullptr;

// [SECTION] Quit requests ----------------------------------------------------

bool showQuitRequested() { return window.quitRequested || quitSignalReceived(); }

void requestShowQuit() { window.quitRequested = true; }

void clearQuitRequest() { window.quitRequested = false; }
