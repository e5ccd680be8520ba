// The lettering bitmaps as the show's outline walker writes them; the
// generator's own copy of its rule must agree with it.
#include <gtest/gtest.h>

#include <vector>

#include "DataSet.h"
#include "art/OutlineWalk.h"
#include "art/ShowBitmaps.h"
#include "media/Textures.h"
#include "particles/Particles.h"

namespace {
constexpr int kPoolCapacity = 10000;  // as the show's shared pool
constexpr uint8_t kVisited = 12;
constexpr int kHomeStep = 21;

std::vector<uint8_t> readLettering(const LetteringPlan& plan) {
    std::vector<uint8_t> bitmap(kBitmapBytes);
    readIndexedBitmap(dataPath(plan.file).c_str(), bitmap.data());
    return bitmap;
}

// Pixels the show's walker marks with `share` of the window gone.
int markedAt(const LetteringPlan& plan, double share) {
    std::vector<uint8_t> bitmap = readLettering(plan);
    ParticleSystem pool(kPoolCapacity, nullptr, 4.0f, 150, 10.0f, 0.0f);
    traceOutline(static_cast<float>(10.0 * share), 10.0f, bitmap.data(), plan.totalSteps, pool, plan.startX,
                 plan.startY, kHomeStep);
    int marked = 0;
    for (uint8_t v : bitmap) marked += v == kVisited;
    EXPECT_EQ(pool.count, marked);
    return marked;
}

// Strokes keep off the border; the show's walker writes every lit pixel but
// the start, and finishes between 60 and 90 % of its window, so the writing
// fills most of it; the generator's copy of the rule counts the same.
TEST(Lettering, TheShowsWalkerWritesEveryPixelOverMostOfTheWindow) {
    for (const LetteringPlan& plan : showLettering()) {
        SCOPED_TRACE(plan.file);
        std::vector<uint8_t> bitmap = readLettering(plan);
        int lit = 0;
        for (int y = 0; y < kBitmapHeight; ++y) {
            for (int x = 0; x < kBitmapWidth; ++x) {
                if (!bitmap[y * kBitmapWidth + x]) continue;
                ++lit;
                EXPECT_TRUE(x > 0 && y > 0 && x < kBitmapWidth - 1 && y < kBitmapHeight - 1) << x << "," << y;
            }
        }
        ASSERT_GT(lit, 500);
        int early = markedAt(plan, 0.6);
        EXPECT_LT(early, lit - 1) << "finished before 60 % of the window";
        EXPECT_EQ(markedAt(plan, 0.9), lit - 1);
        EXPECT_EQ(markedAt(plan, 1.0), lit - 1);
        ByteBitmap copy;
        copy.pixels = bitmap;
        EXPECT_EQ(
            walkOutline(copy, static_cast<int>(0.6 * plan.totalSteps), plan.startX, plan.startY, kHomeStep).emitted,
            early);
    }
}

}  // namespace
