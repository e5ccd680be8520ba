// The lettering bitmaps as the show's outline walker writes them, called 30
// times a second through each text's window; the generator's own copy of
// its rule must agree with it and refuse a bitmap that falls short.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "DataSet.h"
#include "art/OutlineWalk.h"
#include "art/ShowBitmaps.h"
#include "media/Textures.h"
#include "particles/Particles.h"
#include "scenes/Scene3Entrance.h"
#include "scenes/Scene6Rooms.h"
#include "scenes/Scene8Mine.h"
#include "scenes/Show.h"
#include "scenes/ShowPlan.h"

namespace {
constexpr int kPoolCapacity = 10000;  // as the show's shared pool
constexpr int kHomeStep = 21;
constexpr double kCallsPerSecond = 30.0;
constexpr float kClosingLifetime = 8.0f;  // scene 8 sets the pool's lifetime to this

std::vector<uint8_t> readLettering(const LetteringPlan& plan) {
    std::vector<uint8_t> bitmap(kBitmapBytes);
    readIndexedBitmap(dataPath(plan.file).c_str(), bitmap.data());
    return bitmap;
}

// A window's writing by the show's walker: when each particle appeared.
struct Writing {
    int canEmit = 0;  // pixels neither 0 nor already marked
    int marked = 0;   // pixels the walker marked
    std::vector<double> shown;
};

Writing writeWindow(const LetteringPlan& plan, float window) {
    std::vector<uint8_t> bitmap = readLettering(plan);
    Writing w;
    std::vector<uint8_t> before = bitmap;
    for (uint8_t v : bitmap) w.canEmit += v != 0 && v != kVisitedMark;
    ParticleSystem pool(kPoolCapacity, nullptr, 4.0f, 150, 10.0f, 0.0f);
    for (int call = 0; call <= static_cast<int>(window * kCallsPerSecond); ++call) {
        int count = pool.count;
        traceOutline(static_cast<float>(call / kCallsPerSecond), window, bitmap.data(), plan.totalSteps, pool,
                     plan.startX, plan.startY, kHomeStep);
        for (int i = count; i < pool.count; ++i) w.shown.push_back(call / kCallsPerSecond);
    }
    for (size_t i = 0; i < bitmap.size(); ++i) w.marked += bitmap[i] == kVisitedMark && before[i] != kVisitedMark;
    return w;
}

double aliveShare(const Writing& w, double at, double lifetime) {
    int alive = 0;
    for (double t : w.shown) alive += at - t < lifetime;
    return static_cast<double>(alive) / static_cast<double>(w.shown.size());
}

// The plans carry the scenes' windows and lifetimes. Every text lies inside
// the 4:3 picture of the pool's eye (552 by 414 units, two a pixel), a
// sprite's half and a margin clear of its edges. The show's walker writes
// every pixel but the start, done between 50 and 90 % of the window with
// 90 % of the text still alive then (the closing text also at the show's
// end); the generator's copy of the rule times it the same.
TEST(Lettering, EachTextIsWrittenWholeAndStillGlowsWhenDone) {
    const std::vector<LetteringPlan> plans = showLettering();
    ASSERT_EQ(plans.size(), 5u);
    const float windows[] = {kShowPlan[2].duration, kCreditSeconds, kCreditSeconds, kCreditSeconds, kClosingSeconds};
    const float lifetimes[] = {kSharedLifetime, kSharedLifetime, kSharedLifetime, kSharedLifetime, kClosingLifetime};
    const int steps[] = {kNameSteps, 3000, 3000, 3000, kClosingSteps};  // the credits' budget is scene 6's own
    for (size_t k = 0; k < plans.size(); ++k) {
        const LetteringPlan& plan = plans[k];
        SCOPED_TRACE(plan.file);
        EXPECT_EQ(plan.windowSeconds, windows[k]);
        EXPECT_EQ(plan.lifetimeSeconds, lifetimes[k]);
        EXPECT_EQ(plan.totalSteps, steps[k]);
        std::vector<uint8_t> bitmap = readLettering(plan);
        for (int y = 0; y < kBitmapHeight; ++y) {
            for (int x = 0; x < kBitmapWidth; ++x) {
                const uint8_t v = bitmap[y * kBitmapWidth + x];
                if (!v) continue;
                EXPECT_TRUE(x > 0 && y > 0 && x < kBitmapWidth - 1 && y < kBitmapHeight - 1) << x << "," << y;
                if (v == kVisitedMark) continue;
                EXPECT_LE(std::abs(2 * x - 320) + 10, 276 - 8) << x << "," << y;
                EXPECT_LE(std::abs(200 - 2 * y) + 10, 207 - 8) << x << "," << y;
            }
        }
        Writing w = writeWindow(plan, windows[k]);
        ASSERT_GT(w.canEmit, 400);
        EXPECT_EQ(static_cast<int>(w.shown.size()), w.marked);
        EXPECT_GE(w.marked, w.canEmit - 1);
        const double done = w.shown.back();
        EXPECT_GE(done / windows[k], 0.5);
        EXPECT_LE(done / windows[k], 0.9);
        EXPECT_GE(aliveShare(w, done, lifetimes[k]), 0.9);
        if (k == 4) {
            EXPECT_GE(aliveShare(w, windows[k], lifetimes[k]), 0.9);
        }

        ByteBitmap copy;
        copy.pixels = bitmap;
        LetteringReport report;
        std::string error;
        EXPECT_TRUE(checkLettering(copy, plan, report, error)) << error;
        EXPECT_EQ(report.walk.emitted, w.marked);
        EXPECT_DOUBLE_EQ(report.times.doneShare, done / windows[k]);
        EXPECT_DOUBLE_EQ(report.times.litAtDone, aliveShare(w, done, lifetimes[k]));
    }
}

// The generator's check refuses a text whose silent lead-in is lit (written
// from the start, it cannot all glow when done, nor be done in time), one
// with a broken stroke (the walker misses part of it), and one done too
// early for its window.
TEST(Lettering, TheGeneratorsCheckRefusesTextsThatFallShort) {
    const LetteringPlan plan = showLettering()[1];
    ByteBitmap good;
    good.pixels = readLettering(plan);
    LetteringReport report;
    std::string error;
    ASSERT_TRUE(checkLettering(good, plan, report, error)) << error;

    ByteBitmap lit = good;
    for (uint8_t& v : lit.pixels)
        if (v == kVisitedMark) v = 255;
    EXPECT_FALSE(checkLettering(lit, plan, report, error));

    ByteBitmap broken = good;
    for (int x = kBitmapW - 1, done = 0; x >= 0 && !done; --x)  // a pixel of the last glyph's stroke
        for (int y = 0; y < kBitmapH && !done; ++y)
            if (broken.at(x, y) == 255) {
                broken.put(x, y, 0);
                done = 1;
            }
    EXPECT_FALSE(checkLettering(broken, plan, report, error));
    EXPECT_NE(error.find("writes only"), std::string::npos) << error;

    LetteringPlan longer = plan;
    longer.windowSeconds *= 2.0;  // the same walk spread over twice the time
    longer.totalSteps *= 2;
    EXPECT_FALSE(checkLettering(good, longer, report, error));
    EXPECT_NE(error.find("done at"), std::string::npos) << error;
}

}  // namespace
