// Ways the show ends besides its last frame: SIGINT and SIGTERM at loading,
// mid-scene and during frame captures, Escape and a close request on the
// window; and the places it cannot run as asked: no display, no data
// folder, a working folder that is gone or read-only, a frames folder that
// cannot be written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "DataCopy.h"
#include "support/ShowProcess.h"
#include "WindowRequests.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kQuiet = {"SDL_AUDIODRIVER=dummy", "ORVANE_HEADLESS=1"};
constexpr double kRunTimeoutSeconds = 300.0;

ShowRequest steppedShow(const std::string& workDir, const std::string& fps) {
    ShowRequest request;
    request.args = {"--play", "--windowed", "--size", "160x120", "--fixed-fps", fps, "--timings"};
    request.workDir = workDir;
    request.extraEnv = kQuiet;
    request.timeoutSeconds = kRunTimeoutSeconds;
    return request;
}

size_t scenesPlayed(const ShowRun& run) { return linesStartingWith(run.output, "scene ").size(); }

// Ended by the program itself, through its own return.
void expectCleanExit(const ShowRun& run) {
    EXPECT_FALSE(run.timedOut) << run.errors;
    EXPECT_EQ(run.killedBy, 0) << "ended by signal " << run.killedBy << "\n" << run.errors;
    EXPECT_FALSE(run.coreDumped);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
}

// True when every byte of the file is a whole PNG (signature to IEND).
bool wholePng(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    static const std::string kIendTail("IEND\xae\x42\x60\x82", 8);
    return bytes.size() > 20 && bytes.compare(0, 4, "\x89PNG") == 0 &&
           bytes.compare(bytes.size() - kIendTail.size(), kIendTail.size(), kIendTail) == 0;
}

class ExitPathTest : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
    }
};

// The loading sequence names a missing bitmap on standard error part way
// through; the signal comes right then, before any scene.
TEST_P(ExitPathTest, SignalDuringLoading) {
    DataCopy copy("signal-loading");
    ASSERT_TRUE(copy.ok());
    std::remove(copy.file("orvane.bmp").c_str());
    ShowRequest request = steppedShow(copy.folder(), "30");
    request.stopOnText = "data/orvane.bmp";
    request.stopSignal = GetParam();
    const ShowRun run = runShow(request);
    expectCleanExit(run);
    EXPECT_EQ(scenesPlayed(run), 0u) << run.output;
}

TEST_P(ExitPathTest, SignalMidScene) {
    ShowRequest request = steppedShow(ORVANE_BINARY_DIR, "30");
    request.stopOnText = "scene 2:";
    request.stopSignal = GetParam();
    const ShowRun run = runShow(request);
    expectCleanExit(run);
    EXPECT_GE(scenesPlayed(run), 2u);
    EXPECT_LT(scenesPlayed(run), 8u);
}

// Scene 2 writes a frame every tenth of a second; the signal lands among
// them, and every file that exists is a whole picture.
TEST_P(ExitPathTest, SignalDuringCaptures) {
    DataCopy copy("signal-capture");
    ASSERT_TRUE(copy.ok());
    std::string times;
    for (int tenth = 66; tenth < 185; ++tenth) times += (times.empty() ? "" : ",") + std::to_string(tenth / 10.0);
    const std::string frames = copy.folder() + "/frames";
    ShowRequest request = steppedShow(ORVANE_BINARY_DIR, "10");
    request.args.insert(request.args.end(), {"--frames-at", times, "--frames-dir", frames});
    request.stopOnText = "scene 1:";
    request.stopDelaySeconds = 0.5;
    request.stopSignal = GetParam();
    const ShowRun run = runShow(request);
    expectCleanExit(run);
    EXPECT_LT(scenesPlayed(run), 8u);
    int written = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(frames)) {
        EXPECT_TRUE(wholePng(entry.path())) << entry.path();
        ++written;
    }
    EXPECT_GT(written, 0) << run.errors;
}

INSTANTIATE_TEST_SUITE_P(Signals, ExitPathTest, ::testing::Values(SIGINT, SIGTERM),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGINT ? "SIGINT" : "SIGTERM");
                         });

// Keys and window manager requests come through the X server, as a user's;
// each is sent once scene 1 has ended.
class WindowInputTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
    }
    ShowRequest midShow() {
        ShowRequest request = steppedShow(ORVANE_BINARY_DIR, "30");
        request.stopOnText = "scene 1:";
        return request;
    }
};

TEST_F(WindowInputTest, EscapeEndsTheShow) {
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "xdotool is not installed";
    ShowRequest request = midShow();
    // XTEST key presses go to the focused window.
    // Only this run's window: the tests may share one display.
    request.sideCommand = "xdotool search --sync --all --pid {pid} --name '^Orvane$' windowfocus --sync key Escape";
    const ShowRun run = runShow(request);
    expectCleanExit(run);
    EXPECT_GE(scenesPlayed(run), 1u);
    EXPECT_LT(scenesPlayed(run), 8u);
}

TEST_F(WindowInputTest, CloseRequestEndsTheShow) {
    ShowRequest request = midShow();
    // The close request goes from this process once scene 1 has ended.
    request.onStop = [](int pid) { requestWindowClose(pid, 10.0); };
    const ShowRun run = runShow(request);
    expectCleanExit(run);
    EXPECT_GE(scenesPlayed(run), 1u);
    EXPECT_LT(scenesPlayed(run), 8u);
}

// Full screen at the screen's own size, stopped mid-show: the screen keeps
// its size afterwards and the run ends as usual.
TEST_F(WindowInputTest, FullScreenShowStoppedBySignalLeavesTheScreenAsItWas) {
    int width = 0, height = 0;
    ASSERT_TRUE(screenSize(&width, &height));
    ShowRequest request = midShow();
    request.args = {"--play", "--size", std::to_string(width) + "x" + std::to_string(height), "--fixed-fps", "5",
                    "--timings"};
    request.stopSignal = SIGTERM;
    const ShowRun run = runShow(request);
    expectCleanExit(run);
    EXPECT_LT(scenesPlayed(run), 8u);
    int after = 0, afterHeight = 0;
    ASSERT_TRUE(screenSize(&after, &afterHeight));
    EXPECT_EQ(after, width);
    EXPECT_EQ(afterHeight, height);
}

// [SECTION] Where the show cannot run as asked -------------------------------

TEST(RunPlaceTest, NoDisplayExitsOneWithAMessage) {
    ShowRequest request = steppedShow(ORVANE_BINARY_DIR, "30");
    request.unsetEnv = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
    const ShowRun run = runShow(request);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(linesStartingWith(run.errors, "orvane: cannot open the show window").size(), 1u) << run.errors;
}

// No data folder: one message saying so, then the show plays without data.
TEST(RunPlaceTest, MissingDataFolderIsNamedAndTheShowGoesOn) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
    DataCopy copy("no-data");
    fs::remove_all(copy.folder() + "/data");
    const ShowRun run = runShow(steppedShow(copy.folder(), "2"));
    expectCleanExit(run);
    EXPECT_EQ(linesStartingWith(run.errors, "orvane: no data folder").size(), 1u) << run.errors;
    const std::string timings = checkSceneTimings(run.output, 2.0);
    EXPECT_TRUE(timings.empty()) << timings;
}

TEST(RunPlaceTest, RemovedWorkingFolderIsNamed) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
    DataCopy copy("gone");
    const std::string gone = copy.folder() + "/gone";
    fs::create_directories(gone);
    ShowRequest request = steppedShow(gone, "2");
    request.removeWorkDir = true;
    const ShowRun run = runShow(request);
    expectCleanExit(run);
    EXPECT_EQ(linesStartingWith(run.errors, "orvane: no data folder").size(), 1u) << run.errors;
}

// A read-only working folder holding the data: the show writes nothing
// there and plays as usual.
TEST(RunPlaceTest, ReadOnlyWorkingFolderPlays) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
    if (geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    DataCopy copy("read-only");
    ASSERT_TRUE(copy.ok());
    ASSERT_EQ(chmod(copy.folder().c_str(), 0555), 0);
    const ShowRun run = runShow(steppedShow(copy.folder(), "2"));
    expectCleanExit(run);
    EXPECT_TRUE(checkSceneTimings(run.output, 2.0).empty()) << run.output;
}

// Frames asked into a folder that cannot be written: said once, up front,
// before any window (a folder of /proc refuses files even to root).
TEST(RunPlaceTest, UnwritableFramesFolderIsNamedUpFront) {
    ShowRequest request = steppedShow(ORVANE_BINARY_DIR, "2");
    request.args.insert(request.args.end(), {"--frames-at", "1,2,3", "--frames-dir", "/proc/self"});
    const ShowRun run = runShow(request);
    EXPECT_EQ(run.exitCode, 2) << run.errors;
    EXPECT_EQ(linesStartingWith(run.errors, "orvane: cannot write to the frames folder /proc/self").size(), 1u)
        << run.errors;
    EXPECT_EQ(scenesPlayed(run), 0u);
}

}  // namespace
