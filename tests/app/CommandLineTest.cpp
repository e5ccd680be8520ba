#include <gtest/gtest.h>

#include <vector>

#include "app/CommandLine.h"
#include "core/RunSettings.h"

namespace {

bool parse(std::vector<const char*> args, CommandLine& line) {
    args.insert(args.begin(), "orvane");
    return parseCommandLine(static_cast<int>(args.size()), args.data(), line);
}

TEST(CommandLineTest, EveryOptionIsRead) {
    CommandLine none;
    ASSERT_TRUE(parse({}, none));
    resetRunSettings();
    applyCommandLine(none);
    EXPECT_FALSE(none.play);
    EXPECT_TRUE(runSettings.width == 800 && runSettings.height == 600 && runSettings.fullscreen);
    EXPECT_FALSE(runSettings.noLights || runSettings.noMusic);

    CommandLine line;
    ASSERT_TRUE(parse({"--play", "--windowed", "--size", "1024x768", "--no-lights", "--no-music", "--fixed-fps", "30",
                       "--frames-at", "0,6.5,229", "--frames-dir", "out", "--timings"},
                      line))
        << line.error;
    EXPECT_TRUE(line.play && line.timings && line.fixedFps == 30.0);
    EXPECT_EQ(line.framesAt, (std::vector<double>{0.0, 6.5, 229.0}));
    EXPECT_EQ(line.framesDir, "out");
    applyCommandLine(line);
    EXPECT_TRUE(runSettings.width == 1024 && runSettings.height == 768 && !runSettings.fullscreen);
    EXPECT_TRUE(runSettings.noLights && runSettings.noMusic);
    resetRunSettings();

    CommandLine other;
    ASSERT_TRUE(parse({"--inspect", "data/city.3ds", "--help", "--version"}, other));
    EXPECT_EQ(other.inspectPath, "data/city.3ds");
    EXPECT_TRUE(other.help && other.version);
    const std::string help = commandLineHelp();
    for (const char* option : {"--play", "--windowed", "--size", "--no-lights", "--no-music", "--fixed-fps",
                               "--frames-at", "--frames-dir", "--timings", "--inspect", "--view", "--frames",
                               "--seconds", "--emitters", "--capture", "--fps", "--stop-after", "--version"})
        EXPECT_NE(help.find(option), std::string::npos) << option;
}

TEST(CommandLineTest, BadUsageIsRefusedWithAReason) {
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"}, {"extra"}, {"--size"}, {"--size", "800"}, {"--size", "0x600"}, {"--size", "800x-6"},
        {"--size", "99999x2"}, {"--size", "800x600x3"}, {"--fixed-fps", "0"}, {"--fixed-fps", "abc"},
        {"--fixed-fps", "nan"}, {"--fixed-fps", "5000"}, {"--frames-at", ""}, {"--frames-at", "1,,2"},
        {"--frames-at", "-1"}, {"--frames-at", "3,x"}, {"--frames-dir", "out"}, {"--inspect"},
        {"--frames", "10"}, {"--view", "a.3ds", "--frames", "0"}, {"--view", "a.3ds", "--seconds", "-1"},
        {"--view", "a.3ds", "--emitters", "1000,1.0,100,10"}, {"--view", "a.3ds", "--emitters", "1000,1.0,100,10,0,5"},
        {"--view", "a.3ds", "--emitters", "10.5,1.0,100,10,0"}, {"--fps", "30"}, {"--stop-after", "3"},
        {"--capture", "a.mp4", "--fps", "0"}, {"--capture", "a.mp4", "--fps", "29.97"},
        {"--capture", "a.mp4", "--stop-after", "-1"}, {"--capture", "a.mp4", "--fixed-fps", "30"},
        {"--capture", "a.mp4", "--view", "a.3ds"},
    };
    for (const auto& args : bad) {
        CommandLine line;
        EXPECT_TRUE(!parse(args, line) && !line.error.empty()) << args[0] << " ... " << args.back();
    }
}

}  // namespace
