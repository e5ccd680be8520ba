// The per-scene draw list: city-block distances, farthest first with the
// exact partition of the show's quicksort, emission order with the flag off.
#include <gtest/gtest.h>

#include "particles/Particles.h"
#include "platform/Platform.h"
#include "support/TestScenes.h"

using namespace testscenes;

namespace {

// A scene whose one emitter holds particles at the given x positions
// (camera at the origin, so distance = |x|).
struct ListScene {
    Scene scene;
    ParticleSystem pool{100, nullptr, 4.0f, 0, 1.0f, 0.0f};

    explicit ListScene(std::initializer_list<double> xs)
    {
        useSteppedClock(1000.0 / 30.0);
        setSteppedTime(1000);
        addStillCamera(scene, {0, 0, 0}, {0, 0, -1});
        for (double x : xs)
            pool.emitAt(x, 0, 0);
        scene.emitters[0] = &pool;
        scene.emitterObjects[0] = &scene;
        scene.emitterCount = 1;
        scene.sortBuffer = new SortEntry[200];
    }
    ~ListScene() { particleDepthTestOn(); }

    std::vector<int> order() const
    {
        std::vector<int> out;
        for (int i = 0; i < scene.sortCount; ++i)
            out.push_back(scene.sortBuffer[i].particleIndex);
        return out;
    }
};

}  // namespace

TEST(DrawList, FarthestFirstOnlyWhenTheDepthTestIsOn)
{
    ListScene s{5, 9};
    particleDepthTestOn();
    buildDrawList(s.scene);
    ASSERT_EQ(s.scene.sortCount, 2);
    EXPECT_EQ(s.scene.sortBuffer[0].distance, 9.0f);
    EXPECT_EQ(s.scene.sortBuffer[1].distance, 5.0f);
    EXPECT_EQ(s.order(), (std::vector<int>{1, 0}));

    particleDepthTestOff();
    buildDrawList(s.scene);
    EXPECT_EQ(s.order(), (std::vector<int>{0, 1}));
}

TEST(DrawList, DistanceIsCityBlockFromTheCamera)
{
    ListScene s{};
    buildDrawList(s.scene);
    EXPECT_EQ(s.scene.sortCount, 0);
    s.scene.camera->cameraPosition = {1, 1, 1};
    s.pool.emitAt(3, -4, 2);
    buildDrawList(s.scene);
    ASSERT_EQ(s.scene.sortCount, 1);
    EXPECT_EQ(s.scene.sortBuffer[0].distance, 8.0f);
    EXPECT_EQ(s.scene.sortBuffer[0].emitterIndex, 0);
}

// Equal distances end in the order the middle-pivot partition leaves them.
TEST(DrawList, PartitionOrderOfEqualDistances)
{
    ListScene equal{3, 3, 3};
    buildDrawList(equal.scene);
    EXPECT_EQ(equal.order(), (std::vector<int>{2, 1, 0}));

    ListScene mixed{1, 5, 3, 5, 2};
    buildDrawList(mixed.scene);
    EXPECT_EQ(mixed.order(), (std::vector<int>{1, 3, 2, 4, 0}));

    Scene bare;  // no emitters, no buffer
    buildDrawList(bare);
    EXPECT_EQ(bare.sortCount, 0);
}
