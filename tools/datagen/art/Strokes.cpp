#include "art/Strokes.h"

#include <algorithm>
#include <cstdlib>

namespace {
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
