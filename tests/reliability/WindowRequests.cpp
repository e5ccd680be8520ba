#include "WindowRequests.h"

#include <X11/Xlib.h>

#include <cstdlib>

#include "support/ShowProcess.h"

bool requestWindowClose(int pid, double timeoutSeconds) {
    // xdotool finds the window by its _NET_WM_PID, waiting for it to appear.
    const std::string found =
        shellOutput("timeout " + std::to_string(timeoutSeconds) + " xdotool search --sync --pid " +
                    std::to_string(pid) + " --name '^Orvane$' | head -n 1");
    const Window window = std::strtoul(found.c_str(), nullptr, 10);
    Display* display = window != 0 ? XOpenDisplay(nullptr) : nullptr;
    if (display == nullptr) return false;
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XFlush(display);
    XCloseDisplay(display);
    return true;
}

bool screenSize(int* width, int* height) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    *width = DisplayWidth(display, DefaultScreen(display));
    *height = DisplayHeight(display, DefaultScreen(display));
    XCloseDisplay(display);
    return true;
}
