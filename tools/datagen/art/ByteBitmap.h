// 320x200 one-byte-per-pixel pictures, row 0 at the top: the lettering
// bitmaps and the height map.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kBitmapW = 320;
constexpr int kBitmapH = 200;

struct ByteBitmap {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(kBitmapW * kBitmapH, 0);
    uint8_t at(int x, int y) const {
        return (x < 0 || y < 0 || x >= kBitmapW || y >= kBitmapH) ? 0 : pixels[y * kBitmapW + x];
    }
    void put(int x, int y, uint8_t v) {
        if (x >= 0 && y >= 0 && x < kBitmapW && y < kBitmapH) pixels[y * kBitmapW + x] = v;
    }
};
