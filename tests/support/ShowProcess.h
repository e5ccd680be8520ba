// Runs the orvane program as a child process with a deadline, optionally
// sending it a signal once a given text shows on its output.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/TextLines.h"

struct ShowRun {
    int exitCode = -1;      // -1 when it did not exit normally
    int killedBy = 0;       // the signal that ended it, 0 when it exited
    bool timedOut = false;  // killed at the deadline
    std::string output;     // standard output
    std::string errors;     // standard error
};

struct ShowRequest {
    std::string program;  // empty: the build's orvane
    std::vector<std::string> args;
    std::string workDir;
    std::vector<std::string> extraEnv;  // "NAME=value"
    std::vector<std::string> unsetEnv;
    double timeoutSeconds = 300.0;  // killed with SIGKILL past it
    // When not empty: once this text appears on standard output or standard
    // error (stopDelaySeconds later), stopSignal is sent when not 0 and
    // onStop runs in this process with the program's id (with no
    // stopOnText, onStop runs as soon as the program has started).
    std::string stopOnText;
    int stopSignal = 0;
    std::function<void(int pid)> onStop;
    double stopDelaySeconds = 0.0;
    // Removes workDir after entering it, so the program runs in a folder
    // that no longer exists.
    bool removeWorkDir = false;
};

ShowRun runShow(const ShowRequest& request);

// A request for these arguments from workDir, silent (dummy audio) and
// headless (message boxes on standard error).
ShowRequest quietShow(const std::vector<std::string>& args, const std::string& workDir = ORVANE_BINARY_DIR);

// Standard output of a shell command (standard error dropped); its exit
// status in *status when given, -1 when it did not exit normally.
std::string shellOutput(const std::string& command, int* status = nullptr);

// A fresh empty folder "orvane-<name>" under the system's temporary folder.
std::string freshTempFolder(const std::string& name);

// Checks the --timings lines: every scene in order, each to its duration
// (within one frame of fps). Empty when they are right, else what is wrong.
std::string checkSceneTimings(const std::string& output, double fps);
