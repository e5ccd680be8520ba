// The scene viewer run as a scene maker runs it: frames of a view read back
// from its PNGs, the stand-in camera of a camera-less file, refused files.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <filesystem>

#include "support/Chunk3dsWriter.h"
#include "support/PngRead.h"
#include "support/ShowProcess.h"

namespace {

// [SECTION] Files

// A closed box of 12 triangles from low to high (file axes X, Y, Z).
void addBoxMesh(Chunk3dsWriter& w, const std::string& name, std::vector<float> low, std::vector<float> high) {
    std::vector<std::vector<float>> points;
    for (int corner = 0; corner < 8; ++corner) {
        points.push_back({corner & 1 ? high[0] : low[0], corner & 2 ? high[1] : low[1], corner & 4 ? high[2] : low[2]});
    }
    addMesh(w, name, points,
            {{0, 1, 3},
             {0, 3, 2},
             {4, 6, 7},
             {4, 7, 5},
             {0, 4, 5},
             {0, 5, 1},
             {2, 3, 7},
             {2, 7, 6},
             {0, 2, 6},
             {0, 6, 4},
             {1, 5, 7},
             {1, 7, 3}});
}

// The test scene: a lit box named "Box" at the origin that slides along X
// and turns about the up axis over frames 0 to 60, seen by camera "Cam"
// whose eye moves through three keys over the same frames while looking at
// the origin. A small mesh "*00Glow" (material "glow.jpg", a file that does
// not exist) sits 20 units above the box: a type 0 emitter.
std::vector<uint8_t> animatedSceneBytes() {
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D);
    addBoxMesh(w, "Box", {-10, -10, -10}, {10, 10, 10});
    addMesh(w, "*00Glow", {{-1, 0, 20}, {1, 0, 20}, {0, 0, 21}}, {{0, 1, 2}}, "glow.jpg");
    const std::vector<float> spot = {0, 60, -60};
    addLight(w, "Lamp", {0, -60, 60}, {1, 1, 1}, &spot);
    w.camera("Cam", {0, -100, 30}, {0, 0, 0});
    w.end().begin(0xB000);
    w.infoBlock(0xB003, "Cam", {0, 30, 60}, {{0, -100, 30}, {-40, -90, 50}, {20, -80, 10}});
    w.infoBlock(0xB004, "Cam", {0, 60}, {{0, 0, 0}, {0, 0, 0}});
    w.begin(0xB002).begin(0xB010).string("Box").u16(0).u16(0).u16(0xFFFF).end();
    w.positionTrack({0, 60}, {{0, 0, 0}, {25, 0, 0}});
    // Rotation track: frames 0, 30, 60; angles in radians about the Z axis.
    w.begin(0xB021).u16(0).u32(0).u32(0).u32(3);
    const float angles[3] = {0.0f, 0.8f, 0.8f};
    for (uint32_t key = 0; key < 3; ++key) w.u32(key * 30).u16(0).f32(angles[key]).point(0, 0, 1);
    w.end().end();
    w.infoBlock(0xB002, "*00Glow", {0}, {{0, 0, 20}});
    w.end().end();
    return w.bytes();
}

// [SECTION] Runs and pictures

constexpr unsigned kWidth = 320, kHeight = 240;  // view size, pixels
constexpr long kPixels = kWidth * kHeight;
constexpr int kDarkThreshold = 24;  // channel value above which a pixel counts as lit

// Runs `orvane --view file` in a 320x240 window at 30 steps a second,
// writing frames at times (seconds of the view) into folder.
ShowRun runView(const std::string& file, const std::string& times, const std::string& folder,
                const std::vector<std::string>& extra = {}) {
    std::vector<std::string> args = {"--view", file,          "--windowed", "--size",       "320x240", "--fixed-fps",
                                     "30",     "--frames-at", times,        "--frames-dir", folder};
    args.insert(args.end(), extra.begin(), extra.end());
    return runShow(quietShow(args, std::filesystem::temp_directory_path().string()));
}

Picture frame(const std::string& folder, double time) {
    Picture picture;
    EXPECT_TRUE(readPng(framePngPath(folder, time), picture)) << framePngPath(folder, time);
    EXPECT_TRUE(picture.width == kWidth && picture.height == kHeight) << picture.width << " x " << picture.height;
    picture.rgb.resize(size_t(kPixels) * 3);
    return picture;
}

bool lit(const Picture& p, size_t pixel) {
    return std::max({p.rgb[pixel * 3], p.rgb[pixel * 3 + 1], p.rgb[pixel * 3 + 2]}) > kDarkThreshold;
}

long litCount(const Picture& p) {
    long count = 0;
    for (size_t i = 0; i < size_t(kPixels); ++i) count += lit(p, i) ? 1 : 0;
    return count;
}

long differingPixels(const Picture& a, const Picture& b) {
    long count = 0;
    for (size_t i = 0; i < a.rgb.size(); i += 3) count += std::equal(&a.rgb[i], &a.rgb[i] + 3, &b.rgb[i]) ? 0 : 1;
    return count;
}

// The loop is the file's 60 frames over 2 s by default: 0.5 s is frame 15,
// 1.5 s frame 45, 2.5 s frame 15 of the second pass; with --frames 30
// --seconds 2, 1 s is frame 15 as well. The emitter mesh sparks only when
// --emitters asks (its sprites are untextured: glow.jpg is missing).
TEST(SceneViewerTest, AnimatedFileLoopsFromItsLoadedStateAndHonoursTheOptions) {
    const std::string file = writeScratchFile("view-animated.3ds", animatedSceneBytes());
    const std::string folder = freshTempFolder("view-animated"), slowFolder = freshTempFolder("view-slow"),
                      sparkFolder = freshTempFolder("view-sparks");
    const ShowRun run = runView(file, "0.5,1,1.5,2.5", folder);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.errors.find("default camera"), std::string::npos) << run.errors;
    EXPECT_NE(run.output.find("0 emitters"), std::string::npos) << run.output;
    const Picture early = frame(folder, 0.5), late = frame(folder, 1.5);
    EXPECT_GT(litCount(early), kPixels / 50);
    EXPECT_GT(litCount(late), kPixels / 50);
    EXPECT_GT(differingPixels(early, late), kPixels / 100);
    EXPECT_EQ(differingPixels(early, frame(folder, 2.5)), 0)
        << "the second pass does not restart from the loaded state";

    const ShowRun slow = runView(file, "1", slowFolder, {"--frames", "30", "--seconds", "2"});
    ASSERT_EQ(slow.exitCode, 0) << slow.errors;
    EXPECT_EQ(differingPixels(early, frame(slowFolder, 1)), 0) << "--frames or --seconds not honoured";

    const ShowRun sparks = runView(file, "1", sparkFolder, {"--emitters", "100,1.0,50,5,0"});
    ASSERT_EQ(sparks.exitCode, 0) << sparks.errors;
    EXPECT_NE(sparks.output.find("1 emitters"), std::string::npos) << sparks.output;
    EXPECT_GT(litCount(frame(sparkFolder, 1)), litCount(frame(folder, 1)) + 100);
}

// A camera-less file has no length: a still view. The stand-in camera shows
// the whole box, large: it touches no edge of the frame, spans three
// quarters of its width or height, and covers a quarter of the frame.
TEST(SceneViewerTest, CameraLessFileIsFramedWholeAndStill) {
    const std::string folder = freshTempFolder("view-cube");
    Chunk3dsWriter box;  // a box and nothing else: no camera, no light, no keyframes
    addBoxMesh(box.begin(0x4D4D).begin(0x3D3D), "Model", {-10, -10, -10}, {10, 10, 10});
    const std::string file = box.end().end().writeFile("view-cube.3ds");
    const ShowRun run = runView(file, "0,0.5", folder, {"--no-lights"});
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.errors.find("default camera"), std::string::npos) << run.errors;
    const Picture picture = frame(folder, 0);
    EXPECT_EQ(differingPixels(picture, frame(folder, 0.5)), 0);
    unsigned left = kWidth, top = kHeight, right = 0, bottom = 0;
    for (unsigned y = 0; y < kHeight; ++y) {
        for (unsigned x = 0; x < kWidth; ++x) {
            if (!lit(picture, y * kWidth + x)) continue;
            left = std::min(left, x);
            top = std::min(top, y);
            right = std::max(right, x);
            bottom = std::max(bottom, y);
        }
    }
    ASSERT_LE(left, right) << "nothing drawn";
    const unsigned width = right - left + 1, height = bottom - top + 1;
    EXPECT_GE(width * height, kPixels / 4);
    EXPECT_TRUE(width >= 240 || height >= 180) << width << " x " << height;
    EXPECT_TRUE(left > 0 && top > 0 && right < kWidth - 1 && bottom < kHeight - 1) << "the box touches an edge";
}

TEST(SceneViewerTest, RefusedFilesExitOneWithTheLoadersReason) {
    const std::string folder = freshTempFolder("view-refused");
    Chunk3dsWriter nothing;
    nothing.begin(0x4D4D).begin(0x3D3D).end().end();
    const struct {
        std::string file;
        std::string reason;
    } cases[] = {
        {folder + "/missing.3ds", "cannot open the file"},
        {writeScratchFile("view-text.3ds", {'h', 'e', 'l', 'l', 'o', '\n'}), "not a 3DS file"},
        {nothing.writeFile("view-nothing.3ds"), "no camera, and no mesh to frame"},
    };
    for (const auto& c : cases) {
        const ShowRun run = runView(c.file, "0", folder + "/frames");
        EXPECT_EQ(run.exitCode, 1) << c.file << "\n" << run.errors;
        EXPECT_NE(run.errors.find(c.reason), std::string::npos) << run.errors;
        EXPECT_FALSE(std::filesystem::exists(folder + "/frames")) << c.file;
    }
}

TEST(SceneViewerTest, TerminationEndsTheViewWithZero) {
    // No --frames-at: the view would loop for ever.
    const std::string file = writeScratchFile("view-terminated.3ds", animatedSceneBytes());
    ShowRequest request = quietShow({"--view", file, "--windowed", "--size", "320x240", "--fixed-fps", "30"},
                                    freshTempFolder("view-terminated"));
    request.stopOnText = "viewing ";
    request.stopSignal = SIGTERM;
    EXPECT_EQ(runShow(request).exitCode, 0);
}

}  // namespace
