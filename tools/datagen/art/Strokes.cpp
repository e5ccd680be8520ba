#include "art/Strokes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "common/MathConstants.h"

namespace {
constexpr double kSamplePx = 0.2;  // curve sampling step

using Point = std::pair<double, double>;

// Clockwise neighbours in image axes (y down), starting west.
constexpr int kRingX[8] = {-1, -1, 0, 1, 1, 1, 0, -1};
constexpr int kRingY[8] = {0, -1, -1, -1, 0, 1, 1, 1};

// Opens every hole of the region to the outside with a one-pixel slit cut
// upwards from the hole's top, so the outline is one closed stroke.
void openHoles(Grid& r) {
    for (int round = 0; round < 16; ++round) {
        std::vector<uint8_t> outside(r.on.size(), 0);
        std::vector<Pixel> stack{{0, 0}};
        outside[0] = 1;
        while (!stack.empty()) {
            Pixel p = stack.back();
            stack.pop_back();
            const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
            for (int k = 0; k < 4; ++k) {
                int x = p.first + dx[k], y = p.second + dy[k];
                if (x < 0 || y < 0 || x >= r.w || y >= r.h || r.at(x, y) || outside[y * r.w + x]) continue;
                outside[y * r.w + x] = 1;
                stack.push_back({x, y});
            }
        }
        bool found = false;
        for (int y = 0; y < r.h && !found; ++y) {
            for (int x = 0; x < r.w && !found; ++x) {
                if (r.at(x, y) || outside[y * r.w + x]) continue;
                int end = x;
                while (end + 1 < r.w && !r.at(end + 1, y) && !outside[y * r.w + end + 1]) ++end;
                int mid = (x + end) / 2;
                for (int yy = y - 1; yy >= 0 && r.at(mid, yy); --yy) r.set(mid, yy, false);
                found = true;
            }
        }
        if (!found) return;
    }
}

// Moore-neighbour trace of the region's outer boundary, clockwise from its
// top-left pixel.
std::vector<Pixel> traceBoundary(const Grid& r) {
    std::vector<Pixel> seq;
    int sx = -1, sy = -1;
    for (int y = 0; y < r.h && sx < 0; ++y)
        for (int x = 0; x < r.w; ++x)
            if (r.at(x, y)) {
                sx = x;
                sy = y;
                break;
            }
    if (sx < 0) return seq;
    int cx = sx, cy = sy, back = 0;
    seq.push_back({sx, sy});
    for (int guard = 0; guard < 100000; ++guard) {
        int found = -1;
        for (int k = 1; k <= 8; ++k) {
            int d = (back + k) % 8;
            if (r.at(cx + kRingX[d], cy + kRingY[d])) {
                found = d;
                break;
            }
        }
        if (found < 0) return seq;
        int nx = cx + kRingX[found], ny = cy + kRingY[found];
        int bx = cx + kRingX[(found + 7) % 8] - nx, by = cy + kRingY[(found + 7) % 8] - ny;
        for (int d = 0; d < 8; ++d)
            if (kRingX[d] == bx && kRingY[d] == by) back = d;
        if (cx == sx && cy == sy && seq.size() > 2 && Pixel{nx, ny} == seq[1]) {
            seq.pop_back();
            return seq;
        }
        cx = nx;
        cy = ny;
        seq.push_back({cx, cy});
    }
    return {};
}

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
// along the outward normal (nx, ny), from distance s0 to s1 along it.
void archedEdge(std::vector<Point>& out, Point a, Point b, double nx, double ny, const FrameShape& f, double s0 = 0.0,
                double s1 = 1e9) {
    double len = std::hypot(b.first - a.first, b.second - a.second);
    int arches = std::max(1, static_cast<int>(std::lround(len / f.archWidthPx)));
    for (double s = s0; s < std::min(s1, len); s += kSamplePx) {
        double lift = f.archPx * std::fabs(std::sin(kPi * arches * s / len));
        out.push_back({a.first + (b.first - a.first) * s / len + nx * lift,
                       a.second + (b.second - a.second) * s / len + ny * lift});
    }
}

// Quarter circle round centre (cx, cy) from angle a0: clockwise on screen
// for dir 1, anticlockwise for -1.
void corner(std::vector<Point>& out, double cx, double cy, double r, double a0, int dir = 1) {
    int n = std::max(2, static_cast<int>(r * kPi / 2.0 / kSamplePx));
    for (int i = 0; i <= n; ++i) {
        double a = a0 + dir * kPi / 2.0 * i / n;
        out.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
}

// A double frame's inner line, bandPx inside the outer one and straight,
// anticlockwise from the slit at x = slit back to slit + gap; the pixel
// runs between corners, and to and from the outer line, are bridged
// straight.
void innerLine(std::vector<Point>& out, const FrameShape& f, double slit, double gap) {
    const double w = f.bandPx, l = f.left + w, t = f.top + w, r = f.right - w, b = f.bottom - w;
    const double c = std::max(2.0, f.cornerPx - w);
    out.push_back({slit, t});
    corner(out, l + c, t + c, c, 1.5 * kPi, -1);
    corner(out, l + c, b - c, c, kPi, -1);
    corner(out, r - c, b - c, c, 0.5 * kPi, -1);
    corner(out, r - c, t + c, c, 0.0, -1);
    out.push_back({slit + gap, t});
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

std::vector<Pixel> outlineOf(Grid region) {
    openHoles(region);
    std::vector<Pixel> seq = traceBoundary(region);
    thin(seq);
    return seq;
}

bool isSimpleRing(const std::vector<Pixel>& seq) {
    size_t n = seq.size();
    if (n < 8) return false;
    // The ring's pixels on a grid over its bounds, one cell of margin round them.
    auto [lowX, highX] = std::minmax_element(seq.begin(), seq.end());
    int minY = seq[0].second, maxY = seq[0].second;
    for (const Pixel& p : seq) {
        minY = std::min(minY, p.second);
        maxY = std::max(maxY, p.second);
    }
    const int x0 = lowX->first - 1, y0 = minY - 1, w = highX->first - x0 + 2, h = maxY - y0 + 2;
    std::vector<uint8_t> on(static_cast<size_t>(w) * h, 0);
    for (const Pixel& p : seq) {
        uint8_t& cell = on[static_cast<size_t>(p.second - y0) * w + (p.first - x0)];
        if (cell) return false;  // a pixel twice
        cell = 1;
    }
    for (size_t i = 0; i < n; ++i) {
        if (!adjacent(seq[i], seq[(i + 1) % n])) return false;
        int touching = 0;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                touching += (dx || dy) && on[static_cast<size_t>(seq[i].second - y0 + dy) * w + (seq[i].first - x0 + dx)];
        if (touching != 2) return false;
    }
    return true;
}

Ring frameRing(const FrameShape& f) {
    const double l = f.left, t = f.top, r = f.right, b = f.bottom, c = f.cornerPx;
    // A double frame leaves its outer line for its inner one through a slit
    // in the top edge, two pixels wide.
    const double gap = f.bandPx > 0 ? 2.0 : 0.0;
    const double slit = c + f.bandPx + 3.0;  // along the top edge
    std::vector<Point> curve;
    // Clockwise on screen (y down) from the slit.
    archedEdge(curve, {l + c, t}, {r - c, t}, 0.0, -1.0, f, slit + gap);
    corner(curve, r - c, t + c, c, 1.5 * kPi);
    corner(curve, r - c, b - c, c, 0.0);
    archedEdge(curve, {r - c, b}, {l + c, b}, 0.0, 1.0, f);
    corner(curve, l + c, b - c, c, kPi / 2.0);
    corner(curve, l + c, t + c, c, kPi);
    archedEdge(curve, {l + c, t}, {r - c, t}, 0.0, -1.0, f, 0.0, slit + kSamplePx / 2);
    if (f.bandPx > 0) innerLine(curve, f, l + c + slit, gap);

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
