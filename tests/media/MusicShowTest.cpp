// The program run with its soundtrack, heard through SDL's disk driver and
// stopped by SIGTERM once scene 1 has ended: music plays, "--no-music" opens
// no audio, a missing mp3 is silence.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include "media/MusicTestAudio.h"
#include "support/ShowProcess.h"

namespace {

using namespace musictest;

TEST(MusicShowTest, SoundtrackPlaysUnlessOffOrMissing) {
    if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display (run under xvfb-run)";
    if (access(ORVANE_BINARY_DIR "/src/app/orvane", X_OK) != 0) GTEST_SKIP() << "the program is not built";
    if (!std::filesystem::exists(ORVANE_BINARY_DIR "/data/zik.mp3")) GTEST_SKIP() << "no generated data";
    struct Case {
        const char* name;
        bool noMusic;
        bool withoutMp3;
    };
    for (const Case c : {Case{"soundtrack", false, false}, Case{"--no-music", true, false},
                         Case{"missing mp3", false, true}}) {
        const ScratchFolder scratch("show-music");
        const std::string raw = scratch.path + "/out.raw";
        ShowRequest request;
        request.args = {"--play", "--windowed", "--size", "320x240", "--timings"};
        if (c.noMusic) request.args.push_back("--no-music");
        request.workDir = ORVANE_BINARY_DIR;
        if (c.withoutMp3) {  // every data file but the mp3
            request.workDir = scratch.path;
            const std::filesystem::path data = scratch.path + "/data";
            std::filesystem::create_directories(data);
            for (const auto& entry : std::filesystem::directory_iterator(ORVANE_BINARY_DIR "/data")) {
                const std::filesystem::path name = entry.path().filename();
                if (name != "zik.mp3") std::filesystem::create_symlink(entry, data / name);
            }
        }
        request.extraEnv = {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + raw, "ORVANE_HEADLESS=1"};
        request.timeoutSeconds = 120.0;  // a hang
        request.stopOnText = "scene 1:";
        request.stopSignal = SIGTERM;
        const ShowRun run = runShow(request);

        EXPECT_EQ(run.exitCode, 0) << c.name << "\n" << run.errors;
        EXPECT_EQ(linesStartingWith(run.output, "scene 1:").size(), 1u) << c.name << "\n" << run.output;
        const DiskOutput out = readDiskOutput(raw);
        if (c.noMusic) {
            EXPECT_FALSE(std::filesystem::exists(raw)) << "the audio device was opened";
        } else if (c.withoutMp3) {
            EXPECT_EQ(linesContaining(run.errors, "data/zik.mp3").size(), 1u) << run.errors;
            EXPECT_GT(out.frames, 0u) << "the device stays open, silent";
            EXPECT_EQ(out.peak, 0);
        } else {
            EXPECT_GT(out.loudFrames, size_t(kRate)) << "the soundtrack is audible from its start";
            EXPECT_LT(out.peak, 32767) << "no clipping";
        }
    }
}

}  // namespace
