// The orvane program run whole, as a user or a script runs it.
#include <gtest/gtest.h>

#include "support/PngRead.h"
#include "support/ShowProcess.h"

namespace {

// Software OpenGL draws the real scenes slowly: the whole show steps 10
// frames per second in a small window. The frames asked for fall in the
// first scene, the second, and just before the end of the last.
TEST(WholeShowTest, SteppedShowPlaysEveryScenesFramesAndExitsZero) {
    const std::string frames = freshTempFolder("app-frames");
    const ShowRun run = runShow(quietShow({"--play", "--windowed", "--no-music", "--fixed-fps", "10", "--timings",
                                           "--size", "320x240", "--frames-at", "0,7,229.4", "--frames-dir", frames}));
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    const std::string timings = checkSceneTimings(run.output, 10.0);
    EXPECT_TRUE(timings.empty()) << timings;
    // The generated data set raises no message of any kind.
    for (const char* caption : {"Error: ", "-=(Status)=-: ", "-=(ERROR)=-: ", "orvane: "}) {
        EXPECT_TRUE(linesContaining(run.errors, caption).empty()) << "a message:\n" << run.errors;
    }
    for (double time : {0.0, 7.0, 229.4}) {
        Picture picture;
        EXPECT_TRUE(readPng(framePngPath(frames, time), picture)) << time;
        EXPECT_EQ(picture.width, 320u) << time;
        EXPECT_EQ(picture.height, 240u) << time;
    }
}

TEST(WholeShowTest, UsageHelpAndVersion) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        bool onOutput;  // else on standard error
        std::string says;
    } cases[] = {
        {{"--size", "huge"}, 2, false, "--size"},
        {{"--help"}, 0, true, "--frames-at"},
        {{"--version"}, 0, true, "orvane "},
    };
    for (const Case& c : cases) {
        const ShowRun run = runShow(quietShow(c.args));
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args[0];
        EXPECT_NE((c.onOutput ? run.output : run.errors).find(c.says), std::string::npos) << c.args[0];
    }
}

}  // namespace
