// An Xvfb server of a test's own (1280x1024, depth 24) whose framebuffer the
// test can read with readXvfbScreen, made the DISPLAY while it lives, so the
// test can look at windows it does not own (dialogs, a full-screen show).
#pragma once

#include <sys/types.h>

#include <string>

class OwnScreen {
public:
    OwnScreen() = default;
    OwnScreen(const OwnScreen&) = delete;
    OwnScreen& operator=(const OwnScreen&) = delete;
    ~OwnScreen();
    // Starts the server and points DISPLAY at it; false when it did not start.
    bool start(const std::string& name);
    // The folder holding the server's framebuffer image.
    const std::string& fbdir() const { return folder; }

private:
    pid_t server = -1;
    std::string previousDisplay;
    std::string folder;
};

void pauseMs(int ms);

// A visible window of process pid whose title matches the xdotool pattern,
// other than `besides`; empty when none comes within waitMs.
std::string findWindow(int pid, const std::string& titlePattern, const std::string& besides = "", int waitMs = 30000);
