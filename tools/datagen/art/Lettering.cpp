#include "art/Lettering.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {
constexpr int kPad = 3;  // background around a glyph's grid
// FreeType em widths tried, widest first: narrow capitals that fit the
// home step at any height.
constexpr int kEmWidthsPx[] = {22, 20, 18, 16};
constexpr double kCapShare = 0.73;    // cap height over em height
constexpr int kMaxGlyphWidthPx = 19;  // narrower than the 21-pixel home step
constexpr int kLitValue = 255;
constexpr int kCheckSteps = 20000;  // more than any lettering walk needs to come round
constexpr int kDiamondRadius = 3;
// The sizing leaves the text 85 % of the pool's lifetime to be written in:
// the particles fade linearly, so 90 % of the text still glows at 15 % of
// full brightness or more when it is done, which the overlapping sprites
// add up to a stroke as clear as the newest.
constexpr double kReadableLife = 0.85;
// Em heights tried, tallest first; the tallest keeps the narrow capitals
// under two and a half times as tall as wide.
constexpr int kTallestEmPx = 64, kShortestEmPx = 20, kEmStepPx = 2;
// Where lit pixels may lie: the pool's eye sees 552 by 414 of the bitmap's
// 640 by 400 units (two a pixel) in a 4:3 window; less a sprite's half
// (10 units) and a margin of 16.
constexpr int kViewLeft = 35, kViewRight = 285, kViewTop = 10, kViewBottom = 190;
// The lead-in: a stub left from the start point into a bar down to a spine
// along the bottom, with teeth rising from the spine; all regions whose
// outline is the stroke. Region pixels keep two pixels off the border.
constexpr int kBarOffset = 6;             // the bar's left column, left of the start
constexpr int kSpineBottom = kBitmapH - 3;
constexpr int kToothPeriod = 5, kToothWidth = 3, kMinToothPx = 3;
constexpr int kTipGap = 5;         // text bottom to the teeth's tips
constexpr int kHangGap = 3;        // start point to a first glyph that hangs on the lead-in
constexpr int kNeckAbove = 5;      // the neck's top row above the first glyph
constexpr int kSpacerPx = 4;       // silent square on a home before the text

using Pixels = std::vector<Pixel>;

Grid canvas() {
    Grid g;
    g.w = kBitmapW;
    g.h = kBitmapH;
    g.on.assign(static_cast<size_t>(g.w) * g.h, 0);
    return g;
}

void fill(Grid& g, int x0, int y0, int x1, int y1) {
    for (int y = std::max(y0, 0); y <= std::min(y1, g.h - 1); ++y)
        for (int x = std::max(x0, 0); x <= std::min(x1, g.w - 1); ++x) g.set(x, y, true);
}

int topOf(const Grid& g) {
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x)
            if (g.at(x, y)) return y;
    return g.h;
}

Grid regionOf(const GlyphImage& g, int threshold, int dilate) {
    Grid r;
    r.w = g.width + 2 * kPad;
    r.h = g.height + 2 * kPad;
    r.on.assign(static_cast<size_t>(r.w) * r.h, 0);
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            if (g.at(x, y) >= threshold) r.set(x + kPad, y + kPad, true);
    for (int i = 0; i < dilate; ++i) {
        Grid d = r;
        for (int y = 1; y < r.h - 1; ++y)
            for (int x = 1; x < r.w - 1; ++x)
                if (r.at(x - 1, y) || r.at(x + 1, y) || r.at(x, y - 1) || r.at(x, y + 1)) d.set(x, y, true);
        r = d;
    }
    return r;
}

// True when the outline runs along the whole edge of the region: the
// outline's thinning eats strokes two pixels wide, and a glyph split by a
// faint stroke keeps the outline of one piece only. Tips the thinning
// blunts by up to three pixels pass.
bool outlineCovers(const Grid& r, const std::vector<Pixel>& seq) {
    constexpr int kReachPx = 3;
    std::vector<uint8_t> near(r.on.size(), 0);
    for (const Pixel& p : seq)
        for (int dy = -kReachPx; dy <= kReachPx; ++dy)
            for (int dx = -kReachPx; dx <= kReachPx; ++dx) {
                int x = p.first + dx, y = p.second + dy;
                if (x >= 0 && y >= 0 && x < r.w && y < r.h) near[y * r.w + x] = 1;
            }
    for (int y = 0; y < r.h; ++y)
        for (int x = 0; x < r.w; ++x) {
            bool edge = r.at(x, y) && (!r.at(x - 1, y) || !r.at(x + 1, y) || !r.at(x, y - 1) || !r.at(x, y + 1));
            if (edge && !near[y * r.w + x]) return false;
        }
    return true;
}

// The glyph's outline relative to the pen on the baseline; false when it
// misses part of the glyph, is no simple ring or is too wide for the home step.
bool ringFromGlyph(const GlyphImage& g, int threshold, int dilate, Ring& ring) {
    if (g.width == 0) return false;
    Grid r = regionOf(g, threshold, dilate);
    std::vector<Pixel> seq = outlineOf(r);
    if (!isSimpleRing(seq) || !outlineCovers(r, seq)) return false;
    ring.pixels.clear();
    for (const Pixel& p : seq) ring.pixels.push_back({p.first - kPad + g.left, p.second - kPad - g.top});
    return ring.maxX() - ring.minX() + 1 <= kMaxGlyphWidthPx;
}

Ring diamond(int centreY) {
    Ring ring;
    for (int dy = -kDiamondRadius; dy <= kDiamondRadius; ++dy) {
        int dx = kDiamondRadius - std::abs(dy);
        ring.pixels.push_back({kDiamondRadius - dx, centreY + dy});
        if (dx != 0) ring.pixels.push_back({kDiamondRadius + dx, centreY + dy});
    }
    return ring;
}

// Stroke variants tried for a glyph, first match wins: grey threshold and
// growth in pixels.
constexpr int kVariants[][2] = {{128, 0}, {96, 0}, {160, 0}, {64, 0}, {200, 0}, {128, 1}, {64, 1}, {32, 0}};

bool inView(const Pixels& pixels) {
    for (const Pixel& p : pixels)
        if (p.first < kViewLeft || p.first > kViewRight || p.second < kViewTop || p.second > kViewBottom) return false;
    return true;
}

// True when no pixel of the stroke touches a set pixel of the bitmap, so
// the walker cannot step from one stroke to another.
bool clearOf(const Pixels& pixels, const ByteBitmap& b) {
    for (const Pixel& p : pixels)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (b.at(p.first + dx, p.second + dy)) return false;
    return true;
}

// Places a ring with the leftmost of its pixels on the start row at homeX.
bool placeRing(const Ring& ring, int homeX, int startY, int baseline, ByteBitmap& bitmap) {
    int homeRow = startY - baseline;
    int left = INT_MAX;
    for (const Pixel& p : ring.pixels)
        if (p.second == homeRow) left = std::min(left, p.first);
    if (left == INT_MAX) return false;
    Pixels placed;
    for (const Pixel& p : ring.pixels) placed.push_back({p.first + homeX - left, baseline + p.second});
    if (!inView(placed) || !clearOf(placed, bitmap)) return false;
    for (const Pixel& p : placed) bitmap.put(p.first, p.second, kLitValue);
    return true;
}

// True when a walk from the start writes every pixel of the bitmap but the start.
bool walkWritesAll(const ByteBitmap& b, int startX, int startY, int homeStep) {
    WalkResult r = walkOutline(b, kCheckSteps, startX, startY, homeStep);
    return r.emitted >= r.litPixels - 1;
}

// Places character c with its home at homeX: the first stroke variant that
// the walker, started at textStartX, writes whole.
bool placeGlyph(const Font& font, char c, int emHeight, int homeX, int baseline, int textStartX,
                const LetteringPlan& plan, ByteBitmap& out) {
    if (c == '.') {
        ByteBitmap trial = out;
        if (!placeRing(diamond(plan.startY - baseline), homeX, plan.startY, baseline, trial) ||
            !walkWritesAll(trial, textStartX, plan.startY, plan.homeStep))
            return false;
        out = trial;
        return true;
    }
    for (int em : kEmWidthsPx) {
        GlyphImage g = font.glyph(static_cast<unsigned char>(c), em, emHeight);
        for (const auto& v : kVariants) {
            Ring ring;
            ByteBitmap trial = out;
            if (!ringFromGlyph(g, v[0], v[1], ring)) continue;
            if (!placeRing(ring, homeX, plan.startY, baseline, trial)) continue;
            if (!walkWritesAll(trial, textStartX, plan.startY, plan.homeStep)) continue;
            out = trial;
            return true;
        }
    }
    return false;
}

// The region of the first glyph when it hangs on the lead-in: just right of
// the start point, clear of the rest of the text.
bool hangFirstGlyph(const Font& font, char c, int emHeight, int baseline, const LetteringPlan& plan,
                    const ByteBitmap& text, Grid& region) {
    if (c == '.') return false;
    for (int em : kEmWidthsPx) {
        GlyphImage g = font.glyph(static_cast<unsigned char>(c), em, emHeight);
        for (const auto& v : kVariants) {
            Ring ring;
            if (!ringFromGlyph(g, v[0], v[1], ring)) continue;
            Grid r = regionOf(g, v[0], v[1]);
            int shift = plan.startX + kHangGap - (ring.minX() + kPad - g.left);
            region = canvas();
            Pixels pixels;
            for (int y = 0; y < r.h; ++y)
                for (int x = 0; x < r.w; ++x)
                    if (r.at(x, y)) pixels.push_back({x + shift, baseline + y - kPad - g.top});
            if (!inView(pixels) || !clearOf(pixels, text)) continue;
            for (const Pixel& p : pixels) region.set(p.first, p.second, true);
            return true;
        }
    }
    return false;
}

// The lead-in region with toothPx pixels of teeth (tallest first, tips at
// tipY), and, when the first glyph hangs on it, a neck up over the text and
// down onto the glyph's top at column neckX. False when the teeth do not fit.
bool leadInRegion(const LetteringPlan& plan, int tipY, int toothPx, const Grid* hanging, int neckX, Grid& region) {
    region = canvas();
    const int bx = plan.startX - kBarOffset;
    fill(region, bx, plan.startY - 1, plan.startX, plan.startY + 3);  // stub
    fill(region, bx, plan.startY - 1, bx + 2, kSpineBottom);           // bar
    fill(region, 2, kSpineBottom - 2, kBitmapW - 3, kSpineBottom);     // spine
    const int fullPx = kSpineBottom - 3 - tipY + 1;
    int left = toothPx;
    for (int tx = 2; left > 0 && tx + kToothWidth - 1 <= kBitmapW - 3; tx += kToothPeriod) {
        if (tx + kToothWidth - 1 > bx - 3 && tx < bx + 5) continue;  // two columns clear of the bar
        int h = std::min(left, fullPx);
        if (h < kMinToothPx) break;
        fill(region, tx, kSpineBottom - 2 - h, tx + kToothWidth - 1, kSpineBottom - 3);
        left -= h;
    }
    if (left >= kMinToothPx) return false;
    if (hanging) {
        int top = 0;
        while (top < kBitmapH && !hanging->at(neckX + 1, top)) ++top;
        const int neckY = topOf(*hanging) - kNeckAbove;
        if (top == kBitmapH || neckY < 2) return false;
        fill(region, bx, neckY, bx + 2, plan.startY - 1);
        fill(region, bx, neckY, neckX + 2, neckY + 2);
        fill(region, neckX, neckY + 3, neckX + 2, top - 1);
        for (size_t i = 0; i < region.on.size(); ++i) region.on[i] |= hanging->on[i];
    }
    return true;
}

bool addLeadInWith(const LetteringPlan& plan, int tipY, int toothPx, const Grid* hanging, int neckX,
                   ByteBitmap& out) {
    Grid region;
    if (!leadInRegion(plan, tipY, toothPx, hanging, neckX, region)) return false;
    Pixels ring = outlineOf(region);
    if (!isSimpleRing(ring) || !outlineCovers(region, ring) ||
        std::find(ring.begin(), ring.end(), Pixel{plan.startX, plan.startY}) == ring.end() || !clearOf(ring, out))
        return false;
    for (const Pixel& p : ring)
        out.put(p.first, p.second, hanging && hanging->at(p.first, p.second) ? kLitValue : kVisitedMark);
    return true;
}

// Adds the lead-in's stroke to the text: silent but for the hanging glyph's
// pixels. False when it is no simple ring through the start point or
// touches the text, wherever the neck meets the glyph. The neck lands
// where the glyph's top is flattest, so that the two join cleanly: flat for
// five columns round the neck, then for its own three.
bool addLeadIn(const LetteringPlan& plan, int tipY, int toothPx, const Grid* hanging, ByteBitmap& out) {
    if (!hanging) return addLeadInWith(plan, tipY, toothPx, nullptr, 0, out);
    auto columnTop = [&](int x) {
        int y = 0;
        while (y < kBitmapH && !hanging->at(x, y)) ++y;
        return y;
    };
    for (int margin : {1, 0}) {
        for (int x = 1; x + 3 < kBitmapW; ++x) {
            int top = columnTop(x + 1);
            bool flat = top < kBitmapH;
            for (int c = x - margin; c <= x + 2 + margin; ++c) flat = flat && columnTop(c) == top;
            if (flat && addLeadInWith(plan, tipY, toothPx, hanging, x, out)) return true;
        }
    }
    return false;
}

// Small silent squares on the homes between the lead-in and the text.
bool addSpacers(const LetteringPlan& plan, ByteBitmap& out) {
    for (int k = 1; k < plan.textHome; ++k) {
        Grid region = canvas();
        int x = plan.startX + k * plan.homeStep;
        fill(region, x, plan.startY - 1, x + kSpacerPx - 1, plan.startY + kSpacerPx - 2);
        Pixels ring = outlineOf(region);
        if (!clearOf(ring, out)) return false;
        for (const Pixel& p : ring) out.put(p.first, p.second, kVisitedMark);
    }
    return true;
}

int bottomOf(const ByteBitmap& b, const Grid* hanging) {
    int bottom = 0;
    for (int y = 0; y < kBitmapH; ++y)
        for (int x = 0; x < kBitmapW; ++x)
            if (b.at(x, y) || (hanging && hanging->at(x, y))) bottom = y;
    return bottom;
}

}  // namespace

bool checkLettering(const ByteBitmap& bitmap, const LetteringPlan& plan, LetteringReport& report,
                    std::string& error) {
    report.walk = walkOutline(bitmap, plan.totalSteps, plan.startX, plan.startY, plan.homeStep);
    WindowTiming window;
    window.windowSeconds = plan.windowSeconds;
    window.lifetimeSeconds = plan.lifetimeSeconds;
    report.times = timeWriting(report.walk, plan.totalSteps, window);
    const uint8_t start = bitmap.at(plan.startX, plan.startY);
    const int unwritable = start != 0 && start != kVisitedMark;
    const WritingTimes& t = report.times;
    char line[160];
    if (report.walk.emitted < report.walk.litPixels - unwritable)
        std::snprintf(line, sizeof line, "the walker writes only %d of %d pixels within its budget",
                      report.walk.emitted, report.walk.litPixels);
    else if (t.doneShare < kEarliestDone || t.doneShare > kLatestDone)
        std::snprintf(line, sizeof line, "the text is done at %.1f %% of its window", 100.0 * t.doneShare);
    else if (t.litAtDone < kMinLit)
        std::snprintf(line, sizeof line, "only %.1f %% of the text glows when it is done", 100.0 * t.litAtDone);
    else if (plan.litAtEnd && t.litAtEnd < kMinLit)
        std::snprintf(line, sizeof line, "only %.1f %% of the text glows at the end of its window",
                      100.0 * t.litAtEnd);
    else
        return true;
    error = plan.file + ": " + line;
    return false;
}

namespace {

// The text at one em height with its lead-in tuned to finish it at the
// plan's share of the window; false when it does not pass the checks with
// the readable share of the lifetime.
bool buildAt(const Font& font, const LetteringPlan& plan, int emHeight, ByteBitmap& out, std::string& error) {
    out = ByteBitmap();
    const int baseline = plan.startY + static_cast<int>(emHeight * kCapShare) / 2;
    const size_t first = plan.textHome == 0 ? 1 : 0;  // glyphs on homes of their own
    const int textStartX = plan.startX + (plan.textHome + static_cast<int>(first)) * plan.homeStep;
    for (size_t k = first; k < plan.text.size(); ++k) {
        int homeX = plan.startX + (plan.textHome + static_cast<int>(k)) * plan.homeStep;
        if (!placeGlyph(font, plan.text[k], emHeight, homeX, baseline, textStartX, plan, out)) {
            error = plan.file + ": no stroke of '" + std::string(1, plan.text[k]) + "' that the walker writes whole";
            return false;
        }
    }
    Grid hanging;
    const Grid* hang = nullptr;
    if (plan.textHome == 0) {
        if (!hangFirstGlyph(font, plan.text[0], emHeight, baseline, plan, out, hanging)) {
            error = plan.file + ": no stroke of '" + plan.text.substr(0, 1) + "' clear of the rest of the text";
            return false;
        }
        hang = &hanging;
    }
    if (!addSpacers(plan, out)) {
        error = plan.file + ": the silent strokes before the text touch it";
        return false;
    }
    const int tipY = bottomOf(out, hang) + kTipGap;
    const ByteBitmap text = out;
    int toothPx = 0;
    for (int round = 0; round < 8; ++round) {
        out = text;
        if (!addLeadIn(plan, tipY, toothPx, hang, out)) {
            error = plan.file + ": no lead-in of that length fits below the text";
            return false;
        }
        int finish = walkOutline(out, kCheckSteps, plan.startX, plan.startY, plan.homeStep).stepsToFinish;
        // Each pixel of tooth height adds two steps, up one side, down the other.
        int more = static_cast<int>(std::lround((kDoneShare * plan.totalSteps - finish) / 2.0));
        if (more == 0 || (more < 0 && toothPx == 0)) break;
        toothPx = std::max(0, toothPx + more);
    }
    LetteringPlan readable = plan;
    readable.lifetimeSeconds *= kReadableLife;
    LetteringReport report;
    return checkLettering(out, readable, report, error);
}
}  // namespace

bool buildLettering(const Font& font, const LetteringPlan& plan, ByteBitmap& out, LetteringReport& report,
                    std::string& error) {
    for (int em = kTallestEmPx; em >= kShortestEmPx; em -= kEmStepPx) {
        if (!buildAt(font, plan, em, out, error)) continue;
        report.capHeightPx = static_cast<int>(em * kCapShare);
        return checkLettering(out, plan, report, error);  // fills the report
    }
    return false;
}

