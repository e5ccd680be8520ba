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

// The stream plays on the mixer's thread after the call returns, until
// stopped: the tone comes out at about the level it went in (half of full
// scale) and at its pitch (441 rising crossings a second).
TEST(SoundTest, StreamPlaysInTheBackgroundUntilStopped) {
    const ScratchFolder scratch("platform-play");
    const std::string tone = scratch.path + "/tone.wav", output = scratch.path + "/out.raw";
    writeToneWav(tone, 441.0, 3.0);
    AudioDriverScope disk("disk", output);
    ASSERT_TRUE(initSound(kRate, kChannels, 0));
    SoundStream* stream = openSoundStream(tone.c_str(), kStreamMode, 0);
    ASSERT_TRUE(playSoundStream(0, stream));
    playFor(700);
    EXPECT_TRUE(soundStreamPlaying());
    stopSoundStream(stream);
    EXPECT_FALSE(soundStreamPlaying());
    closeSound();
    EXPECT_FALSE(soundDeviceOpen());

    const DiskOutput out = readDiskOutput(output);
    ASSERT_GT(out.frames, (size_t)(0.3 * kRate));
    EXPECT_GT(out.loudFrames, (size_t)(0.2 * kRate));
    EXPECT_GT(out.peak, 8000);
    EXPECT_LT(out.peak, 32767);
    EXPECT_NEAR(out.crossings * (double)kRate / (double)out.loudFrames, 441.0, 25.0);
}

// A missing file gives no stream and one message line naming it; playing,
// stopping it, an empty file, random bytes and a WAV header that promises
// more than it holds never crash and leave the device closable.
TEST(SoundTest, MissingAndBrokenFilesNeverCrash) {
    const ScratchFolder scratch("platform-broken");
    const std::string& folder = scratch.path;
    const std::string missing = folder + "/absent.mp3";
    std::ofstream(folder + "/empty.mp3").close();
    std::ofstream noise(folder + "/noise.mp3", std::ios::binary);
    for (uint32_t i = 0, x = 12345; i < 65536; ++i) noise.put((char)((x = x * 1664525u + 1013904223u) >> 24));
    noise.close();
    writeToneWav(folder + "/cut.wav", 441.0, 1.0);
    std::filesystem::resize_file(folder + "/cut.wav", 100);
    AudioDriverScope driver("dummy");
    ASSERT_TRUE(initSound(kRate, kChannels, 0));

    testing::internal::CaptureStderr();
    SoundStream* stream = openSoundStream(missing.c_str(), kStreamMode, 0);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(stream, nullptr);
    EXPECT_NE(message.find(missing), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << "one line: " << message;
    EXPECT_FALSE(playSoundStream(0, stream));
    EXPECT_FALSE(soundStreamPlaying());

    testing::internal::CaptureStderr();
    for (const char* name : {"/absent.mp3", "/empty.mp3", "/noise.mp3", "/cut.wav"}) {
        SoundStream* broken = openSoundStream((folder + name).c_str(), kStreamMode, 0);
        playSoundStream(0, broken);
        playFor(150);
        stopSoundStream(broken);
    }
    testing::internal::GetCapturedStderr();
    closeSound();
    EXPECT_FALSE(soundDeviceOpen());
}

}  // namespace
