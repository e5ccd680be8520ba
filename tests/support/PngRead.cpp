#include "support/PngRead.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

uint32_t bigEndian(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

// The zlib stream of stored blocks into raw bytes; false on other blocks.
bool inflateStored(const std::vector<uint8_t>& z, std::vector<uint8_t>& raw) {
    for (size_t at = 2;;) {  // past the zlib header
        if (at + 5 > z.size() || (z[at] & 0x06) != 0) return false;
        const size_t length = z[at + 1] | (z[at + 2] << 8);
        if (size_t((z[at + 3] | (z[at + 4] << 8)) ^ 0xFFFF) != length || at + 5 + length > z.size()) return false;
        raw.insert(raw.end(), z.begin() + long(at + 5), z.begin() + long(at + 5 + length));
        if ((z[at] & 1) != 0) return true;
        at += 5 + length;
    }
}

}  // namespace

bool readPng(const std::string& path, Picture& picture) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> d{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (d.size() < 8 || !std::equal(signature, signature + 8, d.begin())) return false;
    std::vector<uint8_t> z;
    picture = Picture{};
    for (size_t at = 8; at + 12 <= d.size();) {
        const size_t length = bigEndian(&d[at]);
        if (at + 12 + length > d.size()) return false;
        const std::string type(d.begin() + long(at + 4), d.begin() + long(at + 8));
        const uint8_t* data = &d[at + 8];
        if (type == "IHDR") {
            if (length != 13 || data[8] != 8 || data[9] != 2 || data[12] != 0) return false;
            picture.width = bigEndian(data);
            picture.height = bigEndian(data + 4);
        }
        if (type == "IDAT") z.insert(z.end(), data, data + length);
        at += 12 + length;
    }
    std::vector<uint8_t> raw;
    const size_t rowBytes = size_t(picture.width) * 3;
    if (picture.width == 0 || !inflateStored(z, raw) || raw.size() != (rowBytes + 1) * picture.height) return false;
    for (unsigned y = 0; y < picture.height; ++y) {
        const auto row = raw.begin() + long((rowBytes + 1) * y);
        if (*row != 0) return false;
        picture.rgb.insert(picture.rgb.end(), row + 1, row + 1 + long(rowBytes));
    }
    return true;
}

std::string framePngPath(const std::string& folder, double seconds) {
    char name[64];
    std::snprintf(name, sizeof name, "/frame_%08.3f.png", seconds);
    return folder + name;
}
