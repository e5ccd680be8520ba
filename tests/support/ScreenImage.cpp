#include "support/ScreenImage.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {

// Fields of the XWD header, in the order the file stores them (32-bit, big-endian).
enum XwdField {
    kHeaderSize = 0,
    kWidth = 4,
    kHeight = 5,
    kByteOrder = 7,
    kBitsPerPixel = 11,
    kBytesPerLine = 12,
    kRedMask = 14,
    kGreenMask = 15,
    kBlueMask = 16,
    kColorCount = 19,
    kFieldCount = 25,
};
constexpr size_t kColorEntryBytes = 12;

uint32_t field(const std::vector<uint8_t>& d, int index) {
    const uint8_t* p = &d[size_t(index) * 4];
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

}  // namespace

bool readXvfbScreen(const std::string& fbdir, Picture& screen) {
    std::ifstream in(fbdir + "/Xvfb_screen0", std::ios::binary);
    const std::vector<uint8_t> d{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    screen = Picture{};
    if (d.size() < kFieldCount * 4) return false;
    const bool rgb32 = field(d, kBitsPerPixel) == 32 && field(d, kByteOrder) == 0 && field(d, kRedMask) == 0xFF0000 &&
                       field(d, kGreenMask) == 0xFF00 && field(d, kBlueMask) == 0xFF;
    const uint64_t start = uint64_t(field(d, kHeaderSize)) + uint64_t(field(d, kColorCount)) * kColorEntryBytes;
    const uint32_t width = field(d, kWidth), height = field(d, kHeight), stride = field(d, kBytesPerLine);
    if (!rgb32 || stride < uint64_t(width) * 4 || start + uint64_t(stride) * height > d.size()) return false;
    screen.width = width;
    screen.height = height;
    screen.rgb.resize(size_t(width) * height * 3);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* pixel = &d[start + uint64_t(y) * stride + uint64_t(x) * 4];  // B, G, R, unused
            uint8_t* out = &screen.rgb[(size_t(y) * width + x) * 3];
            out[0] = pixel[2];
            out[1] = pixel[1];
            out[2] = pixel[0];
        }
    }
    return true;
}
