// Reads back the PNGs the program writes (8-bit RGB, stored deflate blocks,
// filter type 0), for tests that check frames by what they show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// RGB pixels, rows top first.
struct Picture {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<uint8_t> rgb;
};

// False on anything but a whole PNG of the program's own form.
bool readPng(const std::string& path, Picture& picture);

// The file --frames-at writes into folder for a time in seconds.
std::string framePngPath(const std::string& folder, double seconds);
