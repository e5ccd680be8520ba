// Ways the show ends besides its last frame: SIGINT and SIGTERM at loading,
// mid-scene and during frame captures, Escape and a close request on the
// window, a signal to a full-screen show; the places it cannot run as asked
// (bad usage, no display, no data folder, a working folder that is gone or
// read-only, a frames folder that cannot be written); and the installed
// program played whole from anywhere.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "DataCopy.h"
#include "WindowRequests.h"
#include "support/PngRead.h"
#include "support/ShowProcess.h"

namespace fs = std::filesystem;

namespace {

size_t scenesPlayed(const ShowRun& run) { return linesStartingWith(run.output, "scene ").size(); }

// Ended by the program itself, through its own return, before its last scene.
void expectCleanStop(const ShowRun& run, size_t minScenes, const std::string& name) {
    EXPECT_FALSE(run.timedOut) << name << "\n" << run.errors;
    EXPECT_EQ(run.killedBy, 0) << name << ": ended by signal " << run.killedBy << "\n" << run.errors;
    EXPECT_EQ(run.exitCode, 0) << name << "\n" << run.errors;
    EXPECT_GE(scenesPlayed(run), minScenes) << name;
    EXPECT_LT(scenesPlayed(run), 8u) << name;
}

// At loading the signal comes as the missing bitmap is named, before any
// scene; mid-scene it comes twice in a moment, as `timeout` sends it to the
// program and then to its process group; during captures (a frame every
// tenth of a second of scene 2) every file written is a whole picture. Each
// signal is tried at some stage.
TEST(ExitPathTest, SignalAtLoadingMidSceneAndDuringCapturesEndsCleanly) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
    std::string times;
    for (int tenth = 66; tenth < 185; ++tenth) times += (times.empty() ? "" : ",") + std::to_string(tenth / 10.0);
    const struct {
        const char* name;
        const char* stopOn;
        size_t minScenes;
        int signal;
        bool twice;
        bool capture;
    } stages[] = {{"loading, SIGTERM", "data/orvane.bmp", 0, SIGTERM, false, false},
                  {"mid-scene, SIGINT twice", "scene 2:", 2, SIGINT, true, false},
                  {"captures, SIGTERM", "scene 1:", 1, SIGTERM, false, true}};
    for (const auto& stage : stages) {
        DataCopy copy("signal");
        ASSERT_TRUE(copy.ok());
        std::remove(copy.file("orvane.bmp").c_str());
        ShowRequest request = steppedShow(copy.folder(), "30");
        const std::string frames = copy.folder() + "/frames";
        if (stage.capture) {
            request.args.insert(request.args.end(), {"--frames-at", times, "--frames-dir", frames});
            request.stopDelaySeconds = 0.5;
        }
        request.stopOnText = stage.stopOn;
        request.stopSignal = stage.signal;
        if (stage.twice)
            request.onStop = [&stage](int pid) {
                usleep(20 * 1000);
                kill(pid, stage.signal);
            };
        const ShowRun run = runShow(request);
        expectCleanStop(run, stage.minScenes, stage.name);
        if (stage.minScenes == 0) {
            EXPECT_EQ(scenesPlayed(run), 0u) << stage.name << "\n" << run.output;
        }
        if (!stage.capture) continue;
        int written = 0;
        for (const fs::directory_entry& entry : fs::directory_iterator(frames)) {
            Picture picture;
            EXPECT_TRUE(readPng(entry.path(), picture)) << stage.name << ": " << entry.path();
            ++written;
        }
        EXPECT_GT(written, 0) << stage.name << "\n" << run.errors;
    }
}

// Escape, a close request and SIGTERM to a full-screen show at the screen's
// own size, once scene 1 has ended: the screen keeps its size after. Keys
// and close requests come through the X server, as a user's. These tests run
// alone: Escape goes to the focused window, and a full screen covers others.
TEST(WindowInputTest, EscapeCloseRequestAndSignalLeaveTheScreenAsItWas) {
    int width = 0, height = 0;
    if (!screenSize(&width, &height)) GTEST_SKIP() << "no display: run under xvfb-run";
    const bool xdotool = std::system("command -v xdotool >/dev/null 2>&1") == 0;
    struct Exit {
        const char* name;
        std::function<void(int)> onStop;
        int signal;
    };
    const Exit exits[] = {
        {"Escape",
         [](int pid) {
             shellOutput("timeout 10 xdotool search --sync --all --pid " + std::to_string(pid) +
                         " --name '^Orvane$' windowfocus --sync key Escape");
         },
         0},
        {"close request", [](int pid) { EXPECT_TRUE(requestWindowClose(pid, 10.0)); }, 0},
        {"SIGTERM", nullptr, SIGTERM},
    };
    for (const Exit& exit : exits) {
        if (exit.signal == 0 && !xdotool) continue;
        const std::string size = std::to_string(width) + "x" + std::to_string(height);
        ShowRequest request = quietShow({"--play", "--size", size, "--fixed-fps", "5", "--timings"});
        request.stopOnText = "scene 1:";
        request.onStop = exit.onStop;
        request.stopSignal = exit.signal;
        expectCleanStop(runShow(request), 1, exit.name);
        int afterWidth = 0, afterHeight = 0;
        ASSERT_TRUE(screenSize(&afterWidth, &afterHeight));
        EXPECT_EQ(afterWidth, width) << exit.name;
        EXPECT_EQ(afterHeight, height) << exit.name;
    }
    if (!xdotool) GTEST_SKIP() << "Escape and the close request untried: xdotool is not installed";
}

// Each place: its exit code, the one message that names it (on standard
// output or error), and whether the whole show plays (two frames a second).
TEST(RunPlaceTest, EachPlaceGivesItsExitCodeAndMessage) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
    const auto addArgs = [](std::vector<std::string> args) {
        return [args](DataCopy&, ShowRequest& r) { r.args.insert(r.args.end(), args.begin(), args.end()); };
    };
    struct Place {
        const char* name;
        int exitCode;
        const char* message;  // null: none
        bool playsWhole;
        std::function<void(DataCopy&, ShowRequest&)> prepare;
    };
    const Place places[] = {
        {"bad usage", 2, "orvane: --size wants", false, addArgs({"--size", "huge"})},
        {"help", 0, "Usage: orvane", false, addArgs({"--help"})},
        {"version", 0, "orvane 0.", false, addArgs({"--version"})},
        {"no display", 1, "orvane: cannot open the show window", false,
         [](DataCopy&, ShowRequest& r) {
             r.unsetEnv = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
         }},
        {"no data folder", 0, "orvane: no data folder", true,
         [](DataCopy& c, ShowRequest&) { fs::remove_all(c.folder() + "/data"); }},
        {"working folder removed", 0, "orvane: no data folder", false,
         [](DataCopy& c, ShowRequest& r) {
             r.workDir = c.folder() + "/gone";
             fs::create_directories(r.workDir);
             r.removeWorkDir = true;
         }},
        // Nothing is written there; the show plays as usual (root writes anyway).
        {"read-only working folder", 0, nullptr, true,
         [](DataCopy& c, ShowRequest&) { ASSERT_EQ(chmod(c.folder().c_str(), 0555), 0); }},
        // Said before any window; a folder of /proc refuses files even to root.
        {"unwritable frames folder", 2, "orvane: cannot write to the frames folder /proc/self", false,
         addArgs({"--frames-at", "1,2,3", "--frames-dir", "/proc/self"})},
    };
    for (const Place& place : places) {
        if (place.message == nullptr && geteuid() == 0) continue;
        DataCopy copy("place");
        ASSERT_TRUE(copy.ok());
        ShowRequest request = steppedShow(copy.folder(), "2");
        place.prepare(copy, request);
        const ShowRun run = runShow(request);
        EXPECT_FALSE(run.timedOut) << place.name;
        EXPECT_EQ(run.exitCode, place.exitCode) << place.name << "\n" << run.errors;
        if (place.message != nullptr) {
            EXPECT_EQ(linesStartingWith(run.output + run.errors, place.message).size(), 1u) << place.name << "\n"
                                                                                            << run.output << run.errors;
        }
        if (place.playsWhole) {
            EXPECT_EQ(checkSceneTimings(run.output, 2.0), "") << place.name;
        } else if (place.exitCode != 0) {
            EXPECT_EQ(scenesPlayed(run), 0u) << place.name;
        }
    }
}

// An installed program started from an empty folder finds its data through
// its own location and writes its pictures where it was started, not beside
// the data it moved to. It plays every scene to its end (ten frames a
// second) without a message of any kind; the frames asked for fall in the
// first scene, the second, and just before the end of the last.
TEST(RunPlaceTest, InstalledProgramPlaysAnywhereAndWritesWhereStarted) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display: run under xvfb-run";
    const std::string prefix = freshTempFolder("installed-" + std::to_string(getpid()));
    int status = -1;
    shellOutput(std::string(ORVANE_CMAKE_COMMAND) + " --install '" ORVANE_BINARY_DIR "' --prefix '" + prefix + "'",
                &status);
    ASSERT_EQ(status, 0) << "cmake --install failed";
    const std::string started = freshTempFolder("started-" + std::to_string(getpid()));
    ShowRequest request = steppedShow(started, "10");
    request.program = prefix + "/bin/orvane";
    request.args.insert(request.args.end(), {"--frames-at", "0,7,229.4", "--frames-dir", "shots"});
    const ShowRun run = runShow(request);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.errors, "") << "a message, or the installed data not found whole";
    EXPECT_EQ(checkSceneTimings(run.output, 10.0), "");
    for (double time : {0.0, 7.0, 229.4}) {
        Picture frame;
        EXPECT_TRUE(readPng(framePngPath(started + "/shots", time), frame)) << "no picture where started: " << time;
        EXPECT_TRUE(frame.width == 160 && frame.height == 120) << frame.width << "x" << frame.height;
    }
    EXPECT_FALSE(fs::exists(prefix + "/share/orvane/shots"));
    fs::remove_all(prefix);
    fs::remove_all(started);
}

}  // namespace
