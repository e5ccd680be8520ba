#include "WindowRequests.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <unistd.h>

namespace {

constexpr useconds_t kPollMicroseconds = 50000;

// The _NET_WM_PID of window, or -1.
long windowPid(Display* display, Window window) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long pid = -1;
    const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success && data != nullptr) {
        if (format == 32 && count == 1) pid = *reinterpret_cast<long*>(data);
        XFree(data);
    }
    return pid;
}

// Depth-first search of the window tree for a window of process pid; 0 when none.
Window findWindow(Display* display, Window root, int pid) {
    if (windowPid(display, root) == pid) return root;
    Window parent = 0, rootReturn = 0, found = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, root, &rootReturn, &parent, &children, &count) == 0) return 0;
    for (unsigned i = 0; i < count && found == 0; ++i) found = findWindow(display, children[i], pid);
    if (children != nullptr) XFree(children);
    return found;
}

}  // namespace

bool requestWindowClose(int pid, double timeoutSeconds) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    Window window = 0;
    for (double waited = 0.0; window == 0 && waited < timeoutSeconds; waited += kPollMicroseconds * 1e-6) {
        window = findWindow(display, DefaultRootWindow(display), pid);
        if (window == 0) usleep(kPollMicroseconds);
    }
    if (window != 0) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
        XFlush(display);
    }
    XCloseDisplay(display);
    return window != 0;
}

bool screenSize(int* width, int* height) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    *width = DisplayWidth(display, DefaultScreen(display));
    *height = DisplayHeight(display, DefaultScreen(display));
    XCloseDisplay(display);
    return true;
}
