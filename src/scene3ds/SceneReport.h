// A report of what the show will use from one 3DS file, as JSON.
#pragma once

#include <cstdio>

// Loads path without a GL context and writes the report to out.
// Returns the exit code: 0 when the file loads, 1 when it is refused.
int inspectSceneFile(const char* path, FILE* out);
