// orvane --capture run whole: a short capture checked with ffprobe, and the
// refusals and interruptions that must leave no finished-looking file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "RunOrvane.h"

namespace {

const std::vector<std::string> kQuiet = {"SDL_AUDIODRIVER=dummy", "ORVANE_HEADLESS=1"};

std::string freshFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("orvane-capture-tests-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

// ffprobe's key=value lines for a file's streams and format, one map per
// section in order (format last).
std::vector<std::map<std::string, std::string>> probe(const std::string& path) {
    const std::string command = "ffprobe -v error -count_frames -show_entries "
                                "stream=codec_type,width,height,nb_read_frames:format=duration "
                                "-of default=noprint_wrappers=0 '" + path + "' 2>&1";
    std::vector<std::map<std::string, std::string>> sections;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return sections;
    char line[512];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
        if (text.size() > 2 && text[0] == '[' && text[1] != '/') sections.emplace_back();
        const size_t equals = text.find('=');
        if (equals != std::string::npos && !sections.empty()) sections.back()[text.substr(0, equals)] = text.substr(equals + 1);
    }
    pclose(pipe);
    return sections;
}

const std::map<std::string, std::string>* streamOf(const std::vector<std::map<std::string, std::string>>& sections,
                                                    const std::string& type) {
    for (const auto& section : sections) {
        auto kind = section.find("codec_type");
        if (kind != section.end() && kind->second == type) return &section;
    }
    return nullptr;
}

double formatDuration(const std::vector<std::map<std::string, std::string>>& sections) {
    for (const auto& section : sections) {
        auto duration = section.find("duration");
        if (section.count("codec_type") == 0 && duration != section.end()) return std::stod(duration->second);
    }
    return -1.0;
}

TEST(VideoCaptureTest, ShortCaptureHasEveryFrameTheSoundtrackAndNoPartFile) {
    const std::string folder = freshFolder("short");
    const std::string video = folder + "/show.mp4";
    // 2.5 s at 10 fps: 25 frames of scene 1, 161 x 121 (odd sides are padded).
    const ProgramRun run = runOrvane({"--capture", video, "--fps", "10", "--size", "161x121", "--stop-after", "2.5"},
                                     ORVANE_BINARY_DIR, kQuiet);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(video + ".part"));
    EXPECT_NE(run.errors.find("100%"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("25/25 frames"), std::string::npos) << run.errors;
    const auto sections = probe(video);
    const auto* picture = streamOf(sections, "video");
    ASSERT_NE(picture, nullptr) << "no video stream in " << video;
    EXPECT_EQ(picture->at("nb_read_frames"), "25");
    EXPECT_EQ(picture->at("width"), "162");
    EXPECT_EQ(picture->at("height"), "122");
    EXPECT_NE(streamOf(sections, "audio"), nullptr) << "no audio stream in " << video;
    EXPECT_NEAR(formatDuration(sections), 2.5, 0.1);
    std::filesystem::remove_all(folder);
}

TEST(VideoCaptureTest, CaptureWithoutMusicHasNoAudioStream) {
    const std::string folder = freshFolder("silent");
    const std::string video = folder + "/show.mkv";
    const ProgramRun run = runOrvane({"--capture", video, "--fps", "5", "--size", "64x48", "--stop-after", "1",
                                      "--no-music"}, ORVANE_BINARY_DIR, kQuiet);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const auto sections = probe(video);
    ASSERT_NE(streamOf(sections, "video"), nullptr);
    EXPECT_EQ(streamOf(sections, "video")->at("nb_read_frames"), "5");
    EXPECT_EQ(streamOf(sections, "audio"), nullptr);
    std::filesystem::remove_all(folder);
}

TEST(VideoCaptureTest, RefusesBeforeTheShowAndLeavesNothing) {
    const std::string folder = freshFolder("refused");
    const std::string noFfmpeg = folder + "/empty-path";
    std::filesystem::create_directories(noFfmpeg);
    const std::string folderNamedLikeVideo = folder + "/folder.mp4";
    std::filesystem::create_directories(folderNamedLikeVideo);
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> env;
        std::string says;
    };
    const std::string video = folder + "/show.mp4";
    const std::vector<Case> cases = {
        {{"--capture", video}, {"PATH=" + noFfmpeg}, "needs ffmpeg"},
        {{"--capture", folder + "/missing/show.mp4"}, {}, "cannot write"},
        {{"--capture", folderNamedLikeVideo}, {}, "it is a folder"},
        {{"--capture", folder + "/show.avi"}, {}, ".mp4, .mov or .mkv"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> env = kQuiet;
        env.insert(env.end(), c.env.begin(), c.env.end());
        const ProgramRun run = runOrvane(c.args, ORVANE_BINARY_DIR, env);
        EXPECT_EQ(run.exitCode, 2) << c.args[1] << ": " << run.errors;
        EXPECT_NE(run.errors.find(c.says), std::string::npos) << run.errors;
    }
    EXPECT_FALSE(std::filesystem::exists(video));
    EXPECT_FALSE(std::filesystem::exists(video + ".part"));
    EXPECT_FALSE(std::filesystem::exists(folder + "/show.avi.part"));
    std::filesystem::remove_all(folder);
}

TEST(VideoCaptureTest, BadUsageIsRefused) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--fps", "30"}, {"--stop-after", "3"}, {"--capture", "a.mp4", "--fps", "0"},
             {"--capture", "a.mp4", "--fps", "29.97"}, {"--capture", "a.mp4", "--stop-after", "-1"},
             {"--capture", "a.mp4", "--fixed-fps", "30"}}) {
        const ProgramRun run = runOrvane(args, ORVANE_BINARY_DIR, kQuiet);
        EXPECT_EQ(run.exitCode, 2) << args[0] << " " << args[1] << ": " << run.errors;
    }
}

TEST(VideoCaptureTest, InterruptedCaptureLeavesTheOldFileAndNoPart) {
    const std::string folder = freshFolder("interrupted");
    const std::string video = folder + "/show.mp4";
    { std::ofstream(video) << "older video"; }
    // SIGTERM once scene 1 has ended (6.5 s of show time).
    const ProgramRun run = runOrvane({"--capture", video, "--fps", "10", "--size", "64x48", "--timings"},
                                     ORVANE_BINARY_DIR, kQuiet, {}, "scene 1:");
    EXPECT_EQ(run.exitCode, 1) << run.errors;
    EXPECT_NE(run.errors.find("capture interrupted"), std::string::npos) << run.errors;
    EXPECT_FALSE(std::filesystem::exists(video + ".part"));
    std::ifstream kept(video);
    std::stringstream text;
    text << kept.rdbuf();
    EXPECT_EQ(text.str(), "older video");
    std::filesystem::remove_all(folder);
}

}  // namespace
