// The particle pool on the stepped clock: capacity rule, rate-driven
// emission, removal by age and by index, brightness.
#include <gtest/gtest.h>

#include <cmath>

#include "particles/Particles.h"
#include "platform/Platform.h"

namespace {

// Puts the stepped clock at ms and returns the particle clock there.
float at(double ms)
{
    useSteppedClock(1000.0 / 30.0);
    setSteppedTime(ms);
    return tickSeconds();
}

}  // namespace

TEST(ParticleClock, FollowsTheSteppedClock)
{
    EXPECT_EQ(at(2000), 2.0f);
    advanceSteppedClock();  // one presented frame at 30 fps
    EXPECT_EQ(tickSeconds(), 2033 * 0.001f);
}

// Capacity 10000 holds 9999; emitAt stamps birth and death and leaves the
// rate clock alone.
TEST(ParticleSystem, EmitAtFillsAllButOneSlotAndStampsTheTimes)
{
    const float t = at(3000);
    ParticleSystem pool(10000, nullptr, 4.0f, 150, 10.0f, 0.0f);
    for (int i = 0; i < 10000; ++i)
        pool.emitAt(i, 0, 0);
    EXPECT_EQ(pool.count, 9999);
    EXPECT_EQ(pool.particles[9998].position.x, 9998.0);
    EXPECT_EQ(pool.particles[0].birthTime, t);
    EXPECT_EQ(pool.particles[0].deathTime, t + 4.0f);
    EXPECT_EQ(pool.lastEmitTime, 0.0f);
}

TEST(ParticleSystem, FirstUpdateOnlyStartsTheRateClock)
{
    const float t = at(5000);
    ParticleSystem pool(100, nullptr, 1.0f, 100, 10.0f, 0.0f);
    pool.update();
    EXPECT_EQ(pool.count, 0);
    EXPECT_EQ(pool.lastEmitTime, t);
}

TEST(ParticleSystem, RateLimitsToOneParticlePerCall)
{
    at(1000);
    ParticleSystem pool(100, nullptr, 60.0f, 100, 10.0f, 0.0f);
    pool.update();
    at(1004);
    pool.update();
    at(1008);
    pool.update();
    EXPECT_EQ(pool.count, 0);  // less than 0.01 s since the start
    at(1012);
    pool.update();
    EXPECT_EQ(pool.count, 1);
    EXPECT_EQ(pool.lastEmitTime, at(1012));
    at(1016);
    pool.update();
    at(1020);
    pool.update();
    EXPECT_EQ(pool.count, 1);
    at(5000);  // a long gap still gives one particle
    pool.update();
    EXPECT_EQ(pool.count, 2);
}

TEST(ParticleSystem, FullPoolKeepsTheRateClockWaiting)
{
    at(1000);
    ParticleSystem pool(2, nullptr, 0.5f, 100, 10.0f, 0.0f);
    pool.update();
    at(1100);
    pool.update();
    ASSERT_EQ(pool.count, 1);
    at(1200);
    pool.update();  // full: refused, lastEmitTime stays
    EXPECT_EQ(pool.count, 1);
    EXPECT_EQ(pool.lastEmitTime, at(1100));
    at(1700);  // emission is tried before removal: the dead one only frees its slot
    pool.update();
    EXPECT_EQ(pool.count, 0);
    at(1710);  // the first call after a slot frees emits at once
    pool.update();
    ASSERT_EQ(pool.count, 1);
    EXPECT_EQ(pool.particles[0].birthTime, at(1710));
}

// Removal at the death time, and removal by index keeping the order.
TEST(ParticleSystem, RemovalKeepsTheRestInOrder)
{
    const float t = at(2000);
    ParticleSystem pool(10, nullptr, 4.0f, 0, 10.0f, 0.0f);
    for (int i = 0; i < 5; ++i)
        pool.emitAt(i, 0, 0);
    pool.particles[0].deathTime = t;                          // dies now
    pool.particles[2].deathTime = std::nextafter(t, 0.0f);    // already dead
    pool.particles[1].deathTime = std::nextafter(t, 100.0f);  // lives on
    pool.update();
    ASSERT_EQ(pool.count, 3);
    pool.removeAt(1);
    pool.removeAt(5);  // out of range: ignored
    ASSERT_EQ(pool.count, 2);
    EXPECT_EQ(pool.particles[0].position.x, 1.0);
    EXPECT_EQ(pool.particles[1].position.x, 4.0);
}

TEST(ParticleSystem, ReleaseEmptiesThePoolAndIsSafeTwice)
{
    at(1000);
    ParticleSystem pool(10, nullptr, 4.0f, 0, 10.0f, 0.0f);
    pool.emitAt(0, 0, 0);
    pool.release();
    EXPECT_EQ(pool.count, 0);
    pool.emitAt(0, 0, 0);  // nothing to write into: refused
    pool.update();
    EXPECT_EQ(pool.count, 0);
    pool.release();
}

TEST(Brightness, FallsLinearlyAndGoesNegativeAfterDeath)
{
    Particle p;
    p.birthTime = 2.0f;
    p.deathTime = 6.0f;
    EXPECT_EQ(brightness(p, 2.0f), 1.0f);
    EXPECT_EQ(brightness(p, 4.0f), 0.5f);
    EXPECT_EQ(brightness(p, 6.0f), 0.0f);
    EXPECT_EQ(brightness(p, 7.0f), -0.25f);
}
