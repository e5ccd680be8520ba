#include "formats/BmpWriter.h"

#include <cstdio>

namespace {
constexpr uint32_t kPixelOffset = 1078;  // 14 + 40 + 256 * 4
constexpr uint32_t kInfoBytes = 40;

void put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
}  // namespace

bool writeBmp(const ByteBitmap& bitmap, const std::string& path) {
    std::vector<uint8_t> out;
    uint32_t imageBytes = kBitmapW * kBitmapH;
    out.push_back('B');
    out.push_back('M');
    put32(out, kPixelOffset + imageBytes);
    put32(out, 0);
    put32(out, kPixelOffset);
    put32(out, kInfoBytes);
    put32(out, kBitmapW);
    put32(out, kBitmapH);  // positive: bottom row first
    put16(out, 1);         // planes
    put16(out, 8);         // bits per pixel
    put32(out, 0);         // no compression
    put32(out, imageBytes);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 256);
    put32(out, 0);
    for (int i = 0; i < 256; ++i) {
        uint8_t g = static_cast<uint8_t>(i);
        out.insert(out.end(), {g, g, g, 0});
    }
    for (int y = kBitmapH - 1; y >= 0; --y) {
        out.insert(out.end(), bitmap.pixels.begin() + y * kBitmapW, bitmap.pixels.begin() + (y + 1) * kBitmapW);
    }
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
    return std::fclose(f) == 0 && ok;
}
