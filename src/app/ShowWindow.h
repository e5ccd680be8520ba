// The show window and its OpenGL context: display mode, window, pixel format,
// projection, the starting GL state, and the two per-frame operations.
// Lifetime: from createShowWindow to shutdownWindow.
#pragma once

// Opens the window (style 0: chosen from the mode); false when no window.
bool createShowWindow(const char* title, int width, int height, int style, bool fullscreen);
void switchDisplayMode(int width, int height);
// 1 with the context current and the starting GL state set; 0 when no
// OpenGL context could be made (the entry then exits with code 1).
int initGL();
// The GL state every scene starts from (set by initGL; tests reuse it).
void setInitialGLState();
void createGLContext(int width, int height);
bool setupPixelFormat();
void resizeView(int width, int height);
void shutdownWindow();

// glClear of colour and depth.
void clearFrame();
// Handles one waiting window event, or presents the frame; never both.
void pumpFrame();

// A close request, Escape, SIGINT or SIGTERM arrived: the show ends after
// the current frame through the normal teardown.
bool showQuitRequested();
// Forgets a close request or Escape (tests).
void clearQuitRequest();
