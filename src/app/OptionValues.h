// What the command line's option groups (the show's, the viewer's, video
// capture's) share: reading numbers, and the exit code of bad usage.
#pragma once

#include <string>

// Exit code for bad usage of the command line.
constexpr int kUsageExit = 2;

// The whole of text as a finite number (strtod's syntax); false otherwise.
bool parseNumber(const std::string& text, double* value);
// True when value has no fractional part.
bool isWhole(double value);
// Sets error to message and returns false, so that a refusal is one line.
bool failWith(std::string& error, const std::string& message);
