// The platform layer: the tick clock, stepped and real; the headless
// message box; the window's pixel format, events one at a time in order,
// presenting; the sound stream, heard through SDL's disk driver.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "media/MusicTestAudio.h"
#include "platform/Platform.h"
#include "platform/PlatformSound.h"
#include "platform/PlatformWindow.h"
#include "support/GlTestContext.h"

namespace {

// The stepped clock moves only when a frame is counted; setting the time
// restarts the count from there; fractional steps never drift (30 fps: 229 s
// of frames land on 229000 ms).
TEST(Clock, SteppedClockAdvancesPerPresentedFrameWithoutDrift) {
    useSteppedClock(40.0);
    EXPECT_TRUE(clockIsStepped());
    EXPECT_EQ(tickCount(), 0u);
    advanceSteppedClock();
    EXPECT_EQ(tickCount(), 40u);
    EXPECT_EQ(tickCount(), 40u);
    setSteppedTime(1000.0);
    EXPECT_EQ(tickCount(), 1000u);
    advanceSteppedClock();
    EXPECT_EQ(tickCount(), 1040u);
    useSteppedClock(1000.0 / 30.0);
    advanceSteppedClock();
    EXPECT_EQ(tickCount(), 33u);
    for (int i = 1; i < 30 * 229; ++i) advanceSteppedClock();
    EXPECT_EQ(tickCount(), 229000u);

    // The window: double-buffered and deep, each presented frame counted and
    // stepping the clock.
    openTestGlContext();
    const PixelFormatInfo format = currentPixelFormat();
    EXPECT_TRUE(format.doubleBuffered);
    EXPECT_GE(format.colorBits, 24);
    EXPECT_GE(format.depthBits, 16);
    EXPECT_TRUE(windowHasPixelFormat());
    int width = 0, height = 0;
    windowClientSize(&width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    const long before = presentedFrameCount();
    useSteppedClock(40.0);
    presentFrame();
    presentFrame();
    EXPECT_EQ(presentedFrameCount(), before + 2);
    EXPECT_EQ(tickCount(), 80u);  // each presented frame steps the clock

    // The real clock counts from program start, not from boot: this test
    // program has run for well under ten minutes.
    useRealClock();
    EXPECT_FALSE(clockIsStepped());
    const uint32_t first = tickCount();
    EXPECT_LT(first, 600u * 1000u);
    EXPECT_GE(tickCount(), first);
    EXPECT_LT(wallClockSeconds(), 600.0);
}

// Headless, a box is one line "caption: text" on standard error (null texts
// print empty) and is counted. A stepped clock alone makes a run headless,
// so a test or capture run never waits on a box.
TEST(MessageBox, HeadlessBoxGoesToStandardErrorAndCounts) {
    setHeadlessMessages(true);
    const int before = messageBoxCount();
    ::testing::internal::CaptureStderr();
    showMessageBox("data/missing.jpg", "-=(Status)=-");
    showMessageBox(nullptr, nullptr);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "-=(Status)=-: data/missing.jpg\n: \n");
    EXPECT_EQ(messageBoxCount(), before + 2);

    unsetenv("ORVANE_HEADLESS");  // this process only; later boxes stay headless
    setHeadlessMessages(false);
    useSteppedClock(10.0);
    EXPECT_TRUE(headlessMessages());
    useRealClock();
    setHeadlessMessages(true);
}

// The stream plays on the mixer's thread after the call returns, until
// stopped: the tone comes out at about the level it went in (half of full
// scale) and at its pitch (441 rising crossings a second).
TEST(Sound, StreamPlaysInTheBackgroundUntilStopped) {
    using namespace musictest;
    const std::string folder = scratchFolder("platform");
    const std::string tone = folder + "/tone.wav", output = folder + "/out.raw";
    writeToneWav(tone, 441.0, 3.0);
    useAudioDriver("disk", output);
    ASSERT_TRUE(initSound(kRate, 32, 0));
    SoundStream* stream = openSoundStream(tone.c_str(), 0x2000, 0);
    ASSERT_TRUE(playSoundStream(0, stream));
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    EXPECT_TRUE(soundStreamPlaying());
    stopSoundStream(stream);
    EXPECT_FALSE(soundStreamPlaying());
    closeSound();
    EXPECT_FALSE(soundDeviceOpen());

    useAudioDriver("dummy");
    const DiskOutput out = readDiskOutput(output);
    std::filesystem::remove_all(folder);
    ASSERT_GT(out.frames, (size_t)(0.3 * kRate));
    EXPECT_GT(out.loudFrames, (size_t)(0.2 * kRate));
    EXPECT_GT(out.peak, 8000);
    EXPECT_LT(out.peak, 32767);
    EXPECT_NEAR(out.crossings * (double)kRate / (double)out.loudFrames, 441.0, 25.0);
}

}  // namespace
