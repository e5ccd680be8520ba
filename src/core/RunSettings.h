// The launch choices, one program-wide record.
// Lifetime: program. Defaults set by the entry, changed by the launch dialog
// and the command line, read by the show window, the renderer and the scenes.
#pragma once

#include <cstdint>

struct RunSettings {
    int32_t width = 800;  // client size and full-screen resolution, pixels
    int32_t height = 600;
    bool fullscreen = true;
    bool noLights = false;  // the renderer sends no vertex colours
    bool noMusic = false;
    int32_t quit = 0;   // Exit or close was chosen in the launch dialog
    bool vsync = true;  // swaps wait for the display (the real clock only)
};

extern RunSettings runSettings;

// Back to the defaults of a fresh start.
void resetRunSettings();
