// Requests to a top-level X window found by its title, as a window manager
// or a user would make them (tests only).
#pragma once

#include <string>

// Waits up to timeoutSeconds for a window titled title; then sends it the
// window manager's close request (WM_DELETE_WINDOW). False when no window.
bool requestWindowClose(const std::string& title, double timeoutSeconds);

// The default screen's size in pixels; false when no display opens.
bool screenSize(int* width, int* height);
