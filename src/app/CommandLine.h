// The command line: options for Linux users and tests. With no arguments the
// program behaves as the show always does (launch dialog first).
#pragma once

#include <string>
#include <vector>

#include "app/SceneViewerOptions.h"
#include "app/VideoCaptureOptions.h"

struct CommandLine {
    bool play = false;  // skip the launch dialog
    bool windowed = false;
    int width = 0;  // 0: keep the default size
    int height = 0;
    bool noLights = false;
    bool noMusic = false;
    bool noVsync = false;
    double fixedFps = 0.0;         // 0: real clock
    int passes = 1;                // --loop N: the show N times
    bool loopForever = false;      // --loop alone: until a quit request
    double startAt = 0.0;          // --start-at: show seconds the show starts at
    std::vector<double> framesAt;  // show times in seconds
    std::string framesDir;
    bool timings = false;
    bool help = false;
    bool version = false;
    std::string inspectPath;
    ViewOptions view;        // --view and its companions
    CaptureOptions capture;  // --capture and its companions
    std::string error;       // set when the usage is bad
};

// Reads argv; false (with error set) on bad usage.
bool parseCommandLine(int argc, const char* const* argv, CommandLine& line);
// The --help text.
const char* commandLineHelp();
// Makes the paths of files the program writes (frames, video) absolute, so
// that they stay where the user started it when the show moves to the
// installed data's folder. The viewer and --inspect never move.
void anchorPathOptions(CommandLine& line);
// Applies the window, lights, music and vsync options to runSettings.
void applyCommandLine(const CommandLine& line);
