// The whole program behind main: returns the process exit code.
#pragma once

int runProgram(int argc, const char* const* argv);
