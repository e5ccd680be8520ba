// The show window on the platform: display mode, one window with an OpenGL
// context, present, one pending event at a time, the cursor, quit signals.
// Lifetime: from openPlatformWindow to closePlatformWindow; closing also runs
// at process exit so the desktop mode and cursor come back on every path.
#pragma once

#include <string>

// [SECTION] Display mode -----------------------------------------------------

enum class ModeSwitch { switched, noCurrentMode, notCompatible };

// Chooses the full-screen mode width x height with the desktop's current
// colour depth and refresh rate; the window takes it when it opens full screen.
ModeSwitch switchDesktopMode(int width, int height);

// [SECTION] Window and context -----------------------------------------------

// scaled: a desktop-sized borderless window showing the frame, drawn at the
// requested size offscreen, scaled to fit (where the display has no mode of
// that size). Falls back to borderless at the requested size when the
// OpenGL in use cannot draw offscreen.
enum class WindowStyle { windowed, fullscreen, borderless, scaled };

// Opens a double-buffered RGBA OpenGL window of client size width x height,
// asking for 32-bit colour and 32-bit depth and taking the closest offered
// (depth 24, then 16). False when no window (platformError says why).
bool openPlatformWindow(const char* title, int width, int height, WindowStyle style);
bool platformWindowOpen();
// True when the open window carries an OpenGL pixel format.
bool windowHasPixelFormat();
// Creates the OpenGL context (compatibility profile, so OpenGL 1.1 immediate
// mode works) and makes it current. False when it cannot.
bool createPlatformContext();
// Vertical sync of the swaps: adaptive where the driver offers it, else
// plain, else none, without a message; off draws as fast as it can.
void setVsync(bool on);
// Colour and depth bits of the current context, for reports and tests.
struct PixelFormatInfo {
    int colorBits = 0;
    int depthBits = 0;
    bool doubleBuffered = false;
};
PixelFormatInfo currentPixelFormat();
// The size of the frame being drawn, pixels: the client size, or the
// offscreen size of a scaled window.
void windowClientSize(int* width, int* height);
// Points pixel reads (glReadPixels, glCopyTexSubImage2D) at the frame being
// drawn: the back buffer, or a scaled window's offscreen frame.
void readDrawnFrame();
// The last failure of the platform, readable text.
const char* platformError();

// Swaps the buffers and advances the stepped clock by one frame.
void presentFrame();
// Number of frames presented since the window opened.
long presentedFrameCount();

void setCursorVisible(bool visible);
void setWindowTitle(const char* title);

// Destroys context and window, restores the desktop mode and the cursor.
// Safe to call more than once.
void closePlatformWindow();

// [SECTION] Events -----------------------------------------------------------

enum class WindowEventKind { resize, expose, close, escapeKey, key, pointerMove, wheel, drop, other };

// The keys the scene viewer answers to (Escape is escapeKey).
enum class Key { none, space, left, right, home, f12, c, e, f, l, t, w };

// Mouse buttons held during a pointerMove, as bits.
constexpr int kLeftButton = 1;
constexpr int kRightButton = 2;
constexpr int kMiddleButton = 4;

struct WindowEvent {
    WindowEvent(WindowEventKind kind_ = WindowEventKind::other, int width_ = 0, int height_ = 0)
        : kind(kind_), width(width_), height(height_) {}
    WindowEventKind kind;
    int width;  // resize only: the new client size
    int height;
    Key key = Key::none;  // key: the key pressed
    int dx = 0;           // pointerMove: motion in pixels, right and down positive
    int dy = 0;           // wheel: notches, away from the user positive
    int buttons = 0;      // pointerMove: the buttons held
    bool shift = false;   // pointerMove: a Shift key held
    std::string path;     // drop: the file dropped on the window
};

// Takes one pending event; false when none is waiting.
bool takeWindowEvent(WindowEvent& event);
// Queues an event as if the system had sent it (tests).
void pushWindowEvent(const WindowEvent& event);

// [SECTION] Quit signals -----------------------------------------------------

// SIGINT and SIGTERM set a flag instead of ending the process; a second one
// ends it at once.
void installQuitSignals();
bool quitSignalReceived();
