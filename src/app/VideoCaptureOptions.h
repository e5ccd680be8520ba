// The options of video capture (--capture and its companions), kept apart
// from the show's command line so that it only carries one record of them.
#pragma once

#include <string>

struct CaptureOptions {
    std::string path;        // --capture FILE; empty: no capture
    int fps = 0;             // --fps; 0: the default rate
    double stopAfter = 0.0;  // --stop-after, seconds of show time; 0: the whole show
};

// Frames per second of a capture without --fps.
constexpr int kDefaultCaptureFps = 60;

// True for the options this file parses (each takes a value).
bool isCaptureOption(const std::string& option);
// Reads one option's value into capture; false with error set when the
// value is malformed or out of range.
bool parseCaptureOption(const std::string& option, const char* value, CaptureOptions& capture, std::string& error);
// False with error set when --fps or --stop-after come without --capture, or
// --capture comes with an option it cannot honour.
bool captureOptionsFit(const CaptureOptions& capture, double fixedFps, bool viewing, std::string& error);
