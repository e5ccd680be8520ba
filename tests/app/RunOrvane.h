// Runs the orvane program as a child process (whole-show tests).
#pragma once

#include <string>
#include <vector>

#include "support/ShowProcess.h"  // linesStartingWith

struct ProgramRun {
    int exitCode = -1;      // -1 when it did not exit normally
    std::string output;     // standard output
    std::string errors;     // standard error
};

// Runs orvane with args from workDir; extraEnv entries are "NAME=value",
// and names in unsetEnv are removed. When stopAfterLine is not empty, the
// child gets SIGTERM once that text shows on its output.
ProgramRun runOrvane(const std::vector<std::string>& args, const std::string& workDir,
                     const std::vector<std::string>& extraEnv = {}, const std::vector<std::string>& unsetEnv = {},
                     const std::string& stopAfterLine = "");
