// The lettering bitmaps as the show's outline walker writes them, and the
// generator's own check of them.
#include <gtest/gtest.h>

#include <vector>

#include "Bitmaps.h"
#include "DataSet.h"
#include "Lettering.h"
#include "OutlineWalk.h"
#include "media/Textures.h"
#include "particles/Particles.h"

namespace {
constexpr int kPoolCapacity = 10000;  // as the show's shared pool
constexpr uint8_t kVisited = 12;

struct Use {
    const char* file;
    int totalSteps, startX, startY;
};
const Use kUses[] = {
    {"orvane.bmp", 3000, 52, 82}, {"codeby.bmp", 3000, 52, 82}, {"gfxby.bmp", 3000, 52, 82},
    {"zikby.bmp", 3000, 52, 82},  {"end.bmp", 4000, 121, 76},
};

// Every stroke keeps background round it and off the border, and the real
// walker, given its scene's whole budget, writes at least 95 % of the lit
// pixels; the generator's copy of the rule counts the same.
TEST(Lettering, TheShowsWalkerWritesNearlyEveryPixel) {
    for (const Use& use : kUses) {
        SCOPED_TRACE(use.file);
        std::vector<uint8_t> bitmap(kBitmapBytes);
        readIndexedBitmap(dataPath(use.file).c_str(), bitmap.data());
        ByteBitmap copy;
        copy.pixels = bitmap;
        int lit = 0;
        for (int y = 0; y < kBitmapHeight; ++y) {
            for (int x = 0; x < kBitmapWidth; ++x) {
                if (!bitmap[y * kBitmapWidth + x]) continue;
                ++lit;
                EXPECT_TRUE(x > 0 && y > 0 && x < kBitmapWidth - 1 && y < kBitmapHeight - 1);
            }
        }
        ASSERT_GT(lit, 100);
        ParticleSystem pool(kPoolCapacity, nullptr, 4.0f, 150, 10.0f, 0.0f);
        traceOutline(10.0f, 10.0f, bitmap.data(), use.totalSteps, pool, use.startX, use.startY, 21);
        int marked = 0;
        for (uint8_t v : bitmap) marked += v == kVisited;
        EXPECT_EQ(pool.count, marked);
        EXPECT_GE(marked, lit * 0.95) << marked << " of " << lit;
        WalkResult own = walkOutline(copy, use.totalSteps, use.startX, use.startY, 21);
        EXPECT_EQ(own.emitted, marked);
        EXPECT_EQ(own.litPixels, lit);
    }
}

// Glyphs stay inside their 21-pixel cells: no lit pixel of one glyph touches
// another's, so each closed stroke is walked alone.
TEST(Lettering, GlyphsAreNarrowerThanTheirStep) {
    for (const Use& use : kUses) {
        SCOPED_TRACE(use.file);
        std::vector<uint8_t> bitmap(kBitmapBytes);
        readIndexedBitmap(dataPath(use.file).c_str(), bitmap.data());
        std::vector<int> columns(kBitmapWidth, 0);
        for (int y = 0; y < kBitmapHeight; ++y)
            for (int x = 0; x < kBitmapWidth; ++x) columns[x] += bitmap[y * kBitmapWidth + x] != 0;
        int run = 0, widest = 0;
        for (int c : columns) {
            run = c ? run + 1 : 0;
            widest = std::max(widest, run);
        }
        EXPECT_LT(widest, 21);
    }
}

// The generator refuses lettering the walker cannot write within budget,
// and a budget that covers the walk passes.
TEST(Lettering, GeneratorRefusesWhatTheWalkerCannotWrite) {
    Font font(fontPath(kLetteringFont));
    ASSERT_TRUE(font.ok());
    ByteBitmap out;
    WalkResult walk;
    std::string error;
    LetteringPlan tight{"tight.bmp", "ORVANE", 52, 82, 21, 200};
    EXPECT_FALSE(buildLettering(font, tight, out, walk, error));
    EXPECT_NE(error.find("tight.bmp"), std::string::npos);
    LetteringPlan roomy{"roomy.bmp", "ORVANE", 52, 82, 21, 3000};
    EXPECT_TRUE(buildLettering(font, roomy, out, walk, error)) << error;
    EXPECT_EQ(walk.emitted, walk.litPixels - 1);  // all but the start pixel
}

// The generator's walk copy on the rule's own small cases: a ring of side 5
// writes 15 of its 16 pixels; a lone stroke stops at its end.
TEST(Lettering, WalkCopyFollowsTheRule) {
    ByteBitmap ring;
    for (int i = 0; i < 5; ++i) {
        ring.put(10 + i, 10, 255);
        ring.put(10 + i, 14, 255);
        ring.put(10, 10 + i, 255);
        ring.put(14, 10 + i, 255);
    }
    EXPECT_EQ(walkOutline(ring, 1000, 10, 10, 21).emitted, 15);
    ByteBitmap second = ring;
    for (int i = 0; i < 5; ++i) {
        second.put(31 + i, 10, 255);
        second.put(31 + i, 14, 255);
        second.put(31, 10 + i, 255);
        second.put(35, 10 + i, 255);
    }
    EXPECT_EQ(walkOutline(second, 1000, 10, 10, 21).emitted, 31);
    ByteBitmap line;
    for (int i = 0; i < 8; ++i) line.put(10 + i, 10, 255);
    WalkResult r = walkOutline(line, 1000, 10, 10, 21);
    EXPECT_EQ(r.emitted, 7);
    EXPECT_EQ(r.stepsToFinish, 7);
}
}  // namespace
