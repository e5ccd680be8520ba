// The sound stream on SDL2_mixer, heard through SDL's disk driver.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "media/MusicTestAudio.h"
#include "platform/PlatformSound.h"

namespace {

using namespace musictest;

const int kChannels = 32;
const uint32_t kStreamMode = 0x2000;

void playFor(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

TEST(SoundTest, StreamPlaysInTheBackgroundUntilStopped) {
    const ScratchFolder scratch("platform-play");
    const std::string& folder = scratch.path;
    const std::string tone = folder + "/tone.wav", output = folder + "/out.raw";
    writeToneWav(tone, 441.0, 3.0);
    AudioDriverScope disk("disk", output);

    ASSERT_TRUE(initSound(kRate, kChannels, 0));
    EXPECT_TRUE(soundDeviceOpen());
    SoundStream* stream = openSoundStream(tone.c_str(), kStreamMode, 0);
    ASSERT_NE(stream, nullptr);
    ASSERT_TRUE(playSoundStream(0, stream));
    // Nothing here waits: the call has returned and the mixer thread plays.
    EXPECT_TRUE(soundStreamPlaying());
    playFor(700);
    EXPECT_TRUE(soundStreamPlaying());
    stopSoundStream(stream);
    EXPECT_FALSE(soundStreamPlaying());
    closeSound();
    EXPECT_FALSE(soundDeviceOpen());

    const DiskOutput out = readDiskOutput(output);
    ASSERT_GT(out.frames, (size_t)(0.3 * kRate));
    EXPECT_GT(out.loudFrames, (size_t)(0.2 * kRate));
    // Half of full scale went in; the mixer passes it at about that level.
    EXPECT_GT(out.peak, 8000);
    EXPECT_LT(out.peak, 32767);
    // The tone itself comes out: 441 rising crossings a second.
    const double hz = out.crossings * (double)kRate / (double)out.loudFrames;
    EXPECT_NEAR(hz, 441.0, 25.0);
}

TEST(SoundTest, MissingFileIsSilenceWithOneMessage) {
    const ScratchFolder scratch("platform-missing");
    const std::string& folder = scratch.path;
    const std::string output = folder + "/out.raw";
    const std::string missing = folder + "/absent.mp3";
    AudioDriverScope disk("disk", output);

    ASSERT_TRUE(initSound(kRate, kChannels, 0));
    testing::internal::CaptureStderr();
    SoundStream* stream = openSoundStream(missing.c_str(), kStreamMode, 0);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(stream, nullptr);
    EXPECT_NE(message.find(missing), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << "one line: " << message;
    EXPECT_FALSE(playSoundStream(0, stream));
    EXPECT_FALSE(soundStreamPlaying());
    playFor(200);
    stopSoundStream(stream);
    closeSound();

    const DiskOutput out = readDiskOutput(output);
    EXPECT_GT(out.frames, 0u) << "the device was open";
    EXPECT_EQ(out.peak, 0);
}

TEST(SoundTest, BrokenFilesNeverCrash) {
    const ScratchFolder scratch("platform-broken");
    const std::string& folder = scratch.path;
    AudioDriverScope disk("disk", folder + "/out.raw");
    ASSERT_TRUE(initSound(kRate, kChannels, 0));
    // An empty file, random bytes, and a WAV header that promises more than it holds.
    std::ofstream(folder + "/empty.mp3").close();
    std::ofstream noise(folder + "/noise.mp3", std::ios::binary);
    uint32_t x = 12345;
    for (int i = 0; i < 65536; ++i) {
        x = x * 1664525u + 1013904223u;
        noise.put((char)(x >> 24));
    }
    noise.close();
    writeToneWav(folder + "/cut.wav", 441.0, 1.0);
    std::filesystem::resize_file(folder + "/cut.wav", 100);
    testing::internal::CaptureStderr();
    for (const char* name : {"/empty.mp3", "/noise.mp3", "/cut.wav"}) {
        SoundStream* stream = openSoundStream((folder + name).c_str(), kStreamMode, 0);
        playSoundStream(0, stream);
        playFor(150);
        stopSoundStream(stream);
    }
    testing::internal::GetCapturedStderr();
    closeSound();
    EXPECT_FALSE(soundDeviceOpen());
}

}  // namespace
