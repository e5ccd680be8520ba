// JPEG files made on the spot with libjpeg's encoder, for the reader tests.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "support/Chunk3dsWriter.h"  // writeScratchFile

// Value of component c at pixel (x, y), y = 0 the top row.
using PixelSource = std::function<uint8_t(int x, int y, int c)>;

// 37 x 22 test picture: red top half, blue bottom half (row order and
// colour at once).
inline uint8_t redOverBlue(int, int y, int c) { return c == 1 ? 10 : ((y < 11) == (c == 0) ? 230 : 10); }

// Encodes width x height pixels with 1 (greyscale) or 3 (RGB) components.
std::vector<uint8_t> encodeJpeg(int width, int height, int components, const PixelSource& source);
