#include <gtest/gtest.h>

#include <vector>

#include "app/CommandLine.h"
#include "core/RunSettings.h"

namespace {

bool parse(std::vector<const char*> args, CommandLine& line) {
    args.insert(args.begin(), "orvane");
    return parseCommandLine(static_cast<int>(args.size()), args.data(), line);
}

TEST(CommandLineTest, NoArgumentsChangeNothing) {
    CommandLine line;
    ASSERT_TRUE(parse({}, line));
    resetRunSettings();
    applyCommandLine(line);
    EXPECT_FALSE(line.play);
    EXPECT_EQ(runSettings.width, 800);
    EXPECT_EQ(runSettings.height, 600);
    EXPECT_TRUE(runSettings.fullscreen);
    EXPECT_FALSE(runSettings.noLights);
    EXPECT_FALSE(runSettings.noMusic);
}

TEST(CommandLineTest, EveryOptionIsRead) {
    CommandLine line;
    ASSERT_TRUE(parse({"--play", "--windowed", "--size", "1024x768", "--no-lights", "--no-music", "--fixed-fps", "30",
                       "--frames-at", "0,6.5,229", "--frames-dir", "out", "--timings"},
                      line))
        << line.error;
    EXPECT_TRUE(line.play);
    EXPECT_TRUE(line.timings);
    EXPECT_DOUBLE_EQ(line.fixedFps, 30.0);
    EXPECT_EQ(line.framesAt, (std::vector<double>{0.0, 6.5, 229.0}));
    EXPECT_EQ(line.framesDir, "out");
    resetRunSettings();
    applyCommandLine(line);
    EXPECT_EQ(runSettings.width, 1024);
    EXPECT_EQ(runSettings.height, 768);
    EXPECT_FALSE(runSettings.fullscreen);
    EXPECT_TRUE(runSettings.noLights);
    EXPECT_TRUE(runSettings.noMusic);
    resetRunSettings();

    CommandLine other;
    ASSERT_TRUE(parse({"--inspect", "data/city.3ds"}, other));
    EXPECT_EQ(other.inspectPath, "data/city.3ds");
    ASSERT_TRUE(parse({"--help", "--version"}, other));
    EXPECT_TRUE(other.help && other.version);
}

TEST(CommandLineTest, BadUsageIsRefusedWithAReason) {
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"},           {"extra"},
        {"--size"},            {"--size", "800"},
        {"--size", "0x600"},   {"--size", "800x-6"},
        {"--size", "99999x2"}, {"--size", "800x600x3"},
        {"--fixed-fps", "0"},  {"--fixed-fps", "abc"},
        {"--fixed-fps", "nan"}, {"--fixed-fps", "5000"},
        {"--frames-at", ""},   {"--frames-at", "1,,2"},
        {"--frames-at", "-1"}, {"--frames-at", "3,x"},
        {"--frames-dir", "out"}, {"--inspect"},
    };
    for (const auto& args : bad) {
        CommandLine line;
        EXPECT_FALSE(parse(args, line)) << args[0];
        EXPECT_FALSE(line.error.empty()) << args[0];
    }
}

TEST(CommandLineTest, HelpNamesEveryOption) {
    const std::string help = commandLineHelp();
    for (const char* option : {"--play", "--windowed", "--size", "--no-lights", "--no-music", "--fixed-fps",
                               "--frames-at", "--frames-dir", "--timings", "--inspect", "--help", "--version"}) {
        EXPECT_NE(help.find(option), std::string::npos) << option;
    }
}

}  // namespace
