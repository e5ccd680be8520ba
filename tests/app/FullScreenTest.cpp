// Full screen on a display without a mode of the chosen size: the show fills
// the screen with its picture scaled to fit, black bars around it, and still
// draws (and captures) at the chosen size.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

#include "support/OwnScreen.h"
#include "support/PngRead.h"
#include "support/ScreenImage.h"
#include "support/ShowProcess.h"

namespace {

// Pixels of rows [top, bottom) that are not black.
long litPixels(const Picture& screen, unsigned top, unsigned bottom) {
    long lit = 0;
    for (unsigned y = top; y < bottom && y < screen.height; ++y) {
        for (unsigned x = 0; x < screen.width; ++x) {
            const uint8_t* p = &screen.rgb[(y * screen.width + x) * 3];
            lit += (p[0] | p[1] | p[2]) != 0 ? 1 : 0;
        }
    }
    return lit;
}

TEST(FullScreenTest, NoMatchingModeFillsTheScreenScaledWithBars) {
    OwnScreen own;
    ASSERT_TRUE(own.start("fullscreen")) << "Xvfb did not start";
    const std::string frames = freshTempFolder("fullscreen-frames");
    // Scene 1 ends after the frame at 3 s is written: the screen then shows
    // the running show.
    ShowRequest request = quietShow({"--play", "--size", "800x600", "--no-music", "--fixed-fps", "10", "--timings",
                                     "--frames-at", "3", "--frames-dir", frames});
    Picture screen;
    request.stopOnText = "scene 1:";
    request.onStop = [&](int) { readXvfbScreen(own.fbdir(), screen); };
    request.stopSignal = SIGINT;
    const ShowRun run = runShow(request);
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.errors.find("Display Mode Not Compatible"), std::string::npos) << run.errors;
    ASSERT_EQ(screen.width, 1280u);
    ASSERT_EQ(screen.height, 1024u);
    // 800x600 scaled by 1.6 is 1280x960: 32 black rows above and below.
    EXPECT_EQ(litPixels(screen, 0, 32), 0);
    EXPECT_EQ(litPixels(screen, 992, 1024), 0);
    EXPECT_GT(litPixels(screen, 32, 992), 1280L * 960 / 4) << "the picture does not fill the screen";

    // The frame written is the 800x600 frame, the same as a windowed run's.
    Picture scaled, windowed;
    ASSERT_TRUE(readPng(framePngPath(frames, 3.0), scaled));
    const std::string windowedFrames = freshTempFolder("windowed-frames");
    const ShowRun plain = runShow(quietShow({"--play", "--windowed", "--size", "800x600", "--no-music", "--fixed-fps",
                                             "10", "--frames-at", "3", "--frames-dir", windowedFrames}));
    EXPECT_EQ(plain.exitCode, 0) << plain.errors;
    ASSERT_TRUE(readPng(framePngPath(windowedFrames, 3.0), windowed));
    ASSERT_EQ(scaled.width, 800u);
    ASSERT_EQ(scaled.rgb.size(), windowed.rgb.size());
    long differing = 0;
    for (size_t i = 0; i < scaled.rgb.size(); ++i) differing += std::abs(scaled.rgb[i] - windowed.rgb[i]) > 8 ? 1 : 0;
    EXPECT_LT(differing, static_cast<long>(scaled.rgb.size() / 100)) << "the scaled run draws another frame";
}

}  // namespace
