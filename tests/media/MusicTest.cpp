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
    const std::string stream = opened ? "stream" : "null";
    // clang-format off
    return {"init 44100 32 0", "spectrumUnit", "unitActive 1 1", "openStream " + path + " 0x2000 0",
            "play 0 " + stream, "spectrumUnit", "unitActive 1 0", "stop " + stream, "close"};
    // clang-format on
}

TEST(MusicTest, StartAndStopMakeTheSameCallsInOrderWhateverIsMissing) {
    struct Case {
        const char* name;
        const char* driver;
        bool fileExists;
        const char* message;  // in the one line on standard error; null for none
    };
    const Case cases[] = {
        {"plays", "dummy", true, nullptr},
        {"missing mp3", "dummy", false, "/zik.mp3"},
        {"no audio device", "no-such-driver", true, "silently"},
    };
    const std::string folder = scratchFolder("media");
    const std::string tone = folder + "/tone.wav", missing = folder + "/zik.mp3";
    writeToneWav(tone, 441.0, 2.0);
    for (const Case& c : cases) {
        useAudioDriver(c.driver);
        const bool hasDevice = std::string(c.driver) == "dummy";
        const std::string& path = c.fileExists ? tone : missing;
        const int opensBefore = soundDeviceOpenCount();
        clearSoundCallLog();

        testing::internal::CaptureStderr();
        startMusic(path.c_str());
        EXPECT_EQ(soundDeviceOpen(), hasDevice) << c.name;
        EXPECT_EQ(soundStreamPlaying(), hasDevice && c.fileExists) << c.name;
        EXPECT_TRUE(spectrumActive()) << c.name;
        stopMusic();
        const std::string message = testing::internal::GetCapturedStderr();

        EXPECT_FALSE(spectrumActive()) << c.name;
        EXPECT_FALSE(soundStreamPlaying()) << c.name;
        EXPECT_FALSE(soundDeviceOpen()) << c.name;
        EXPECT_EQ(soundDeviceOpenCount() - opensBefore, hasDevice ? 1 : 0) << c.name;
        EXPECT_EQ(soundCallLog(), expectedCalls(path, hasDevice && c.fileExists)) << c.name;
        if (c.message == nullptr) {
            EXPECT_EQ(message, "") << c.name;
        } else {
            EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << c.name << ": " << message;
            EXPECT_NE(message.find(c.message), std::string::npos) << c.name << ": " << message;
        }
        EXPECT_TRUE(c.fileExists || message.find(path) != std::string::npos) << message;
    }
    useAudioDriver("dummy");
    std::filesystem::remove_all(folder);
}

}  // namespace
