// The whole show on the generated data: played as the real program (30
// frames per second, 320x240) from the first loading frame to the end of
// scene 8 (exit code, no message, every scene to its end), and in this
// process with the program's heap allocations counted (none per frame after
// loading).
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <sstream>
#include <string>

#include "particles/Particles.h"
#include "platform/Platform.h"
#include "scenes/Show.h"
#include "support/GlTestContext.h"

// The program's code is linked statically into this test; the GL driver
// (whose shader compiler allocates whenever it meets a new state) lives in
// shared libraries. An allocation counts when its caller is in this
// executable's code: our code and the inlined standard containers.
extern "C" char __executable_start;
extern "C" char etext;

namespace {

std::atomic<long> programAllocations{0};

void countCaller(const void* caller) {
    if (caller >= &__executable_start && caller < &etext) {
        programAllocations.fetch_add(1, std::memory_order_relaxed);
    }
}

void* allocate(std::size_t size) {
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) {
    countCaller(__builtin_return_address(0));
    return allocate(size);
}
void* operator new[](std::size_t size) {
    countCaller(__builtin_return_address(0));
    return allocate(size);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace {

const std::string kBuildDir = ORVANE_BINARY_DIR;
constexpr int kSceneCount = 8;
constexpr float kDurations[kSceneCount] = {6.5f, 12.0f, 17.0f, 26.0f, 33.0f, 45.0f, 45.0f, 45.0f};
void (*const kScenes[kSceneCount])(float) = {playScene1, playScene2, playScene3, playScene4,
                                               playScene5, playScene6, playScene7, playScene8};
// The captions of every message box the show can show.
const char* const kCaptions[] = {"Error: ", "-=(Status)=-: ", "-=(ERROR)=-: "};

bool fileExists(const std::string& path) { return std::ifstream(path).good(); }

// The generated data set is made by the build; without it there is no show.
bool generatedDataPresent() {
    for (const char* name : {"yoda.3ds", "entree.3ds", "rooms.3ds", "water.3ds", "mine.3ds", "end.bmp"}) {
        if (!fileExists(kBuildDir + "/data/" + name)) return false;
    }
    return true;
}

std::string readAll(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(WholeShow, PlaysToTheEndAndExitsCleanly) {
    if (!generatedDataPresent()) GTEST_SKIP() << "no generated data in " << kBuildDir << "/data (build datagen_data)";
    const std::string program = kBuildDir + "/src/app/orvane";
    if (!fileExists(program)) GTEST_SKIP() << "the program is not built: " << program;
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";

    const std::string out = kBuildDir + "/test-scratch-wholeshow.out";
    const std::string err = kBuildDir + "/test-scratch-wholeshow.err";
    const std::string command = "cd '" + kBuildDir + "' && SDL_AUDIODRIVER=dummy ORVANE_HEADLESS=1 '" + program +
                                "' --play --windowed --size 320x240 --no-music --fixed-fps 30 --timings >'" + out + "' 2>'" + err + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    const std::string errors = readAll(err);
    for (const char* caption : kCaptions) {
        EXPECT_EQ(errors.find(caption), std::string::npos) << "a message box was shown:\n" << errors;
    }
    // One line per scene; each played to just past its duration.
    std::istringstream lines(readAll(out));
    std::string line;
    int scenes = 0;
    while (std::getline(lines, line)) {
        int scene = 0;
        long frames = 0;
        float duration = 0.0f, first = 0.0f, last = 0.0f;
        if (std::sscanf(line.c_str(), "scene %d: duration %f s, %ld frames, first elapsed %f s, last elapsed %f s",
                        &scene, &duration, &frames, &first, &last) != 5) {
            continue;
        }
        ++scenes;
        EXPECT_EQ(scene, scenes);
        EXPECT_FLOAT_EQ(duration, kDurations[scene - 1]);
        // Printed to the millisecond: a last frame just past the end reads
        // as the duration itself.
        EXPECT_GE(last, duration) << line;
        EXPECT_LT(last, duration + 0.05f) << line;
        EXPECT_GE(frames, static_cast<long>(duration * 30.0f)) << line;
    }
    EXPECT_EQ(scenes, kSceneCount) << readAll(out);
}

// The counter sees allocations of the program's libraries, arrays included.
TEST(WholeShow, CounterSeesTheProgramsAllocations) {
    const long before = programAllocations.load();
    {
        ParticleSystem pool(10, nullptr, 1.0f, 1, 1.0f, 0.0f);
        Scene scene;
    }
    EXPECT_GE(programAllocations.load() - before, 1);
}

// The show as the run sequence plays it, at 10 frames per second of the
// stepped clock: after loadShow the program's heap count stays still through
// every frame of every scene.
TEST(WholeShow, AllocatesNothingPerFrameAfterLoading) {
    if (!generatedDataPresent()) GTEST_SKIP() << "no generated data in " << kBuildDir << "/data (build datagen_data)";
    openTestGlContext(640, 480);
    ASSERT_EQ(chdir(kBuildDir.c_str()), 0);
    const int boxesBefore = messageBoxCount();
    useSteppedClock(100.0);
    loadShow();
    long allocated[kSceneCount] = {};
    for (int i = 0; i < kSceneCount; ++i) {
        const long before = programAllocations.load();
        kScenes[i](kDurations[i]);
        allocated[i] = programAllocations.load() - before;
    }
    useRealClock();
    for (int i = 0; i < kSceneCount; ++i) EXPECT_EQ(allocated[i], 0) << "scene " << i + 1;
    EXPECT_EQ(messageBoxCount(), boxesBefore) << "the generated data raises no message";
    releaseShow();
}

}  // namespace
