// Playback beyond one pass from the start: --loop and --start-at on the
// stepped clock, and their refusals.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "support/PngRead.h"
#include "support/ShowProcess.h"

namespace {

// Mean absolute difference of two same-size pictures' channel values.
double meanDifference(const Picture& a, const Picture& b) {
    if (a.rgb.size() != b.rgb.size() || a.rgb.empty()) return 255.0;
    double sum = 0.0;
    for (size_t i = 0; i < a.rgb.size(); ++i) sum += std::abs(a.rgb[i] - b.rgb[i]);
    return sum / static_cast<double>(a.rgb.size());
}

std::string passPath(const std::string& folder, double seconds, int pass) {
    const std::string first = framePngPath(folder, seconds);
    return pass == 1 ? first : first.substr(0, first.size() - 4) + "-p" + std::to_string(pass) + ".png";
}

// One run loops three times; a second starts at scene 7. Every pass draws
// the first pass's frames (rand included: every pass reseeds it), and the
// late start draws what the full show draws there, but for the particles
// whose random draws follow another sequence.
TEST(PlaybackTest, PassesRepeatTheFirstAndALateStartJoinsTheShow) {
    const std::vector<std::string> common = {"--play", "--windowed", "--no-music", "--fixed-fps",
                                             "10",     "--size",     "160x120",    "--timings"};
    const std::vector<double> times = {3.0, 12.0, 25.0, 40.0, 75.0, 100.0, 130.0, 141.0, 160.0, 200.0, 229.0};
    const std::string looped = freshTempFolder("loop-frames");
    std::vector<std::string> args = common;
    args.insert(args.end(),
                {"--loop", "3", "--frames-at", "3,12,25,40,75,100,130,141,160,200,229", "--frames-dir", looped});
    const ShowRun loop = runShow(quietShow(args));
    EXPECT_EQ(loop.exitCode, 0) << loop.errors;
    EXPECT_EQ(linesStartingWith(loop.output, "scene ").size(), 24u) << loop.output;
    EXPECT_EQ(linesStartingWith(loop.output, "scene 8:").size(), 3u) << loop.output;
    for (double t : times) {
        Picture first, third;
        ASSERT_TRUE(readPng(passPath(looped, t, 1), first)) << t;
        ASSERT_TRUE(readPng(passPath(looped, t, 3), third)) << t;
        EXPECT_EQ(first.rgb, third.rgb) << "pass 3 differs from pass 1 at " << t << " s";
    }

    const std::string late = freshTempFolder("late-frames");
    args = common;
    args.insert(args.end(), {"--start-at", "139.5", "--frames-at", "141,200", "--frames-dir", late});
    const ShowRun start = runShow(quietShow(args));
    EXPECT_EQ(start.exitCode, 0) << start.errors;
    const std::vector<std::string> played = linesStartingWith(start.output, "scene ");
    ASSERT_EQ(played.size(), 2u) << start.output;
    EXPECT_EQ(played[0].rfind("scene 7:", 0), 0u) << played[0];
    EXPECT_EQ(played[1].rfind("scene 8:", 0), 0u) << played[1];
    // Each scene runs to its first frame past its end, so at 10 frames a
    // second scene 7 begins a little after 139.5 s: 141 s is inside it.
    for (double t : {141.0, 200.0}) {
        Picture full, joined;
        ASSERT_TRUE(readPng(passPath(looped, t, 1), full)) << t;
        ASSERT_TRUE(readPng(framePngPath(late, t), joined)) << t;
        EXPECT_LT(meanDifference(full, joined), 4.0) << t;
        std::printf("late start at %.0f s: mean difference %.3f\n", t, meanDifference(full, joined));
    }
}

TEST(PlaybackTest, OutOfShowStartsAndBadPassCountsAreRefused) {
    const std::vector<std::vector<std::string>> refused = {
        {"--start-at", "-1"},
        {"--start-at", "229.6"},
        {"--start-at", "nine"},
        {"--loop", "0"},
        {"--loop", "2.5"},
        {"--loop", "--view", "x.3ds"},
        {"--loop", "2", "--capture", "show.mkv"},
        {"--start-at", "5", "--view", "x.3ds"},
    };
    for (const std::vector<std::string>& args : refused) {
        const ShowRun run = runShow(quietShow(args));
        EXPECT_EQ(run.exitCode, 2) << args[0] << " " << args[1];
        EXPECT_FALSE(run.errors.empty()) << args[0] << " " << args[1];
    }
}

}  // namespace
