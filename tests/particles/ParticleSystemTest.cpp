// The particle pool on the stepped clock: capacity rule, rate-driven
// emission, removal by age and by index, brightness; and the per-scene draw
// list: city-block distances, farthest first with the exact partition of
// the show's quicksort, emission order with the flag off.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "particles/Particles.h"
#include "platform/Platform.h"
#include "support/TestScenes.h"

namespace {

// Puts the stepped clock at ms and returns the particle clock there.
float at(double ms) {
    useSteppedClock(1000.0 / 30.0);
    setSteppedTime(ms);
    return tickSeconds();
}

}  // namespace

// Capacity 10000 holds 9999; emitAt stamps birth and death on the stepped
// clock and leaves the rate clock alone. Brightness falls linearly over the
// life and goes negative after death. Removal at the death time, and removal
// by index keeping the order; a released pool refuses emission, safe twice.
TEST(ParticleSystem, EmitAtFillsAllButOneSlotRemovalKeepsTheRestInOrder) {
    const float t = at(3000);
    ParticleSystem pool(10000, nullptr, 4.0f, 0, 10.0f, 0.0f);
    for (int i = 0; i < 10000; ++i) pool.emitAt(i, 0, 0);
    EXPECT_EQ(pool.count, 9999);
    EXPECT_EQ(pool.particles[9998].position.x, 9998.0);
    EXPECT_EQ(pool.particles[0].birthTime, t);
    EXPECT_EQ(pool.particles[0].deathTime, t + 4.0f);
    EXPECT_EQ(pool.lastEmitTime, 0.0f);
    for (const auto& [after, expected] : {std::pair{0.0f, 1.0f}, {2.0f, 0.5f}, {4.0f, 0.0f}, {5.0f, -0.25f}})
        EXPECT_FLOAT_EQ(brightness(pool.particles[0], t + after), expected) << after << " s into the life";

    pool.particles[0].deathTime = t;                          // dies now
    pool.particles[2].deathTime = std::nextafter(t, 0.0f);    // already dead
    pool.particles[1].deathTime = std::nextafter(t, 100.0f);  // lives on
    pool.update();
    ASSERT_EQ(pool.count, 9997);
    pool.removeAt(1);
    pool.removeAt(pool.count);  // out of range: ignored
    pool.removeAt(-1);
    ASSERT_EQ(pool.count, 9996);
    EXPECT_EQ(pool.particles[0].position.x, 1.0);
    EXPECT_EQ(pool.particles[1].position.x, 4.0);
    advanceSteppedClock();  // one presented frame at 30 fps
    EXPECT_EQ(tickSeconds(), 3033 * 0.001f);

    pool.release();
    pool.emitAt(0, 0, 0);
    pool.update();
    EXPECT_EQ(pool.count, 0);
    pool.release();
}

// Rate 100, half a second of life, room for 3: the first call only starts
// the rate clock; then one particle once 0.01 s have passed since the last,
// never more than one per call. A full pool refuses and the rate clock
// waits; emission is tried before removal, so a death frees its slot for
// the next call, which emits at once.
TEST(ParticleSystem, UpdateEmitsAtMostOnePerCallAtTheRate) {
    at(1000);
    ParticleSystem pool(4, nullptr, 0.5f, 100, 10.0f, 0.0f);
    const struct {
        double ms;
        int count;
    } steps[] = {{1000, 0}, {1004, 0}, {1008, 0}, {1012, 1}, {1016, 1},
                 {1100, 2}, {1200, 3}, {1300, 3}, {1520, 2}, {1521, 3}};
    for (const auto& s : steps) {
        at(s.ms);
        pool.update();
        EXPECT_EQ(pool.count, s.count) << "at " << s.ms << " ms";
    }
    EXPECT_EQ(pool.lastEmitTime, at(1521));
    EXPECT_EQ(pool.particles[2].birthTime, at(1521));
}

TEST(DrawList, OrderAndDistances) {
    const struct {
        const char* name;
        Vec3 eye;
        std::vector<Vec3> particles;
        bool depthTest;
        std::vector<int> order;
        std::vector<float> distances;
    } cases[] = {
        {"farthest first", {0, 0, 0}, {{5, 0, 0}, {-9, 0, 0}}, true, {1, 0}, {9, 5}},
        {"emission order with the flag off", {0, 0, 0}, {{5, 0, 0}, {9, 0, 0}}, false, {0, 1}, {5, 9}},
        {"city block from the eye", {1, 1, 1}, {{3, -4, 2}}, true, {0}, {8}},
        // Equal distances end where the middle-pivot partition leaves them.
        {"equal", {0, 0, 0}, {{3, 0, 0}, {0, 3, 0}, {0, 0, 3}}, true, {2, 1, 0}, {3, 3, 3}},
        {"mixed", {0, 0, 0}, {{1, 0, 0}, {5, 0, 0}, {1, 0, 0}, {5, 0, 0}}, true, {3, 1, 0, 2}, {5, 5, 1, 1}},
        {"no particles", {0, 0, 0}, {}, true, {}, {}},
    };
    at(1000);
    for (const auto& c : cases) {
        Scene scene;
        testscenes::addStillCamera(scene, c.eye, {0, 0, -1});
        ParticleSystem pool{100, nullptr, 4.0f, 0, 1.0f, 0.0f};
        for (const Vec3& p : c.particles) pool.emitAt(p.x, p.y, p.z);
        scene.emitters[0] = &pool;
        scene.emitterObjects[0] = &scene;
        scene.emitterCount = 1;
        scene.sortBuffer = new SortEntry[200];
        particleDepthTest = c.depthTest;
        buildDrawList(scene);
        std::vector<int> order;
        std::vector<float> distances;
        for (int i = 0; i < scene.sortCount; ++i) {
            order.push_back(scene.sortBuffer[i].particleIndex);
            distances.push_back(scene.sortBuffer[i].distance);
            EXPECT_EQ(scene.sortBuffer[i].emitterIndex, 0) << c.name;
        }
        EXPECT_EQ(order, c.order) << c.name;
        EXPECT_EQ(distances, c.distances) << c.name;
    }
    particleDepthTestOn();

    Scene bare;  // no emitters, no buffer
    buildDrawList(bare);
    EXPECT_EQ(bare.sortCount, 0);
}
