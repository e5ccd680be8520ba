// The frame path allocates nothing: 100 frames of evaluateKeyframes and
// render (with its emitters) after the first, counted by replacing the
// global operator new of this test program (new[] and delete[] forward to
// the replaced ones).

// The replaced operators pair malloc with free, which GCC cannot see.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "platform/Platform.h"
#include "support/FrameScene.h"

// AddressSanitizer supplies its own operator new; the count needs ours.
#if !defined(__SANITIZE_ADDRESS__)
#define ORVANE_COUNT_ALLOCATIONS 1
#endif

// The program's libraries are linked statically; the GL driver lives in
// shared libraries. A request counts when its caller is in this executable.
extern "C" char __executable_start;
extern "C" char etext;

namespace {

bool counting = false;    // only while measuring
long ownAllocations = 0;  // requested from code linked into this program

[[maybe_unused]] void* countedAllocation(std::size_t size, const void* caller)
{
    if (counting && caller >= &__executable_start && caller < static_cast<const void*>(&etext))
        ++ownAllocations;
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

}  // namespace

#if ORVANE_COUNT_ALLOCATIONS
void* operator new(std::size_t size) { return countedAllocation(size, __builtin_return_address(0)); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#endif

TEST(FrameAllocations, HundredFramesAfterTheFirstAllocateNothing)
{
#if !ORVANE_COUNT_ALLOCATIONS
    GTEST_SKIP() << "built with AddressSanitizer: allocations are not counted";
#endif
    // The counter sees an allocation made here.
    counting = true;
    delete new std::vector<int>(100);
    counting = false;
    ASSERT_GE(ownAllocations, 2);

    openTestGlContext(testgl::kWidth, testgl::kHeight);
    useSteppedClock(1000.0 / 30.0);
    setSteppedTime(1000);
    Scene scene;
    testscenes::buildFrameScene(scene);
    auto frame = [&](int i) {
        scene.frame = i * 2.0;
        scene.evaluateKeyframes();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.render();
        advanceSteppedClock();
    };
    frame(0);
    const long before = ownAllocations;
    counting = true;
    for (int i = 1; i <= 100; ++i)
        frame(i);
    counting = false;
    EXPECT_EQ(ownAllocations - before, 0);

    int live = 0;
    for (int i = 0; i < scene.emitterCount; ++i)
        live += scene.emitters[i]->count;
    EXPECT_GT(live, 40);  // the emitters were busy all along
}
