// The program run with its soundtrack, heard through SDL's disk driver and
// stopped by SIGTERM once scene 1 has ended: music plays, "--no-music" opens
// no audio. (A missing mp3 is one of the broken-data runs.)
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <filesystem>

#include "media/MusicTestAudio.h"
#include "support/ShowProcess.h"

namespace {

using namespace musictest;

TEST(MusicShowTest, SoundtrackPlaysUnlessOff) {
    if (!getenv("DISPLAY")) GTEST_SKIP() << "needs a display (run under xvfb-run)";
    if (access(ORVANE_BINARY_DIR "/src/app/orvane", X_OK) != 0) GTEST_SKIP() << "the program is not built";
    if (!std::filesystem::exists(ORVANE_BINARY_DIR "/data/zik.mp3")) GTEST_SKIP() << "no generated data";
    const std::string folder = scratchFolder("show");
    for (const bool noMusic : {false, true}) {
        const std::string raw = folder + (noMusic ? "/silent.raw" : "/out.raw");
        ShowRequest request;
        request.args = {"--play", "--windowed", "--size", "320x240", "--timings"};
        if (noMusic) request.args.push_back("--no-music");
        request.workDir = ORVANE_BINARY_DIR;
        request.extraEnv = {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + raw, "ORVANE_HEADLESS=1"};
        request.timeoutSeconds = 120.0;  // a hang
        request.stopOnText = "scene 1:";
        request.stopSignal = SIGTERM;
        const ShowRun run = runShow(request);

        EXPECT_EQ(run.exitCode, 0) << noMusic << "\n" << run.errors;
        EXPECT_EQ(linesStartingWith(run.output, "scene 1:").size(), 1u) << noMusic << "\n" << run.output;
        const DiskOutput out = readDiskOutput(raw);
        if (noMusic) {
            EXPECT_FALSE(std::filesystem::exists(raw)) << "the audio device was opened";
        } else {
            EXPECT_GT(out.loudFrames, size_t(kRate)) << "the soundtrack is audible from its start";
            EXPECT_LT(out.peak, 32767) << "no clipping";
        }
    }
    std::filesystem::remove_all(folder);
}

}  // namespace
