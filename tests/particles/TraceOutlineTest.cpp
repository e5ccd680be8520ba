// The outline walker on small hand-made bitmaps: the step budget, restart,
// turning, the home scan, emission order and positions, the visited marks.
#include <gtest/gtest.h>

#include <vector>

#include "media/Textures.h"
#include "particles/Particles.h"
#include "platform/Platform.h"

namespace {

constexpr uint8_t kInk = 1;
constexpr uint8_t kVisited = 12;

using Pixels = std::vector<std::pair<int, int>>;

// Rectangle x0..x1, y0..y1 inclusive: filled, or only its one-pixel border.
struct Shape {
    int x0, y0, x1, y1;
    bool hollow = false;
};

struct Canvas {
    std::vector<uint8_t> pixels = std::vector<uint8_t>(kBitmapBytes, 0);
    ParticleSystem pool{10000, nullptr, 4.0f, 150, 10.0f, 0.0f};

    Canvas(std::initializer_list<Shape> shapes) {
        useSteppedClock(1000.0 / 30.0);
        setSteppedTime(1000);
        for (const Shape& s : shapes)
            for (int y = s.y0; y <= s.y1; ++y)
                for (int x = s.x0; x <= s.x1; ++x)
                    if (!s.hollow || x == s.x0 || x == s.x1 || y == s.y0 || y == s.y1) at(x, y) = kInk;
    }
    uint8_t& at(int x, int y) { return pixels[y * kBitmapWidth + x]; }
    void trace(float elapsed, int totalSteps = 3000, int startX = 52, int startY = 82) {
        traceOutline(elapsed, 10.0f, pixels.data(), totalSteps, pool, startX, startY, 21);
    }
};

}  // namespace

// On a long stroke every step emits, so the count is the budget:
// 3000 x 1 / 10 = 300, and 25 x 1 / 10 = 2.5 gives 3. A filled shape emits
// only its border. At a dead end the turn tries down, up, right, left, then
// the diagonals, never straight back. Reaching a blank home point restarts
// the walk (ink just right of it is never reached). Outside the bitmap is background: a stroke on the right
// edge does not run on into the next row's first pixel, nor one at the
// top-left past the buffer.
TEST(TraceOutline, EmittedCountsFollowTheBudgetAndTheShapeAndRingsEmitInOrder) {
    const struct {
        const char* name;
        std::initializer_list<Shape> shapes;
        int count;
        float elapsed = 10.0f;
        int totalSteps = 3000, startX = 52, startY = 82;
    } cases[] = {
        {"elapsed 0", {{52, 82, 100, 82}}, 0, 0.0f},
        {"negative elapsed", {{52, 82, 100, 82}}, 0, -1.0f},
        {"isolated start", {{100, 150, 120, 150}}, 0},
        {"straight stroke: all but the start", {{52, 82, 60, 82}}, 8},
        {"blank start steps onto ink to its right", {{53, 82, 57, 82}}, 5},
        {"budget 300", {{5, 100, 314, 100}}, 300, 1.0f, 3000, 5, 100},
        {"budget 3", {{5, 100, 314, 100}}, 3, 1.0f, 25, 5, 100},
        {"filled rectangle: border only", {{52, 82, 61, 84}}, 21},
        {"T junction: down before up", {{52, 82, 56, 82}, {56, 78, 56, 81}, {56, 83, 56, 84}}, 6},
        {"fork: down-right before up-right",
         {{52, 82, 56, 82}, {57, 83, 57, 83}, {58, 84, 58, 84}, {57, 81, 57, 81}, {58, 80, 58, 80}, {59, 79, 59, 79}},
         6},
        {"blank home point: back to the start", {{52, 82, 56, 86, true}, {74, 82, 78, 82}}, 15},
        {"right edge", {{300, 100, 319, 100}, {0, 101, 0, 101}}, 19, 10.0f, 3000, 300, 100},
        {"top-left corner", {{0, 0, 10, 0}}, 10, 10.0f, 3000, 0, 0},
    };
    for (const auto& c : cases) {
        Canvas canvas(c.shapes);
        canvas.trace(c.elapsed, c.totalSteps, c.startX, c.startY);
        EXPECT_EQ(canvas.pool.count, c.count) << c.name;
    }

    // A ring grows with the elapsed time (earlier steps replay silently), then
    // emits 15 of its 16 pixels clockwise at (2x - 320, 200 - 2y, 0), marking
    // them visited; the start pixel keeps its ink. The second ring, 21 pixels
    // right, follows from its top-left corner; a repeated call emits nothing.
    Canvas c{{52, 82, 56, 86, true}, {73, 82, 77, 86, true}};
    c.trace(0.01f);  // 3 steps
    EXPECT_EQ(c.pool.count, 3);
    c.trace(0.02f);  // 6 steps
    EXPECT_EQ(c.pool.count, 6);
    c.trace(10.0f);
    const Pixels expected{{53, 82}, {54, 82}, {55, 82}, {56, 82}, {56, 83}, {56, 84}, {56, 85}, {56, 86}, {55, 86},
                          {54, 86}, {53, 86}, {52, 86}, {52, 85}, {52, 84}, {52, 83}, {73, 82}, {74, 82}};
    ASSERT_EQ(c.pool.count, 31);
    for (size_t i = 0; i < expected.size(); ++i) {
        const Vec3& p = c.pool.particles[i].position;
        const auto [x, y] = expected[i];
        EXPECT_TRUE(p.x == 2.0 * x - 320 && p.y == 200.0 - 2 * y && p.z == 0.0) << "emission " << i;
    }
    EXPECT_EQ(c.at(52, 82), kInk);
    EXPECT_EQ(c.at(75, 86), kVisited);
    EXPECT_TRUE(c.pool.emitPosition.x == 2.0 * 73 - 320 && c.pool.emitPosition.y == 200.0 - 2 * 83)
        << "the last emission, (73, 83)";
    c.trace(10.0f);
    EXPECT_EQ(c.pool.count, 31);
}
