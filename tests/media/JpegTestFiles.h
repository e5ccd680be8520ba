// JPEG files made on the spot with libjpeg's encoder, for the reader tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// Value of component c at pixel (x, y), y = 0 the top row.
using PixelSource = std::function<uint8_t(int x, int y, int c)>;

// 37 x 22 test picture: red top half, blue bottom half (row order and
// colour at once).
inline uint8_t redOverBlue(int, int y, int c) { return c == 1 ? 10 : ((y < 11) == (c == 0) ? 230 : 10); }

// Encodes width x height pixels with 1 (greyscale) or 3 (RGB) components.
std::vector<uint8_t> encodeJpeg(int width, int height, int components, const PixelSource& source);
bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// A fresh path in the test's temporary folder.
std::string tempPath(const std::string& name);
