// orvane --capture run whole: short captures checked with ffprobe, and the
// refusals and interruptions that must leave no finished-looking file.
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/ShowProcess.h"

namespace fs = std::filesystem;

namespace {

// One line per stream ("codec_type=video|width=...|height=...|nb_read_frames=..."), then "duration=...".
std::string probe(const std::string& path) {
    return shellOutput(
        "ffprobe -v error -count_frames -show_entries "
        "stream=codec_type,width,height,nb_read_frames:format=duration -of compact=p=0 '" +
        path + "'");
}

TEST(VideoCaptureTest, ShortCapturesHoldEveryFrameAndTheSoundtrack) {
    struct Case {
        std::string file;
        std::vector<std::string> args;
        std::string progress, video;
        bool audio;
        double seconds;
    } cases[] = {
        // 2.5 s at 10 fps: 25 frames of scene 1; odd sides are padded to even.
        {"show.mp4",
         {"--fps", "10", "--size", "161x121", "--stop-after", "2.5"},
         "25/25 frames",
         "codec_type=video|width=162|height=122|nb_read_frames=25\n",
         true,
         2.5},
        {"show.mkv",
         {"--fps", "5", "--size", "64x48", "--stop-after", "1", "--no-music"},
         "5/5 frames",
         "codec_type=video|width=64|height=48|nb_read_frames=5\n",
         false,
         1.0},
    };
    for (const Case& c : cases) {
        const std::string video = freshTempFolder("capture") + "/" + c.file;
        std::vector<std::string> args = {"--capture", video};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const ShowRun run = runShow(quietShow(args));
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_FALSE(fs::exists(video + ".part")) << c.file;
        EXPECT_NE(run.errors.find("100%"), std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find(c.progress), std::string::npos) << run.errors;
        const std::string streams = probe(video);
        EXPECT_NE(streams.find(c.video), std::string::npos) << c.file << ":\n" << streams;
        EXPECT_EQ(streams.find("codec_type=audio") != std::string::npos, c.audio) << c.file << ":\n" << streams;
        const size_t duration = streams.find("duration=");
        ASSERT_NE(duration, std::string::npos) << streams;
        EXPECT_NEAR(std::atof(streams.c_str() + duration + 9), c.seconds, 0.1) << c.file;
    }
}

TEST(VideoCaptureTest, RefusesBeforeTheShowAndLeavesNothing) {
    const std::string folder = freshTempFolder("capture-refused");
    const std::string noFfmpeg = folder + "/empty-path";
    fs::create_directories(noFfmpeg);
    fs::create_directories(folder + "/folder.mp4");
    struct Case {
        std::string file;
        std::string env;
        std::string says;
    } cases[] = {
        {"show.mp4", "PATH=" + noFfmpeg, "needs ffmpeg"},
        {"missing/show.mp4", "", "cannot write"},
        {"folder.mp4", "", "it is a folder"},
        {"show.avi", "", ".mp4, .mov or .mkv"},
    };
    for (const Case& c : cases) {
        ShowRequest request = quietShow({"--capture", folder + "/" + c.file});
        if (!c.env.empty()) request.extraEnv.push_back(c.env);
        const ShowRun run = runShow(request);
        EXPECT_EQ(run.exitCode, 2) << c.file << ": " << run.errors;
        EXPECT_NE(run.errors.find(c.says), std::string::npos) << run.errors;
    }
    for (const char* left : {"show.mp4", "show.mp4.part", "show.avi", "show.avi.part"})
        EXPECT_FALSE(fs::exists(folder + "/" + left)) << left;
}

TEST(VideoCaptureTest, InterruptedCaptureLeavesTheOldFileAndNoPart) {
    const std::string video = freshTempFolder("capture-interrupted") + "/show.mp4";
    std::ofstream(video) << "older video";
    // SIGTERM once scene 1 has ended (6.5 s of show time).
    ShowRequest request = quietShow({"--capture", video, "--fps", "10", "--size", "64x48", "--timings"});
    request.stopOnText = "scene 1:";
    request.stopSignal = SIGTERM;
    const ShowRun run = runShow(request);
    EXPECT_EQ(run.exitCode, 1) << run.errors;
    EXPECT_NE(run.errors.find("capture interrupted"), std::string::npos) << run.errors;
    EXPECT_FALSE(fs::exists(video + ".part"));
    std::stringstream text;
    text << std::ifstream(video).rdbuf();
    EXPECT_EQ(text.str(), "older video");
}

}  // namespace
