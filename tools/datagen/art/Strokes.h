// Closed one-pixel strokes for the outline walker: a ring whose every pixel
// touches exactly its two neighbours along it, which the walker follows
// whole from any of its pixels.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

using Pixel = std::pair<int, int>;

// A closed stroke, its pixels in walking order.
struct Ring {
    std::vector<Pixel> pixels;
    int minX() const;
    int maxX() const;
};

// A pixel region.
struct Grid {
    int w = 0, h = 0;
    std::vector<uint8_t> on;
    bool at(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && on[y * w + x]; }
    void set(int x, int y, bool v) { on[y * w + x] = v ? 1 : 0; }
};

// The outline of a region, its holes first opened to the outside by
// one-pixel slits, thinned; a simple ring when the region allows one.
std::vector<Pixel> outlineOf(Grid region);

// True when a and b are distinct 8-neighbours.
bool adjacent(const Pixel& a, const Pixel& b);
// Drops corner pixels whose two neighbours along the stroke touch.
void thin(std::vector<Pixel>& seq);
// A simple closed stroke: every pixel touches exactly its two neighbours.
bool isSimpleRing(const std::vector<Pixel>& seq);
