// Requests to a top-level X window found by its process, as a window manager
// or a user would make them (tests only).
#pragma once

#include <string>

// Waits up to timeoutSeconds for the show window of process pid, then sends
// it the window manager's close request (WM_DELETE_WINDOW). False when no
// window (or no xdotool). Other programs on the same display are left alone.
bool requestWindowClose(int pid, double timeoutSeconds);

// The default screen's size in pixels; false when no display opens.
bool screenSize(int* width, int* height);
