// RGB pictures in memory and the drawing helpers the picture makers share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct Rgb {
    double r = 0.0, g = 0.0, b = 0.0;  // 0..1, clamped when stored
};

inline Rgb rgb(double r, double g, double b) { return Rgb{r, g, b}; }
inline Rgb mix(const Rgb& a, const Rgb& b, double t) {
    return Rgb{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
inline Rgb scale(const Rgb& a, double k) { return Rgb{a.r * k, a.g * k, a.b * k}; }
inline Rgb add(const Rgb& a, const Rgb& b) { return Rgb{a.r + b.r, a.g + b.g, a.b + b.b}; }

// 8-bit RGB rows, top row first.
class Picture {
public:
    Picture(int width, int height);

    int width() const { return w; }
    int height() const { return h; }
    Rgb get(int x, int y) const;
    void set(int x, int y, const Rgb& colour);
    // Adds colour times weight (clamped), the way light adds.
    void addLight(int x, int y, const Rgb& colour, double weight);
    // Blends colour over the pixel with coverage alpha 0..1.
    void blend(int x, int y, const Rgb& colour, double alpha);
    void fillRect(int x0, int y0, int x1, int y1, const Rgb& colour);
    // Soft round glow of the given radius (pixels), added.
    void addGlow(double cx, double cy, double radius, const Rgb& colour);
    // Row y's bytes, r g b per pixel, for the file writers.
    const uint8_t* row(int y) const { return &pixels[static_cast<size_t>(y) * w * 3]; }

private:
    int w, h;
    std::vector<uint8_t> pixels;
};
