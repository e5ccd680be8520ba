#include "app/Program.h"

// C linkage: on Windows SDL's entry (WinMain) calls this under the name
// SDL_main, which its headers rename main to.
extern "C" int main(int argc, char** argv) { return runProgram(argc, argv); }
