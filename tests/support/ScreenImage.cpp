#include "support/ScreenImage.h"

#include <fstream>
#include <iterator>
#include <vector>

bool readXvfbScreen(const std::string& fbdir, Picture& screen) {
    std::ifstream in(fbdir + "/Xvfb_screen0", std::ios::binary);
    const std::vector<uint8_t> d{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    screen = Picture{};
    // The XWD header is 25 big-endian 32-bit fields: 0 header size, 4 width,
    // 5 height, 7 byte order, 11 bits per pixel, 12 bytes per line, 14 to 16
    // the red, green and blue masks, 19 the colour entries (12 bytes each)
    // that lie between the header and the pixels.
    if (d.size() < 25 * 4) return false;
    const auto field = [&d](int i) {
        const uint8_t* p = &d[size_t(i) * 4];
        return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
    };
    const bool rgb32 =
        field(11) == 32 && field(7) == 0 && field(14) == 0xFF0000 && field(15) == 0xFF00 && field(16) == 0xFF;
    const uint64_t start = uint64_t(field(0)) + uint64_t(field(19)) * 12;
    const uint32_t width = field(4), height = field(5), stride = field(12);
    if (!rgb32 || stride < uint64_t(width) * 4 || start + uint64_t(stride) * height > d.size()) return false;
    screen.width = width;
    screen.height = height;
    screen.rgb.reserve(size_t(width) * height * 3);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* pixel = &d[start + uint64_t(y) * stride + uint64_t(x) * 4];  // B, G, R, unused
            screen.rgb.insert(screen.rgb.end(), {pixel[2], pixel[1], pixel[0]});
        }
    }
    return true;
}
