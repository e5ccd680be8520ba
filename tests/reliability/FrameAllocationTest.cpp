// No heap allocation per frame, with the generated data and with every file
// missing (refused scenes play black frames, textures without pictures,
// zeroed bitmaps): the whole show in this process after loadShow, counting
// malloc as well as operator new.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "DataCopy.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "scenes/SceneTimings.h"
#include "scenes/Show.h"
#include "support/GlTestContext.h"

// AddressSanitizer supplies its own allocator; the count needs ours.
#if !defined(__SANITIZE_ADDRESS__)
#define ORVANE_COUNT_ALLOCATIONS 1
#endif

#if ORVANE_COUNT_ALLOCATIONS

// The program's libraries are linked statically into this test; the GL
// driver, which allocates as it meets new states, lives in shared libraries.
// A request counts when its caller is in this executable's code.
extern "C" char __executable_start;
extern "C" char etext;
extern "C" void* __libc_malloc(size_t);
extern "C" void __libc_free(void*);

namespace {
std::atomic<long> programAllocations{0};

void countCaller(const void* caller) {
    if (caller >= &__executable_start && caller < &etext) {
        programAllocations.fetch_add(1, std::memory_order_relaxed);
    }
}

void* allocate(std::size_t size) {
    if (void* block = __libc_malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
}  // namespace

extern "C" void* malloc(size_t size) {
    countCaller(__builtin_return_address(0));
    return __libc_malloc(size);
}
extern "C" void free(void* block) { __libc_free(block); }

void* operator new(std::size_t size) {
    countCaller(__builtin_return_address(0));
    return allocate(size);
}
void* operator new[](std::size_t size) {
    countCaller(__builtin_return_address(0));
    return allocate(size);
}
void operator delete(void* block) noexcept { __libc_free(block); }
void operator delete(void* block, std::size_t) noexcept { __libc_free(block); }
void operator delete[](void* block) noexcept { __libc_free(block); }
void operator delete[](void* block, std::size_t) noexcept { __libc_free(block); }

namespace {

constexpr double kFrameMilliseconds = 200.0;  // 5 frames a second of the stepped clock

// Loads the show from folder's data/ and plays it whole; no scene may ask
// the heap for anything after loading.
void expectNoAllocationPerFrame(const std::string& folder) {
    ASSERT_EQ(chdir(folder.c_str()), 0);
    useSteppedClock(kFrameMilliseconds);
    ::testing::internal::CaptureStderr();  // the missing files' messages
    loadShow();
    const long framesBefore = presentedFrameCount();
    for (int n = 1; n <= kShowSceneCount; ++n) {
        const long before = programAllocations.load();
        playShowScene(n);
        EXPECT_EQ(programAllocations.load() - before, 0) << folder << ", scene " << n;
    }
    ::testing::internal::GetCapturedStderr();
    // Every frame of the show was drawn: 229.5 s at 5 frames a second.
    EXPECT_GE(presentedFrameCount() - framesBefore, 1145);
    useRealClock();
    releaseShow();
}

TEST(FrameAllocationTest, NoSceneAllocatesPerFrameWithOrWithoutData) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
    if (builtDataFiles().empty()) GTEST_SKIP() << "no generated data in " << builtDataDir();
    openTestGlContext(160, 120);
    setHeadlessMessages(true);
    DataCopy noData("alloc-empty");
    std::filesystem::remove_all(noData.folder() + "/data");
    expectNoAllocationPerFrame(noData.folder());
    expectNoAllocationPerFrame(ORVANE_BINARY_DIR);
}

}  // namespace

#endif  // ORVANE_COUNT_ALLOCATIONS
