// The orvane program run whole, as a user or a script runs it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>

#include "RunOrvane.h"

namespace {

const std::vector<std::string> kQuiet = {"SDL_AUDIODRIVER=dummy", "ORVANE_HEADLESS=1"};

struct TimingLine {
    int scene = 0;
    float duration = 0, first = 0, last = 0, fps = 0;
    long frames = 0;
};

bool parseTiming(const std::string& line, TimingLine& t) {
    return std::sscanf(line.c_str(),
                       "scene %d: duration %f s, %ld frames, first elapsed %f s, last elapsed %f s, %f fps",
                       &t.scene, &t.duration, &t.frames, &t.first, &t.last, &t.fps) == 6;
}

std::string freshFolder(const std::string& name) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("orvane-app-tests-" + name);
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

// Width and height from a PNG's IHDR, or 0 x 0 when it is not a PNG.
void pngSize(const std::string& path, unsigned* width, unsigned* height) {
    *width = *height = 0;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return;
    unsigned char head[24] = {};
    const bool whole = std::fread(head, 1, sizeof head, file) == sizeof head;
    std::fclose(file);
    if (!whole || head[0] != 0x89 || head[1] != 'P' || head[12] != 'I' || head[15] != 'R') return;
    *width = (head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19];
    *height = (head[20] << 24) | (head[21] << 16) | (head[22] << 8) | head[23];
}

// Software OpenGL draws the real scenes slowly: the whole-show runs step
// 10 frames per second in a small window.
constexpr int kStepsPerSecond = 10;
// Window events sent by others on the shared test display (focus, expose)
// each cost a frame that is drawn but not presented, so not timed: the
// frame count has no upper bound here, the last elapsed time pins the end.

TEST(WholeShowTest, SteppedShowPlaysEveryScenesFramesAndExitsZero) {
    const std::string frames = freshFolder("frames");
    const ProgramRun run = runOrvane({"--play", "--windowed", "--no-music", "--fixed-fps", "10", "--timings",
                                      "--size", "320x240", "--frames-at", "0,7,229.4", "--frames-dir", frames},
                                     ORVANE_BINARY_DIR, kQuiet);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    const std::vector<std::string> lines = linesStartingWith(run.output, "scene ");
    ASSERT_EQ(lines.size(), 8u) << run.output;
    const float durations[8] = {6.5f, 12, 17, 26, 33, 45, 45, 45};
    for (int i = 0; i < 8; ++i) {
        TimingLine t;
        ASSERT_TRUE(parseTiming(lines[static_cast<size_t>(i)], t)) << lines[static_cast<size_t>(i)];
        EXPECT_EQ(t.scene, i + 1);
        EXPECT_FLOAT_EQ(t.duration, durations[i]);
        // Frames at 0, 0.1, 0.2 ... up to the first past the duration; the
        // millisecond tick puts the last one on either side of a step.
        const long whole = static_cast<long>(std::floor(durations[i] * kStepsPerSecond));
        EXPECT_GE(t.frames, whole + 1) << lines[static_cast<size_t>(i)];
        EXPECT_EQ(t.first, 0.0f);
        EXPECT_GT(t.last, durations[i] - 0.0005f);
        EXPECT_LE(t.last, durations[i] + 1.0f / kStepsPerSecond + 0.002f);
    }
    for (double time : {0.0, 7.0, 229.4}) {
        char name[64];
        std::snprintf(name, sizeof name, "/frame_%08.3f.png", time);
        unsigned width = 0, height = 0;
        pngSize(frames + name, &width, &height);
        EXPECT_EQ(width, 320u) << name;
        EXPECT_EQ(height, 240u) << name;
    }
}

TEST(WholeShowTest, TerminationMidShowEndsThroughTeardownWithZero) {
    const ProgramRun run = runOrvane(
        {"--play", "--windowed", "--no-music", "--fixed-fps", "10", "--size", "320x240", "--timings"},
        ORVANE_BINARY_DIR, kQuiet, {}, "scene 1:");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    const size_t scenes = linesStartingWith(run.output, "scene ").size();
    EXPECT_GE(scenes, 1u);
    EXPECT_LT(scenes, 8u);
}

TEST(WholeShowTest, NoDisplayExitsWithOne) {
    const ProgramRun run = runOrvane({"--play", "--windowed", "--no-music"}, ORVANE_BINARY_DIR, kQuiet,
                                     {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("cannot open the show window"), std::string::npos) << run.errors;
}

TEST(WholeShowTest, UsageHelpAndVersion) {
    ProgramRun run = runOrvane({"--size", "huge"}, ORVANE_BINARY_DIR, kQuiet);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.errors.find("--size"), std::string::npos);
    run = runOrvane({"--help"}, ORVANE_BINARY_DIR, kQuiet);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.output.find("--frames-at"), std::string::npos);
    run = runOrvane({"--version"}, ORVANE_BINARY_DIR, kQuiet);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output.rfind("orvane ", 0), 0u);
}

}  // namespace
