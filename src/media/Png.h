// A small PNG writer: 8-bit RGB, deflate stored blocks, no compression.
// Used by frame capture and by tests to look at what was drawn.
#pragma once

#include <cstddef>
#include <cstdint>

// Writes width x height RGB pixels (rows top first, no padding) to path.
// False when the file cannot be written or the size is out of range.
bool writePngRgb(const char* path, const uint8_t* pixels, int width, int height);

// The checksums of the format, exposed for tests.
uint32_t pngCrc32(uint32_t crc, const uint8_t* data, size_t size);
uint32_t pngAdler32(uint32_t adler, const uint8_t* data, size_t size);
