#include "Strokes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
constexpr double kSamplePx = 0.2;  // curve sampling step
constexpr double kPi = 3.14159265358979323846;

using Point = std::pair<double, double>;

// Appends p, bridging any gap from the last pixel with a straight run.
void appendPixel(std::vector<Pixel>& seq, Pixel p) {
    while (!seq.empty() && seq.back() != p && !adjacent(seq.back(), p)) {
        Pixel last = seq.back();
        int sx = (p.first > last.first) - (p.first < last.first);
        int sy = (p.second > last.second) - (p.second < last.second);
        seq.push_back({last.first + sx, last.second + sy});
    }
    if (seq.empty() || seq.back() != p) seq.push_back(p);
}

// Samples of a straight edge from a to b, lifted by arches of height arch
// along the outward normal (nx, ny).
void archedEdge(std::vector<Point>& out, Point a, Point b, double nx, double ny, double arch, double archWidth) {
    double len = std::hypot(b.first - a.first, b.second - a.second);
    int arches = std::max(1, static_cast<int>(std::lround(len / archWidth)));
    for (double s = 0.0; s < len; s += kSamplePx) {
        double lift = arch * std::fabs(std::sin(kPi * arches * s / len));
        out.push_back({a.first + (b.first - a.first) * s / len + nx * lift,
                       a.second + (b.second - a.second) * s / len + ny * lift});
    }
}

// Quarter circle round centre (cx, cy) from angle a0, clockwise on screen.
void corner(std::vector<Point>& out, double cx, double cy, double r, double a0) {
    int n = std::max(2, static_cast<int>(r * kPi / 2.0 / kSamplePx));
    for (int i = 0; i < n; ++i) {
        double a = a0 + kPi / 2.0 * i / n;
        out.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
}
}  // namespace

int Ring::minX() const { return std::min_element(pixels.begin(), pixels.end())->first; }
int Ring::maxX() const { return std::max_element(pixels.begin(), pixels.end())->first; }

bool adjacent(const Pixel& a, const Pixel& b) {
    return a != b && std::abs(a.first - b.first) <= 1 && std::abs(a.second - b.second) <= 1;
}

void thin(std::vector<Pixel>& seq) {
    bool changed = true;
    while (changed && seq.size() > 4) {
        changed = false;
        for (size_t i = 0; i < seq.size() && seq.size() > 4; ++i) {
            const Pixel& a = seq[(i + seq.size() - 1) % seq.size()];
            const Pixel& b = seq[(i + 1) % seq.size()];
            if (adjacent(a, b)) {
                seq.erase(seq.begin() + static_cast<long>(i));
                changed = true;
            }
        }
    }
}

bool isSimpleRing(const std::vector<Pixel>& seq) {
    size_t n = seq.size();
    if (n < 8) return false;
    for (size_t i = 0; i < n; ++i) {
        if (!adjacent(seq[i], seq[(i + 1) % n])) return false;
        int touching = 0;
        for (size_t j = 0; j < n; ++j) {
            if (seq[j] == seq[i] && j != i) return false;
            touching += adjacent(seq[i], seq[j]);
        }
        if (touching != 2) return false;
    }
    return true;
}

Ring frameRing(const FrameShape& f) {
    const double l = f.left, t = f.top, r = f.right, b = f.bottom, c = f.cornerPx;
    std::vector<Point> curve;
    // Clockwise on screen (y down) from the top of the right edge.
    for (double y = t + c; y < b - c; y += kSamplePx) curve.push_back({r, y});
    corner(curve, r - c, b - c, c, 0.0);
    archedEdge(curve, {r - c, b}, {l + c, b}, 0.0, 1.0, f.archPx, f.archWidthPx);
    corner(curve, l + c, b - c, c, kPi / 2.0);
    for (double y = b - c; y > t + c; y -= kSamplePx) curve.push_back({l, y});
    corner(curve, l + c, t + c, c, kPi);
    archedEdge(curve, {l + c, t}, {r - c, t}, 0.0, -1.0, f.archPx, f.archWidthPx);
    corner(curve, r - c, t + c, c, 1.5 * kPi);

    std::vector<Pixel> seq;
    for (const Point& p : curve)
        appendPixel(seq, {static_cast<int>(std::lround(p.first)), static_cast<int>(std::lround(p.second))});
    appendPixel(seq, seq.front());
    seq.pop_back();
    thin(seq);
    Ring ring;
    Pixel anchor{f.anchorX, f.anchorY};
    if (!isSimpleRing(seq) || std::find(seq.begin(), seq.end(), anchor) == seq.end()) return ring;
    ring.pixels = seq;
    return ring;
}
