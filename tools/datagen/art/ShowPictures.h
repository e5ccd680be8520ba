// The JPEG pictures: the show's own pictures (emblem, loading picture,
// backdrop, title, particle sprites) and the procedural material textures
// the scenes name.
#pragma once

#include <string>

// Writes every picture into dir; false when one cannot be written.
bool writePictures(const std::string& dir);
