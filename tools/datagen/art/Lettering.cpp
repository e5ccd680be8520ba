#include "art/Lettering.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {
constexpr int kPad = 3;  // background around a glyph's grid
// FreeType em widths tried, widest first, at a tall em: narrow, tall
// capitals whose outlines are long enough to be written slowly.
constexpr int kEmWidthsPx[] = {22, 20, 18, 16};
constexpr double kCapShare = 0.73;    // cap height over em height
constexpr int kMaxGlyphWidthPx = 19;  // narrower than the 21-pixel home step
constexpr int kLitValue = 255;
constexpr int kUnlimitedSteps = 200000;
constexpr int kDiamondRadius = 3;
constexpr int kMinFrameMarginPx = 10;  // text to frame, above and below
constexpr int kBandPx = 6;             // between a double frame's two lines
constexpr int kMaxArchPx = 9;          // tallest frame arches tried, under half the home step

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

bool ringFromGlyph(const GlyphImage& g, int threshold, int dilate, Ring& ring) {
    if (g.width == 0) return false;
    Grid r = regionOf(g, threshold, dilate);
    std::vector<Pixel> seq = outlineOf(r);
    if (!isSimpleRing(seq)) return false;
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

bool placeRing(const Ring& ring, int homeX, int startY, int baseline, int previousMaxX, ByteBitmap& bitmap) {
    int homeRow = startY - baseline;
    int left = 1 << 30;
    for (const Pixel& p : ring.pixels)
        if (p.second == homeRow) left = std::min(left, p.first);
    if (left == (1 << 30)) return false;
    int shift = homeX - left;
    if (ring.minX() + shift < previousMaxX + 2 || ring.minX() + shift < 1 || ring.maxX() + shift > kBitmapW - 2)
        return false;
    for (const Pixel& p : ring.pixels) {
        int y = baseline + p.second;
        if (y < 1 || y > kBitmapH - 2) return false;
        bitmap.put(p.first + shift, y, kLitValue);
    }
    return true;
}

int maxLitX(const ByteBitmap& b) {
    int m = -10;
    for (int y = 0; y < kBitmapH; ++y)
        for (int x = 0; x < kBitmapW; ++x)
            if (b.at(x, y)) m = std::max(m, x);
    return m;
}

// True when an unlimited walk writes every pixel of the bitmap but the start.
bool walkWritesAll(const ByteBitmap& b, const LetteringPlan& plan) {
    WalkResult r = walkOutline(b, kUnlimitedSteps, plan.startX, plan.startY, plan.homeStep);
    return r.emitted >= r.litPixels - 1;
}

// Places character c with its home at homeX: the first stroke variant that
// the walker writes whole, or false.
bool placeGlyph(const Font& font, char c, int homeX, int baseline, const LetteringPlan& plan, ByteBitmap& out) {
    int previousMaxX = maxLitX(out);
    if (c == '.') {
        ByteBitmap trial = out;
        if (!placeRing(diamond(plan.startY - baseline), homeX, plan.startY, baseline, previousMaxX, trial) ||
            !walkWritesAll(trial, plan))
            return false;
        out = trial;
        return true;
    }
    for (int em : kEmWidthsPx) {
        GlyphImage g = font.glyph(static_cast<unsigned char>(c), em, plan.emHeightPx);
        for (const auto& v : kVariants) {
            Ring ring;
            ByteBitmap trial = out;
            if (!ringFromGlyph(g, v[0], v[1], ring)) continue;
            if (!placeRing(ring, homeX, plan.startY, baseline, previousMaxX, trial)) continue;
            if (!walkWritesAll(trial, plan)) continue;
            out = trial;
            return true;
        }
    }
    return false;
}

// Bounding box of the lit pixels.
struct Box {
    int left = kBitmapW, top = kBitmapH, right = -1, bottom = -1;
};
Box litBox(const ByteBitmap& b) {
    Box box;
    for (int y = 0; y < kBitmapH; ++y)
        for (int x = 0; x < kBitmapW; ++x)
            if (b.at(x, y)) {
                box.left = std::min(box.left, x);
                box.right = std::max(box.right, x);
                box.top = std::min(box.top, y);
                box.bottom = std::max(box.bottom, y);
            }
    return box;
}

// Frame k round the text, counted from the text outwards: its side through
// its home point, the same margin on every side (at least
// kMinFrameMarginPx above and below); only the outermost is arched or
// doubled.
FrameShape frameAround(const Box& text, int k, int archPx, bool doubled, const LetteringPlan& plan) {
    FrameShape f;
    int n = static_cast<int>(plan.text.size());
    int cell = plan.framesFirst ? plan.frames - 1 - k : n + k;
    f.anchorX = plan.startX + cell * plan.homeStep;
    f.anchorY = plan.startY;
    int margin = plan.framesFirst ? text.left - f.anchorX : f.anchorX - text.right;
    f.left = text.left - margin;
    f.right = text.right + margin;
    f.top = text.top - std::max(margin, kMinFrameMarginPx);
    f.bottom = text.bottom + std::max(margin, kMinFrameMarginPx);
    bool outermost = k + 1 == plan.frames;
    f.archPx = outermost ? archPx : 0;
    f.bandPx = doubled && outermost ? kBandPx : 0;
    return f;
}

// Adds the plan's frames to the text; false when they do not fit or the
// walker would not write them whole.
bool addFrames(const LetteringPlan& plan, int archPx, bool doubled, ByteBitmap& out) {
    Box text = litBox(out);
    for (int k = 0; k < plan.frames; ++k) {
        FrameShape f = frameAround(text, k, archPx, doubled, plan);
        if (f.left < 1 || f.top - f.archPx < 1 || f.bottom + f.archPx > kBitmapH - 2 || f.right > kBitmapW - 2)
            return false;
        Ring ring = frameRing(f);
        if (ring.pixels.empty()) return false;
        for (const Pixel& p : ring.pixels) out.put(p.first, p.second, kLitValue);
    }
    return walkWritesAll(out, plan);
}

// The frames whose arches, and a second line on the outermost of two or
// more, bring the end of the walk nearest kTargetShare of the budget; the
// text alone when the plan has none.
bool frameText(const LetteringPlan& plan, ByteBitmap& out) {
    if (plan.frames == 0) return true;
    const double target = kTargetShare * plan.totalSteps;
    ByteBitmap best;
    double bestMiss = 1e9;
    for (int variant = 0; variant < 2 * (kMaxArchPx + 1); ++variant) {
        bool doubled = variant > kMaxArchPx;
        ByteBitmap trial = out;
        if ((doubled && plan.frames < 2) || !addFrames(plan, variant % (kMaxArchPx + 1), doubled, trial)) continue;
        double miss = std::abs(
            walkOutline(trial, kUnlimitedSteps, plan.startX, plan.startY, plan.homeStep).stepsToFinish - target);
        if (miss < bestMiss) {
            bestMiss = miss;
            best = trial;
        }
    }
    if (bestMiss == 1e9) return false;
    out = best;
    return true;
}
}  // namespace

bool buildLettering(const Font& font, const LetteringPlan& plan, ByteBitmap& out, WalkResult& walk,
                    std::string& error) {
    out = ByteBitmap();
    int baseline = plan.startY + static_cast<int>(plan.emHeightPx * kCapShare) / 2;
    // The text alone, walked from its own first home point.
    LetteringPlan text = plan;
    text.startX += plan.framesFirst ? plan.frames * plan.homeStep : 0;
    for (size_t k = 0; k < plan.text.size(); ++k) {
        int homeX = text.startX + static_cast<int>(k) * plan.homeStep;
        if (!placeGlyph(font, plan.text[k], homeX, baseline, text, out)) {
            error = plan.file + ": no stroke of '" + std::string(1, plan.text[k]) + "' that the walker writes whole";
            return false;
        }
    }
    if (!frameText(plan, out)) {
        error = plan.file + ": no frame round the text that fits and that the walker writes whole";
        return false;
    }
    walk = walkOutline(out, plan.totalSteps, plan.startX, plan.startY, plan.homeStep);
    if (walk.coverage() < kMinCoverage) {
        error = plan.file + ": the walker writes only " + std::to_string(walk.emitted) + " of " +
                std::to_string(walk.litPixels) + " pixels within its budget";
        return false;
    }
    return true;
}
