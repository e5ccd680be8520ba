// startMusic and stopMusic: the sound calls, their order and values, and a
// show that stays silent, never stuck, when the file or the device is missing.
#include <gtest/gtest.h>

#include <algorithm>

#include "media/Music.h"
#include "media/MusicTestAudio.h"
#include "platform/PlatformSound.h"

namespace {

using namespace musictest;

std::vector<std::string> expectedCalls(const std::string& path, bool opened) {
    return {"init 44100 32 0",
            "spectrumUnit",
            "unitActive 1 1",
            "openStream " + path + " 0x2000 0",
            opened ? "play 0 stream" : "play 0 null",
            "spectrumUnit",
            "unitActive 1 0",
            opened ? "stop stream" : "stop null",
            "close"};
}

TEST(MusicTest, StartAndStopMakeTheCallsInOrderWithTheirValues) {
    AudioDriverScope driver("dummy");
    const ScratchFolder scratch("media-order");
    const std::string tone = scratch.path + "/tone.wav";
    writeToneWav(tone, 441.0, 2.0);
    clearSoundCallLog();

    startMusic(tone.c_str());
    EXPECT_TRUE(soundDeviceOpen());
    EXPECT_TRUE(spectrumActive());
    EXPECT_TRUE(soundStreamPlaying());
    stopMusic();
    EXPECT_FALSE(spectrumActive());
    EXPECT_FALSE(soundStreamPlaying());
    EXPECT_FALSE(soundDeviceOpen());
    EXPECT_EQ(soundCallLog(), expectedCalls(tone, true));
}

TEST(MusicTest, MissingFileMakesTheSameCallsAndPlaysNothing) {
    AudioDriverScope driver("dummy");
    const ScratchFolder scratch("media-missing");
    const std::string missing = scratch.path + "/zik.mp3";
    clearSoundCallLog();

    testing::internal::CaptureStderr();
    startMusic(missing.c_str());
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find(missing), std::string::npos) << message;
    EXPECT_FALSE(soundStreamPlaying());
    stopMusic();
    EXPECT_FALSE(soundDeviceOpen());
    EXPECT_EQ(soundCallLog(), expectedCalls(missing, false));
}

TEST(MusicTest, NoAudioDeviceMakesTheSameCallsAndOpensNothing) {
    AudioDriverScope driver("no-such-driver");
    const ScratchFolder scratch("media-nodevice");
    const std::string tone = scratch.path + "/tone.wav";
    writeToneWav(tone, 441.0, 0.5);
    const int opened = soundDeviceOpenCount();
    clearSoundCallLog();

    testing::internal::CaptureStderr();
    startMusic(tone.c_str());
    stopMusic();
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_NE(message.find("silently"), std::string::npos) << message;
    EXPECT_FALSE(soundDeviceOpen());
    EXPECT_EQ(soundDeviceOpenCount(), opened);
    EXPECT_EQ(soundCallLog(), expectedCalls(tone, false));
}

// The soundtrack the build generates, decoded by the decoder the show uses.
TEST(MusicTrackTest, GeneratedTrackDecodesToTheShowLengthBelowFullScale) {
    const std::string track = std::string(ORVANE_BINARY_DIR) + "/data/zik.mp3";
    if (!std::filesystem::exists(track)) GTEST_SKIP() << track << " is not generated (ORVANE_DATA off)";
    AudioDriverScope driver("dummy");
    ASSERT_TRUE(initSound(kRate, 32, 0));
    SoundFileMeasure measure;
    const bool decoded = measureSoundFile(track.c_str(), measure);
    closeSound();
    ASSERT_TRUE(decoded);
    // The show lasts 229.5 s; the track rings out just past it.
    EXPECT_NEAR(measure.seconds, 231.0, 1.0);
    EXPECT_GT(measure.seconds, 229.5);
    EXPECT_LT(measure.peak, 0.99);
    EXPECT_GT(measure.peak, 0.5);
}

}  // namespace
