// Closed one-pixel strokes for the outline walker: a ring whose every pixel
// touches exactly its two neighbours along it, which the walker follows
// whole from any of its pixels; and the decorative frames drawn round a text.
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

// A rounded frame round a box; its top and bottom edges carry a row of
// outward arches. A double frame adds a straight inner line, one stroke
// with the outer line through a slit in the top edge.
struct FrameShape {
    int left = 0, top = 0, right = 0, bottom = 0;  // the box, pixels
    int anchorX = 0, anchorY = 0;                  // a pixel of its side the walker reaches it by
    int cornerPx = 6;                              // corner radius
    double archPx = 0.0;                           // arch height, 0 for straight edges
    double archWidthPx = 18.0;                     // about this wide, a whole number per edge
    int bandPx = 0;                                // a second, straight line this far inside; 0 for none
};
// The frame as a simple ring; empty when the shape gives none or the ring
// misses the anchor.
Ring frameRing(const FrameShape& shape);
