// The frame path allocates nothing: 100 frames of evaluateKeyframes and
// render (with its emitters) after the first, counted by replacing the
// global operator new of this test program. Only requests made from this
// program's own code count: the GL driver (Mesa's llvmpipe) compiles and
// caches pipeline variants through LLVM with allocations of its own.

// The replaced operators pair malloc with free, which GCC cannot see.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "platform/Platform.h"
#include "support/FrameScene.h"

// AddressSanitizer supplies its own operator new; the count needs ours.
#if !defined(__SANITIZE_ADDRESS__)
#define ORVANE_COUNT_ALLOCATIONS 1
#endif

namespace {

bool counting = false;       // classification costs a dladdr: only while measuring
long ownAllocations = 0;     // requested from code linked into this program
long driverAllocations = 0;  // requested from shared libraries (GL driver, LLVM)

// True when the address lies in the test program itself (our libraries
// are static, so our code and its inlined containers are there).
bool inThisProgram(void* address)
{
    static void* programBase = [] {
        Dl_info self{};
        dladdr(reinterpret_cast<void*>(&inThisProgram), &self);
        return self.dli_fbase;
    }();
    Dl_info info{};
    return dladdr(address, &info) != 0 && info.dli_fbase == programBase;
}

void* countedAllocation(std::size_t size, void* caller)
{
    if (counting) {
        if (inThisProgram(caller))
            ++ownAllocations;
        else
            ++driverAllocations;
    }
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

}  // namespace

#if ORVANE_COUNT_ALLOCATIONS
void* operator new(std::size_t size) { return countedAllocation(size, __builtin_return_address(0)); }
void* operator new[](std::size_t size) { return countedAllocation(size, __builtin_return_address(0)); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
#else
[[maybe_unused]] void* unusedCounter = reinterpret_cast<void*>(&countedAllocation);
#endif

TEST(FrameAllocations, HundredFramesAfterTheFirstAllocateNothing)
{
#if !ORVANE_COUNT_ALLOCATIONS
    GTEST_SKIP() << "built with AddressSanitizer: allocations are not counted";
#endif
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
    const long ownBefore = ownAllocations;
    const long driverBefore = driverAllocations;
    counting = true;
    for (int i = 1; i <= 100; ++i)
        frame(i);
    counting = false;
    EXPECT_EQ(ownAllocations - ownBefore, 0);
    std::printf("allocations in 100 frames: program %ld, GL driver %ld\n", ownAllocations - ownBefore,
                driverAllocations - driverBefore);

    int live = 0;
    for (int i = 0; i < scene.emitterCount; ++i)
        live += scene.emitters[i]->count;
    EXPECT_GT(live, 40);  // the emitters were busy all along
}

// The counter itself sees an allocation made here.
TEST(FrameAllocations, CounterSeesThisProgramsAllocations)
{
#if !ORVANE_COUNT_ALLOCATIONS
    GTEST_SKIP() << "built with AddressSanitizer: allocations are not counted";
#endif
    const long before = ownAllocations;
    counting = true;
    std::vector<int>* v = new std::vector<int>(100);
    counting = false;
    EXPECT_GE(ownAllocations - before, 2);
    delete v;
}
