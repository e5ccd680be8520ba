// The outline walker on small hand-made bitmaps: the step budget, restart,
// turning, the home scan, emission order and positions, the visited marks.
#include <gtest/gtest.h>

#include <vector>

#include "media/Textures.h"
#include "particles/Particles.h"
#include "platform/Platform.h"

namespace {

constexpr uint8_t kInk = 1;

struct Canvas {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(kBitmapBytes, 0);
    ParticleSystem pool{10000, nullptr, 4.0f, 150, 10.0f, 0.0f};

    Canvas()
    {
        useSteppedClock(1000.0 / 30.0);
        setSteppedTime(1000);
    }
    uint8_t& at(int x, int y) { return pixels[y * kBitmapWidth + x]; }
    void row(int x0, int x1, int y)
    {
        for (int x = x0; x <= x1; ++x)
            at(x, y) = kInk;
    }
    // One-pixel ring of the given side with its top-left corner at (x, y).
    void ring(int x, int y, int side)
    {
        row(x, x + side - 1, y);
        row(x, x + side - 1, y + side - 1);
        for (int v = y; v < y + side; ++v) {
            at(x, v) = kInk;
            at(x + side - 1, v) = kInk;
        }
    }
    void trace(float elapsed, float duration = 10.0f, int totalSteps = 3000, int startX = 52, int startY = 82)
    {
        traceOutline(elapsed, duration, pixels.data(), totalSteps, pool, startX, startY, 21);
    }
    // Pixel of emitted particle i, from its position (2x - 320, 200 - 2y, 0).
    std::pair<int, int> pixelOf(int i) const
    {
        const Vec3& p = pool.particles[i].position;
        EXPECT_EQ(p.z, 0.0);
        return {static_cast<int>(p.x + 320) / 2, static_cast<int>(200 - p.y) / 2};
    }
    std::vector<std::pair<int, int>> emitted() const
    {
        std::vector<std::pair<int, int>> out;
        for (int i = 0; i < pool.count; ++i)
            out.push_back(pixelOf(i));
        return out;
    }
};

using Pixels = std::vector<std::pair<int, int>>;

}  // namespace

TEST(TraceOutline, NoStepAtElapsedZeroNorFromAnIsolatedStart)
{
    Canvas c;
    c.row(52, 100, 82);
    c.trace(0.0f);
    c.trace(-1.0f);
    EXPECT_EQ(c.pool.count, 0);
    EXPECT_EQ(c.at(53, 82), kInk);

    Canvas isolated;
    isolated.row(100, 120, 150);  // ink elsewhere, out of reach
    isolated.trace(10.0f);
    EXPECT_EQ(isolated.pool.count, 0);
}

// On a long straight stroke every step emits one pixel, so the count is the
// budget: 3000 x 1 / 10 = 300 steps, and 25 x 1 / 10 = 2.5 gives 3.
TEST(TraceOutline, StepBudgetFollowsTheElapsedFraction)
{
    Canvas big;
    big.row(5, 314, 100);
    big.trace(1.0f, 10.0f, 3000, 5, 100);
    EXPECT_EQ(big.pool.count, 300);

    Canvas small;
    small.row(5, 314, 100);
    small.trace(1.0f, 10.0f, 25, 5, 100);
    EXPECT_EQ(small.pool.count, 3);
}

TEST(TraceOutline, BlankStartStepsOntoInkToItsRight)
{
    Canvas c;
    c.row(53, 57, 82);
    c.trace(10.0f);
    EXPECT_EQ(c.emitted(), (Pixels{{53, 82}, {54, 82}, {55, 82}, {56, 82}, {57, 82}}));
}

TEST(TraceOutline, StraightStrokeIsWalkedToItsEndAndStops)
{
    Canvas c;
    c.row(52, 60, 82);
    c.trace(10.0f);
    ASSERT_EQ(c.pool.count, 8);  // every pixel but the start
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(c.pixelOf(i), std::make_pair(53 + i, 82));
    EXPECT_EQ(c.pool.particles[0].position.x, 2.0 * 53 - 320);
    EXPECT_EQ(c.pool.particles[0].position.y, 200.0 - 2 * 82);
    EXPECT_EQ(c.at(52, 82), kInk);
    EXPECT_EQ(c.at(60, 82), 12);
    EXPECT_EQ(c.pool.emitPosition.x, 2.0 * 60 - 320);
}

// A ring grows with the elapsed time (earlier steps replay silently), then
// emits 15 of its 16 pixels in order; a repeated call emits nothing new.
TEST(TraceOutline, RingEmitsFifteenOfSixteenPixelsInOrder)
{
    Canvas c;
    c.ring(52, 82, 5);
    c.trace(0.01f);  // 3 steps
    EXPECT_EQ(c.pool.count, 3);
    c.trace(0.02f);  // 6 steps
    EXPECT_EQ(c.pool.count, 6);
    c.trace(10.0f);
    const Pixels expected{{53, 82}, {54, 82}, {55, 82}, {56, 82},   // right along the top
                          {56, 83}, {56, 84}, {56, 85}, {56, 86},   // down
                          {55, 86}, {54, 86}, {53, 86}, {52, 86},   // left along the bottom
                          {52, 85}, {52, 84}, {52, 83}};            // up, back to the start
    EXPECT_EQ(c.emitted(), expected);
    EXPECT_EQ(c.at(52, 82), kInk);
    c.trace(10.0f);
    EXPECT_EQ(c.pool.count, 15);
}

TEST(TraceOutline, SecondRingTwentyOnePixelsRightIsWrittenAfterTheFirst)
{
    Canvas c;
    c.ring(52, 82, 5);
    c.ring(73, 82, 5);
    c.trace(10.0f);
    ASSERT_EQ(c.pool.count, 31);
    EXPECT_EQ(c.pixelOf(15), std::make_pair(73, 82));  // its top-left corner first
    EXPECT_EQ(c.pixelOf(16), std::make_pair(74, 82));
    for (int x = 73; x <= 77; ++x)
        EXPECT_EQ(c.at(x, 86), 12);
}

TEST(TraceOutline, FilledRectangleOnlyItsBorderEmits)
{
    Canvas c;
    for (int y = 82; y <= 84; ++y)
        c.row(52, 61, y);
    c.trace(10.0f);
    EXPECT_EQ(c.pool.count, 21);
    for (int x = 53; x <= 60; ++x)
        EXPECT_EQ(c.at(x, 83), kInk);
}

// Mend: pixels outside the bitmap read as background. A stroke ending on
// the right edge must not continue into the next row's first pixel.
TEST(TraceOutline, BitmapBorderReadsAsBackground)
{
    Canvas c;
    c.row(300, 319, 100);
    c.at(0, 101) = kInk;
    c.trace(10.0f, 10.0f, 3000, 300, 100);
    EXPECT_EQ(c.pool.count, 19);
    EXPECT_EQ(c.at(0, 101), kInk);

    Canvas corner;
    corner.row(0, 10, 0);
    corner.trace(10.0f, 10.0f, 3000, 0, 0);
    EXPECT_EQ(corner.pool.count, 10);
}
