// Reads what an Xvfb screen shows: started with -fbdir FOLDER, the server
// keeps its framebuffer in FOLDER/Xvfb_screen0 as an XWD image, updated as
// it draws, so tests can look at windows they do not own (dialogs, the show
// window full screen).
#pragma once

#include <string>

#include "support/PngRead.h"

// False unless the file is a 32-bit TrueColor XWD image of the server's own form.
bool readXvfbScreen(const std::string& fbdir, Picture& screen);
