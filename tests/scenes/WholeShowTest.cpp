// The whole show on the generated data, played by the real program from the
// first loading frame to the end of scene 8: exit code 0, every scene to its
// end, and no message. (That it allocates nothing per frame is the
// reliability tests' part.)
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/ShowProcess.h"

namespace {

TEST(WholeShow, PlaysToTheEndWithoutAMessage) {
    const std::string data = std::string(ORVANE_BINARY_DIR) + "/data/";
    for (const char* name : {"yoda.3ds", "meta.3ds", "entree.3ds", "race.3ds", "city.3ds", "rooms.3ds",
                             "water.3ds", "mine.3ds", "end.bmp"}) {
        if (!std::ifstream(data + name)) GTEST_SKIP() << "no generated data in " << data << " (build datagen_data)";
    }
    const std::string program = ORVANE_BINARY_DIR "/src/app/orvane";
    if (!std::ifstream(program)) GTEST_SKIP() << "the program is not built: " << program;
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";

    ShowRequest request;
    request.args = {"--play", "--windowed", "--size", "160x120", "--no-music", "--fixed-fps", "2", "--timings"};
    request.workDir = ORVANE_BINARY_DIR;
    request.extraEnv = {"SDL_AUDIODRIVER=dummy", "ORVANE_HEADLESS=1"};
    const ShowRun run = runShow(request);
    ASSERT_FALSE(run.timedOut) << run.errors;
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(checkSceneTimings(run.output, 2.0), "");
    for (const char* caption : {"Error: ", "-=(Status)=-: ", "-=(ERROR)=-: ", "orvane: "}) {
        EXPECT_TRUE(linesContaining(run.errors, caption).empty()) << "a message:\n" << run.errors;
    }
}

}  // namespace
