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
    CommandLine none, line, other;
    ASSERT_TRUE(parse({}, none));
    resetRunSettings();
    applyCommandLine(none);
    EXPECT_FALSE(none.play);
    EXPECT_TRUE(runSettings.width == 800 && runSettings.height == 600 && runSettings.fullscreen);
    EXPECT_FALSE(runSettings.noLights || runSettings.noMusic);

    ASSERT_TRUE(parse({"--play", "--windowed", "--size", "1024x768", "--no-lights", "--no-music", "--fixed-fps", "30",
                       "--frames-at", "0,6.5,229", "--frames-dir", "out", "--timings"},
                      line))
        << line.error;
    EXPECT_TRUE(line.play && line.timings && line.fixedFps == 30.0 && line.framesDir == "out");
    EXPECT_EQ(line.framesAt, (std::vector<double>{0.0, 6.5, 229.0}));
    applyCommandLine(line);
    EXPECT_TRUE(runSettings.width == 1024 && runSettings.height == 768 && !runSettings.fullscreen);
    EXPECT_TRUE(runSettings.noLights && runSettings.noMusic);
    resetRunSettings();

    ASSERT_TRUE(parse({"--inspect", "data/city.3ds", "--help", "--version"}, other));
    EXPECT_TRUE(other.inspectPath == "data/city.3ds" && other.help && other.version);
}

// Unknown options, missing or malformed values, and options without the
// one they go with are refused with a reason; every numeric limit is taken
// just inside and refused just outside.
TEST(CommandLineTest, BadUsageIsRefusedAndNumbersAreTakenUpToTheirLimits) {
    const std::vector<std::vector<const char*>> bad = {
        {"--bogus"},
        {"extra"},
        {"--size"},
        {"--fixed-fps", "0"},
        {"--fixed-fps", "abc"},
        {"--fixed-fps", "nan"},
        {"--frames-at", ""},
        {"--frames-at", "1,,2"},
        {"--frames-at", "3,x"},
        {"--frames-dir", "out"},
        {"--inspect"},
        {"--frames", "10"},
        {"--view", "a.3ds", "--emitters", "1000,1.0,100,10"},
        {"--view", "a.3ds", "--emitters", "1000,1.0,100,10,0,5"},
        {"--view", "a.3ds", "--emitters", "10.5,1.0,100,10,0"},
        {"--fps", "30"},
        {"--stop-after", "3"},
        {"--capture", "a.mp4", "--fps", "29.97"},
        {"--capture", "a.mp4", "--fixed-fps", "30"},
        {"--capture", "a.mp4", "--view", "a.3ds"},
    };
    for (const auto& args : bad) {
        CommandLine line;
        EXPECT_TRUE(!parse(args, line) && !line.error.empty()) << args[0] << " ... " << args.back();
    }

    const char* const capture[] = {"--capture", "a.mp4"};
    const char* const view[] = {"--view", "a.3ds"};
    struct Edge {
        const char* const* lead;  // the option the value goes with, or null
        const char* option;
        const char* inside;
        const char* outside;
    } edges[] = {
        {nullptr, "--fixed-fps", "1000", "1000.5"},
        {nullptr, "--frames-at", "0", "-0.001"},
        {capture, "--fps", "1", "0"},
        {capture, "--fps", "240", "241"},
        {capture, "--stop-after", "86400", "86400.5"},
        {capture, "--stop-after", "0.01", "0"},
        {view, "--frames", "1", "0"},
        {view, "--frames", "65535", "65536"},
        {view, "--seconds", "86400", "86400.5"},
        {view, "--seconds", "0.01", "0"},
        {view, "--emitters", "1,3600,0,0,-1000000", "0,3600,0,0,0"},
        {view, "--emitters", "100000,1,100000,1000000,1000000", "100001,1,1,1,0"},
        {view, "--emitters", "1,3600,1,1,0", "1,3600.5,1,1,0"},
        {view, "--emitters", "1,0.01,1,1,0", "1,0,1,1,0"},
        {view, "--emitters", "1,1,100000,1,0", "1,1,100001,1,0"},
        {view, "--emitters", "1,1,1,1000000,0", "1,1,1,1000001,0"},
        {view, "--emitters", "1,1,1,0,0", "1,1,1,-0.5,0"},
        {view, "--emitters", "1,1,1,1,-1000000", "1,1,1,1,-1000001"},
    };
    for (const Edge& edge : edges) {
        for (bool inside : {true, false}) {
            std::vector<const char*> args;
            if (edge.lead != nullptr) args = {edge.lead[0], edge.lead[1]};
            args.insert(args.end(), {edge.option, inside ? edge.inside : edge.outside});
            CommandLine line;
            EXPECT_EQ(parse(args, line), inside) << edge.option << " " << args.back() << ": " << line.error;
        }
    }
}

// Sizes with every digit are read; each refused size breaks one rule only,
// next to a size that keeps it.
TEST(CommandLineTest, SizesAreReadDigitByDigit) {
    const struct {
        const char* text;
        int width, height;
    } accepted[] = {{"1920x1080", 1920, 1080}, {"2345x6789", 2345, 6789}, {"16384x1", 16384, 1}, {"1x16384", 1, 16384}};
    for (const auto& size : accepted) {
        CommandLine line;
        EXPECT_TRUE(parse({"--size", size.text}, line)) << size.text << ": " << line.error;
        EXPECT_EQ((std::vector<int>{line.width, line.height}), (std::vector<int>{size.width, size.height}))
            << size.text;
    }
    for (const char* size : {"0x600", "800x0", "16385x600", "800x16385",                        // range
                             "/00x600", "80:x600", "800x6/0", "800x60:", "800x-6", "+800x600",  // a non-digit
                             "800", "800X600", "x600", "800x", "800x600x3"}) {                  // the shape
        CommandLine line;
        EXPECT_FALSE(parse({"--size", size}, line)) << size;
        EXPECT_EQ(line.error, "--size wants WIDTHxHEIGHT, for example 1024x768") << size;
    }
}

}  // namespace
