#include "art/Image.h"

#include <algorithm>
#include <cmath>

namespace {
uint8_t toByte(double v) {
    v = std::clamp(v, 0.0, 1.0);
    return static_cast<uint8_t>(std::lround(v * 255.0));
}
}  // namespace

Picture::Picture(int width, int height) : w(width), h(height), pixels(static_cast<size_t>(width) * height * 3, 0) {}

Rgb Picture::get(int x, int y) const {
    if (x < 0 || y < 0 || x >= w || y >= h) return Rgb{};
    const uint8_t* p = &pixels[(static_cast<size_t>(y) * w + x) * 3];
    return Rgb{p[0] / 255.0, p[1] / 255.0, p[2] / 255.0};
}

void Picture::set(int x, int y, const Rgb& c) {
    if (x < 0 || y < 0 || x >= w || y >= h) return;
    uint8_t* p = &pixels[(static_cast<size_t>(y) * w + x) * 3];
    p[0] = toByte(c.r);
    p[1] = toByte(c.g);
    p[2] = toByte(c.b);
}

void Picture::addLight(int x, int y, const Rgb& c, double weight) { set(x, y, add(get(x, y), scale(c, weight))); }

void Picture::blend(int x, int y, const Rgb& c, double alpha) {
    set(x, y, mix(get(x, y), c, std::clamp(alpha, 0.0, 1.0)));
}

void Picture::fillRect(int x0, int y0, int x1, int y1, const Rgb& c) {
    for (int y = std::max(0, y0); y < std::min(h, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(w, x1); ++x) set(x, y, c);
}

void Picture::addGlow(double cx, double cy, double radius, const Rgb& c) {
    int x0 = static_cast<int>(cx - radius * 2.0), x1 = static_cast<int>(cx + radius * 2.0) + 1;
    int y0 = static_cast<int>(cy - radius * 2.0), y1 = static_cast<int>(cy + radius * 2.0) + 1;
    for (int y = std::max(0, y0); y <= std::min(h - 1, y1); ++y) {
        for (int x = std::max(0, x0); x <= std::min(w - 1, x1); ++x) {
            double d2 = ((x - cx) * (x - cx) + (y - cy) * (y - cy)) / (radius * radius);
            addLight(x, y, c, std::exp(-d2 * 2.0));
        }
    }
}
