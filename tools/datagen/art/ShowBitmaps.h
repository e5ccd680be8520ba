// The six 320x200 bitmaps: five lettering lines for the outline walker and
// the "vesk" height map.
#pragma once

#include <string>
#include <vector>

#include "art/Lettering.h"

// The lettering lines of the show, with the walker settings of their scenes.
std::vector<LetteringPlan> showLettering();
// Writes the lettering bitmaps and the height map into dir; false (with the
// reason on stderr) when one fails its walker check or cannot be written.
bool writeBitmaps(const std::string& dir);
// The height map: a relief with the show's name raised in it, mirrored so
// that it reads upright on the wall the mine scene ripples.
ByteBitmap makeHeightMap();
