// The show window and its OpenGL context: display mode, window, pixel format,
// projection, the starting GL state, and the two per-frame operations.
// Lifetime: from createShowWindow (or openShowWindow) to shutdownWindow.
#pragma once

struct WindowEvent;

// Opens the window (style 0: chosen from the mode); false when no window.
bool createShowWindow(const char* title, int width, int height, int style, bool fullscreen);
void switchDisplayMode(int width, int height);
// 1 with the context current and the starting GL state set; 0 when no
// OpenGL context could be made (the entry then exits with code 1).
int initGL();
// createShowWindow and initGL at the run settings' size and mode, as the
// show and the viewer open them; false (with the reason on standard error,
// the window closed again) when either fails.
bool openShowWindow();
// The GL state every scene starts from (set by initGL; tests reuse it).
void setInitialGLState();
void createGLContext(int width, int height);
bool setupPixelFormat();
void resizeView(int width, int height);
void shutdownWindow();

// [SECTION] Per frame --------------------------------------------------------

// glClear of colour and depth.
void clearFrame();
// Handles one waiting window event, or presents the frame; never both.
void pumpFrame();
// Runs just before every present, with the frame in the back buffer: the
// program's frame and video captures, or a benchmark's observer. Null for
// none. Lifetime: program.
extern void (*presentHook)();

// Handles every waiting window event without presenting (the viewer, which
// reads its input before each frame).
void drainWindowEvents();
// Takes the keys, pointer moves, wheel turns and dropped files the show
// window receives; null (the show) ignores them. Lifetime: program.
extern void (*inputHook)(const WindowEvent& event);

// [SECTION] Quit requests ----------------------------------------------------

// A close request, Escape, SIGINT, SIGTERM or requestShowQuit arrived: the
// show ends after the current frame through the normal teardown.
bool showQuitRequested();
// Asks the show to end after the current frame (a finished video capture).
void requestShowQuit();
// Forgets a close request, Escape or requestShowQuit (tests, a new pass).
void clearQuitRequest();
