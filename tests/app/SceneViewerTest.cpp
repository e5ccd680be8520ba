// The scene viewer run as a scene maker runs it: frames of a view read back
// from its PNGs, the stand-in camera of a camera-less file, refused files.
#include <gtest/gtest.h>

#include <filesystem>

#include "SceneViewerFiles.h"

namespace {

constexpr long kPixels = 320 * 240;

Picture framePicture(const std::string& folder, double time) {
    Picture picture;
    EXPECT_TRUE(readPng(viewFramePath(folder, time), picture)) << viewFramePath(folder, time);
    EXPECT_EQ(picture.width, 320u);
    EXPECT_EQ(picture.height, 240u);
    return picture;
}

TEST(SceneViewerTest, TwoTimesShowTheModelMovedAndALaterPassRepeatsTheFirst) {
    const std::string folder = freshViewFolder("animated");
    const std::string file = writeScratchFile("view-animated.3ds", animatedSceneBytes());
    // 60 frames over 2 s: 0.5 s is frame 15, 1.5 s frame 45, 2.5 s frame 15 of the second pass.
    const ProgramRun run = runView(file, "0.5,1.5,2.5", folder, {"--frames", "60", "--seconds", "2"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    const Picture early = framePicture(folder, 0.5);
    const Picture late = framePicture(folder, 1.5);
    const Picture again = framePicture(folder, 2.5);
    EXPECT_GT(litCount(early), kPixels / 50);
    EXPECT_GT(litCount(late), kPixels / 50);
    EXPECT_GT(differingPixels(early, late), kPixels / 100);
    EXPECT_EQ(differingPixels(early, again), 0) << "the second pass does not restart from the loaded state";
    EXPECT_EQ(run.errors.find("default camera"), std::string::npos) << run.errors;
}

TEST(SceneViewerTest, DefaultLengthAndStillFilesPlay) {
    // Default speed: the file's 60 frames at 30 per second, so 1 s is frame
    // 30 and 3 s (second pass) is frame 30 again.
    const std::string folder = freshViewFolder("default-length");
    const std::string file = writeScratchFile("view-default.3ds", animatedSceneBytes());
    const ProgramRun run = runView(file, "1,3", folder);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(differingPixels(framePicture(folder, 1), framePicture(folder, 3)), 0);

    // A camera-less box has no length: a still view of frame 0.
    const std::string stillFolder = freshViewFolder("still");
    const std::string still = writeScratchFile("view-still.3ds", cameraLessBoxBytes({0, 0, 0}, {5, 5, 5}));
    const ProgramRun stillRun = runView(still, "0,0.5", stillFolder, {"--no-lights"});
    ASSERT_EQ(stillRun.exitCode, 0) << stillRun.errors;
    const Picture first = framePicture(stillFolder, 0);
    EXPECT_GT(litCount(first), kPixels / 10);
    EXPECT_EQ(differingPixels(first, framePicture(stillFolder, 0.5)), 0);
}

// The stand-in camera shows the whole box, large: it touches no edge of the
// frame, spans three quarters of its width or height, and its picture
// covers at least minimumShare of the frame.
void expectFramed(const std::string& name, std::vector<float> low, std::vector<float> high, double minimumShare) {
    const std::string folder = freshViewFolder(name);
    const std::string file = writeScratchFile("view-" + name + ".3ds", cameraLessBoxBytes(low, high));
    const ProgramRun run = runView(file, "0", folder);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.errors.find("default camera"), std::string::npos) << run.errors;
    const Picture picture = framePicture(folder, 0);
    PixelBox box;
    ASSERT_TRUE(litBox(picture, box)) << name << ": nothing drawn";
    EXPECT_GE(box.area(), minimumShare * kPixels) << name;
    const unsigned width = box.right - box.left + 1, height = box.bottom - box.top + 1;
    EXPECT_TRUE(width >= 240 || height >= 180) << name << ": " << width << " x " << height;
    EXPECT_GT(box.left, 0u) << name;
    EXPECT_GT(box.top, 0u) << name;
    EXPECT_LT(box.right, 319u) << name;
    EXPECT_LT(box.bottom, 239u) << name;
}

TEST(SceneViewerTest, CameraLessFilesAreFramedWhole) {
    expectFramed("cube", {-10, -10, -10}, {10, 10, 10}, 0.25);
    // Far from the origin, long and flat, in units far beyond the near plane.
    expectFramed("slab", {500, 300, -20}, {1100, 450, -5}, 0.25);
    // Tall and thin: it cannot cover a quarter, but fills the height.
    expectFramed("pole", {-2, -2, 0}, {2, 2, 60}, 0.0);
}

TEST(SceneViewerTest, RefusedFilesExitOneWithTheLoadersReason) {
    const std::string folder = freshViewFolder("refused");
    struct Case {
        std::string file;
        std::string reason;
    };
    Chunk3dsWriter nothing;
    nothing.begin(0x4D4D).begin(0x3D3D).end().end();
    const Case cases[] = {
        {folder + "/missing.3ds", "cannot open the file"},
        {writeScratchFile("view-text.3ds", {'h', 'e', 'l', 'l', 'o', '\n'}), "not a 3DS file"},
        {nothing.writeFile("view-nothing.3ds"), "no camera, and no mesh to frame"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = runView(c.file, "0", folder + "/frames");
        EXPECT_EQ(run.exitCode, 1) << c.file << "\n" << run.errors;
        EXPECT_NE(run.errors.find(c.reason), std::string::npos) << run.errors;
        EXPECT_FALSE(std::filesystem::exists(folder + "/frames")) << c.file;
    }
}

TEST(SceneViewerTest, EmittersAreAttachedOnlyWhenAsked) {
    const std::string file = writeScratchFile("view-emitter.3ds", animatedSceneBytes(true));
    const std::string plainFolder = freshViewFolder("emitter-off");
    const ProgramRun plain = runView(file, "1", plainFolder);
    ASSERT_EQ(plain.exitCode, 0) << plain.errors;
    EXPECT_NE(plain.output.find("0 emitters"), std::string::npos) << plain.output;
    const std::string sparkFolder = freshViewFolder("emitter-on");
    const ProgramRun sparks = runView(file, "1", sparkFolder, {"--emitters", "100,1.0,50,5,0"});
    ASSERT_EQ(sparks.exitCode, 0) << sparks.errors;
    EXPECT_NE(sparks.output.find("1 emitters"), std::string::npos) << sparks.output;
    // The sprites (untextured: glow.jpg is missing) add lit pixels above the box.
    EXPECT_GT(litCount(framePicture(sparkFolder, 1)), litCount(framePicture(plainFolder, 1)) + 100);
}

TEST(SceneViewerTest, TerminationEndsTheViewWithZero) {
    const std::string folder = freshViewFolder("terminated");
    const std::string file = writeScratchFile("view-terminated.3ds", animatedSceneBytes());
    // No --frames-at: the view would loop for ever.
    const ProgramRun run = runOrvane({"--view", file, "--windowed", "--size", "320x240", "--fixed-fps", "30"}, folder,
                                     {"SDL_AUDIODRIVER=dummy", "ORVANE_HEADLESS=1"}, {}, "viewing ");
    EXPECT_EQ(run.exitCode, 0) << run.errors;
}

TEST(SceneViewerTest, ViewOptionsAreCheckedAsUsage) {
    const std::string folder = freshViewFolder("usage");
    const std::string file = writeScratchFile("view-usage.3ds", animatedSceneBytes());
    const std::vector<std::vector<std::string>> bad = {
        {"--frames", "10"},
        {"--view", file, "--frames", "0"},
        {"--view", file, "--seconds", "-1"},
        {"--view", file, "--emitters", "1000,1.0,100,10"},
        {"--view", file, "--emitters", "1000,1.0,100,10,0,5"},
        {"--view", file, "--emitters", "10.5,1.0,100,10,0"},
    };
    for (const auto& args : bad) {
        const ProgramRun run = runOrvane(args, folder, {"SDL_AUDIODRIVER=dummy", "ORVANE_HEADLESS=1"});
        EXPECT_EQ(run.exitCode, 2) << args.back() << "\n" << run.errors;
    }
}

}  // namespace
