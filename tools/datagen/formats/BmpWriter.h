// 8-bit BMP files of byte bitmaps: 1078-byte header with a grey palette,
// bottom row first.
#pragma once

#include <string>

#include "art/ByteBitmap.h"

// Writes the BMP; false on failure.
bool writeBmp(const ByteBitmap& bitmap, const std::string& path);
