// Baseline JPEG files from pictures in memory, through libjpeg.
#pragma once

#include <string>

#include "art/Image.h"

// Writes the picture at the given quality; false on failure.
bool writeJpeg(const Picture& picture, const std::string& path, int quality);
