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

// 2.5 s at 10 fps: 25 frames of scene 1, odd sides padded to even; then 1 s
// at 5 fps without the soundtrack, in the other container.
TEST(VideoCaptureTest, ShortCapturesHoldEveryFrameAndTheSoundtrack) {
    const std::vector<std::string> cases[] = {
        // file, --fps, --size, --stop-after, the video stream, frames; --no-music
        {"show.mp4", "10", "161x121", "2.5", "width=162|height=122", "25"},
        {"show.mkv", "5", "64x48", "1", "width=64|height=48", "5", "--no-music"},
    };
    for (const auto& c : cases) {
        const std::string video = freshTempFolder("capture") + "/" + c[0];
        std::vector<std::string> args = {"--capture", video, "--fps", c[1], "--size", c[2], "--stop-after", c[3]};
        args.insert(args.end(), c.begin() + 6, c.end());
        const ShowRun run = runShow(quietShow(args));
        ASSERT_EQ(run.exitCode, 0) << run.errors;
        EXPECT_FALSE(fs::exists(video + ".part")) << c[0];
        EXPECT_NE(run.errors.find("100%"), std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find(c[5] + "/" + c[5] + " frames"), std::string::npos) << run.errors;
        const std::string streams = probe(video);
        EXPECT_NE(streams.find("codec_type=video|" + c[4] + "|nb_read_frames=" + c[5] + "\n"), std::string::npos)
            << c[0] << ":\n"
            << streams;
        EXPECT_EQ(streams.find("codec_type=audio") != std::string::npos, c.size() == 6) << c[0] << ":\n" << streams;
        const size_t duration = streams.find("duration=");
        ASSERT_NE(duration, std::string::npos) << streams;
        EXPECT_NEAR(std::atof(streams.c_str() + duration + 9), std::atof(c[3].c_str()), 0.1) << c[0];
    }
}

// Refused before the show, or interrupted, a capture leaves no finished file.
TEST(VideoCaptureTest, RefusedOrInterruptedCaptureLeavesNoNewFile) {
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

    // Interrupted by SIGTERM once scene 1 has ended (6.5 s of show time).
    const std::string video = folder + "/show.mp4";
    std::ofstream(video) << "older video";
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
