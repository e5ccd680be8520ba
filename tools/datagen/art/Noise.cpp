#include "art/Noise.h"

#include <cmath>

namespace {
double lattice(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFFu) / 16777215.0;
}

int wrap(int v, int period) {
    if (period <= 0) return v;
    int m = v % period;
    return m < 0 ? m + period : m;
}

double smooth(double t) { return t * t * (3.0 - 2.0 * t); }
}  // namespace

double valueNoise(double x, double y, int period, uint32_t seed) {
    double fx = std::floor(x), fy = std::floor(y);
    int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    double tx = smooth(x - fx), ty = smooth(y - fy);
    double a = lattice(wrap(ix, period), wrap(iy, period), seed);
    double b = lattice(wrap(ix + 1, period), wrap(iy, period), seed);
    double c = lattice(wrap(ix, period), wrap(iy + 1, period), seed);
    double d = lattice(wrap(ix + 1, period), wrap(iy + 1, period), seed);
    double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double fractalNoise(double x, double y, int octaves, int period, uint32_t seed) {
    double sum = 0.0, weight = 1.0, total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x, y, period, seed + static_cast<uint32_t>(i) * 101u) * weight;
        total += weight;
        x *= 2.0;
        y *= 2.0;
        if (period > 0) period *= 2;
        weight *= 0.5;
    }
    return sum / total;
}
