// The scene viewer run as a scene maker runs it: frames of a view read back
// from its PNGs, the stand-in camera of a camera-less file, refused files;
// and that stand-in camera on its own: every corner of the box it frames
// lies inside the renderer's view, and the box covers only finite mesh
// vertices.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <set>

#include "app/OrbitCamera.h"
#include "app/SceneViewerCamera.h"
#include "support/Chunk3dsWriter.h"
#include "support/OwnScreen.h"
#include "support/PngRead.h"
#include "support/ShowProcess.h"
#include "support/TestScenes.h"

namespace {

// [SECTION] Files

// A closed box of 12 triangles from low to high (file axes X, Y, Z).
void addBoxMesh(Chunk3dsWriter& w, const std::string& name, std::vector<float> low, std::vector<float> high,
                const std::string& material = "") {
    std::vector<std::vector<float>> points;
    for (int corner = 0; corner < 8; ++corner) {
        points.push_back({corner & 1 ? high[0] : low[0], corner & 2 ? high[1] : low[1], corner & 4 ? high[2] : low[2]});
    }
    std::vector<std::vector<uint16_t>> faces;  // corner indices, three digits a triangle
    for (const char* f = "013032467475045051237276026064157173"; *f != 0; f += 3)
        faces.push_back({uint16_t(f[0] - '0'), uint16_t(f[1] - '0'), uint16_t(f[2] - '0')});
    addMesh(w, name, points, faces, material);
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

// The pixels (by index) for which pick holds.
long countPixels(const std::function<bool(size_t)>& pick) {
    long count = 0;
    for (size_t i = 0; i < size_t(kPixels); ++i) count += pick(i) ? 1 : 0;
    return count;
}

long litCount(const Picture& p) {
    return countPixels([&](size_t i) { return lit(p, i); });
}

long differingPixels(const Picture& a, const Picture& b) {
    return countPixels([&](size_t i) { return !std::equal(&a.rgb[i * 3], &a.rgb[i * 3] + 3, &b.rgb[i * 3]); });
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
    EXPECT_EQ(run.errors.find("viewer's camera"), std::string::npos) << run.errors;
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

// Refused files exit 1 with the loader's reason and write no frame. A
// camera-less file (its box alone, no keys) has no length: a still view
// whose stand-in camera (its framing is SceneViewerCameraTest's) shows the
// box large, here without lights.
TEST(SceneViewerTest, CameraLessFilesAreFramedStillAndOthersRefused) {
    const std::string folder = freshTempFolder("view-files"), frames = folder + "/frames";
    Chunk3dsWriter nothing, box;
    nothing.begin(0x4D4D).begin(0x3D3D).end().end();
    addBoxMesh(box.begin(0x4D4D).begin(0x3D3D), "Model", {-10, -10, -10}, {10, 10, 10});
    const struct {
        std::string file;
        std::string says;
    } cases[] = {
        {folder + "/missing.3ds", "cannot open the file"},
        {writeScratchFile("view-text.3ds", {'h', 'e', 'l', 'l', 'o', '\n'}), "not a 3DS file"},
        {nothing.writeFile("view-nothing.3ds"), "no camera, and no mesh to frame"},
        {box.end().end().writeFile("view-cube.3ds"), "viewer's camera"},  // the one shown
    };
    for (const auto& c : cases) {
        const ShowRun run = runView(c.file, "0,0.5", frames, {"--no-lights"});
        const bool shown = &c == &cases[3];
        EXPECT_EQ(run.exitCode, shown ? 0 : 1) << c.file << "\n" << run.errors;
        EXPECT_NE(run.errors.find(c.says), std::string::npos) << run.errors;
        EXPECT_EQ(std::filesystem::exists(frames), shown) << c.file;
    }
    const Picture picture = frame(frames, 0);
    EXPECT_EQ(differingPixels(picture, frame(frames, 0.5)), 0);
    EXPECT_GE(litCount(picture), kPixels / 4);
}

// [SECTION] The stand-in camera

constexpr double kDegrees = 3.14159265358979323846 / 180.0;
constexpr double kTanHalfView = 0.41421356237309503;  // tan(22.5 degrees)

// The renderer's view: translate by -eye, rotate about y, then about x.
Vec3 eyeSpace(const SceneObject& camera, const Vec3& p) {
    const double x0 = p.x - camera.cameraPosition.x, y0 = p.y - camera.cameraPosition.y,
                 z0 = p.z - camera.cameraPosition.z;
    const double cy = std::cos(camera.rotation.y * kDegrees), sy = std::sin(camera.rotation.y * kDegrees);
    const double x1 = cy * x0 + sy * z0, z1 = -sy * x0 + cy * z0;
    const double cx = std::cos(camera.rotation.x * kDegrees), sx = std::sin(camera.rotation.x * kDegrees);
    return {x1, cx * y0 - sx * z1, sx * y0 + cx * z1};
}

// The box covers only finite mesh vertices; it and others, each seen from
// the camera that frames it, lie wholly and closely in the view.
TEST(SceneViewerCameraTest, TheBoxOfTheMeshesIsFramedWhole) {
    Scene meshes;
    Vec3 lo, hi;
    EXPECT_FALSE(meshBounds(meshes, lo, hi));
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const struct {
        std::vector<Vec3> vertices;
        ObjectKind kind;
    } objects[] = {
        {{{1, 2, 3}, {nan, 0, 0}, {-4, 5, 0}}, ObjectKind::Mesh},
        {{{0, -7, inf}, {2, 0, 9}}, ObjectKind::Mesh},
        {{{100, 100, 100}}, ObjectKind::Light},
    };
    for (const auto& o : objects) {
        SceneObject& object = testscenes::appendObject(meshes, o.kind, "object");
        object.vertexCount = static_cast<uint16_t>(o.vertices.size());
        object.vertices = o.vertices;
    }
    ASSERT_TRUE(meshBounds(meshes, lo, hi));
    EXPECT_EQ((std::vector<double>{lo.x, lo.y, lo.z, hi.x, hi.y, hi.z}), (std::vector<double>{-4, 0, 0, 2, 5, 9}));
    const struct {
        Vec3 low, high;
    } boxes[] = {
        {lo, hi},
        {{-1, -1, -1}, {1, 1, 1}},
        {{100, 0, -3000}, {900, 5, -2000}},  // a flat ground far away
        {{0, 0, 0}, {1, 200, 1}},            // a pole
        {{5, 5, 5}, {5, 5, 5}},              // one point
    };
    for (double aspect : {4.0 / 3.0, 16.0 / 9.0, 0.75}) {
        for (const auto& [low, high] : boxes) {
            SceneObject camera;
            frameBox(low, high, aspect, camera);
            Scene scene;  // an empty scene that only carries the camera
            scene.camera = &camera;
            scene.frameCount = 1;
            scene.evaluateKeyframes();
            EXPECT_GT(std::hypot(camera.cameraTarget.x - camera.cameraPosition.x,
                                 camera.cameraTarget.z - camera.cameraPosition.z),
                      0.0)
                << "vertical line of sight";
            double widest = 0.0;
            for (int corner = 0; corner < 8; ++corner) {
                const Vec3 c{corner & 1 ? high.x : low.x, corner & 2 ? high.y : low.y, corner & 4 ? high.z : low.z};
                const Vec3 e = eyeSpace(camera, c);
                ASSERT_GT(-e.z, 0.5) << "corner " << corner << " behind the near plane";
                const double x = e.x / -e.z / (kTanHalfView * aspect), y = e.y / -e.z / kTanHalfView;
                EXPECT_LE(std::max(std::fabs(x), std::fabs(y)), 1.0) << "corner " << corner << " aspect " << aspect;
                widest = std::max({widest, std::fabs(x), std::fabs(y)});
            }
            const bool point = low.x == high.x && low.y == high.y && low.z == high.z;
            EXPECT_TRUE(point || widest > 0.8) << "framed too loosely: " << widest << " aspect " << aspect;
        }
    }
}

// Wherever the orbit camera is taken (from an eye and target, turned, moved
// across, zoomed), the renderer's view puts its target straight ahead at its
// distance; turning keeps the distance, moving keeps the angles.
TEST(SceneViewerCameraTest, OrbitKeepsItsTargetAheadOfTheEye) {
    const struct {
        Vec3 eye, target;
    } starts[] = {{{0, 0, 10}, {0, 0, 0}}, {{300, 250, -40}, {10, 150, 5}}, {{-5, -20, -5}, {0, 0, 0}}};
    for (const auto& [eye, target] : starts) {
        OrbitCamera orbit = orbitFrom(eye, target);
        const Vec3 back = orbitEye(orbit);
        EXPECT_TRUE(testscenes::sameVec(back, eye, 1e-9));
        const double distance = orbit.distance, yaw = orbit.yaw;
        turnOrbit(orbit, 40, -300);  // far enough to meet the pitch limit
        EXPECT_NEAR(orbit.distance, distance, 1e-9);
        EXPECT_NE(orbit.yaw, yaw);
        EXPECT_GE(orbit.pitch, -89.0);
        const OrbitCamera turned = orbit;
        panOrbit(orbit, 25, -10, 480);
        EXPECT_TRUE(orbit.yaw == turned.yaw && orbit.pitch == turned.pitch);
        EXPECT_GT(std::hypot(orbit.target.x - turned.target.x, orbit.target.y - turned.target.y,
                             orbit.target.z - turned.target.z),
                  distance * 0.01);
        zoomOrbit(orbit, 2);
        EXPECT_LT(orbit.distance, distance);
        SceneObject camera;
        placeCamera(orbit, camera);
        const Vec3 ahead = eyeSpace(camera, orbit.target);
        EXPECT_TRUE(testscenes::sameVec(ahead, {0.0, 0.0, -orbit.distance}, 1e-6 * distance));
    }
}

// [SECTION] Real input

// A scene maker's file: a box that turns about the up axis over frames 0 to
// 60, in material "Paint" (orange, its picture "Paint.JPG" kept as
// "paint.jpg" beside the file), and a flat plate below in "Rust", whose
// picture is missing; a second plate also in a material asking for the
// missing picture. No camera, no lights; 15 triangles.
std::vector<uint8_t> makersSceneBytes(float boxHalf) {
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D);
    w.materialBlock("Paint", {1.0f, 0.5f, 0.0f}, true, "C:\\maps\\Paint.JPG");
    w.materialBlock("Rust", {0.6f, 0.6f, 0.6f}, false, "rust.jpg");
    w.materialBlock("Rust2", {}, false, "rust.jpg");
    addBoxMesh(w, "Box", {-boxHalf, -boxHalf, -boxHalf}, {boxHalf, boxHalf, boxHalf}, "Paint");
    addMesh(w, "Plate", {{-20, -20, -15}, {20, -20, -15}, {20, 20, -15}, {-20, 20, -15}}, {{0, 1, 2}, {0, 2, 3}},
            "Rust");
    addMesh(w, "Plate2", {{-20, -20, -16}, {20, -20, -16}, {20, 20, -16}}, {{0, 1, 2}}, "Rust2");
    w.end().begin(0xB000).begin(0xB002).begin(0xB010).string("Box").u16(0).u16(0).u16(0xFFFF).end();
    w.begin(0xB021).u16(0).u32(0).u32(0).u32(2);
    for (uint32_t key = 0; key < 2; ++key) w.u32(key * 60).u16(0).f32(key * 1.5f).point(0, 0, 1);
    w.end().end().end().end();
    return w.bytes();
}

// The viewer run by a user: keys and the mouse through xdotool on a screen
// of the test's own; every picture is one F12 writes beside the file.
class ViewerInput : public ::testing::Test {
protected:
    void SetUp() override {
        int status = -1;
        shellOutput("command -v Xvfb && command -v xdotool", &status);
        if (status != 0) GTEST_SKIP() << "needs Xvfb and xdotool";
        ASSERT_TRUE(screen.start("viewer")) << "Xvfb did not start";
        // A folder per test: ctest runs them side by side.
        folder =
            freshTempFolder(std::string("viewer-") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }
    // Runs the viewer on file (real clock) while drive(window) works it;
    // Escape ends it after drive returns.
    ShowRun runViewer(const std::string& file, const std::function<void()>& drive) {
        ShowRequest request = quietShow({"--view", file, "--windowed", "--size", "320x240"}, folder);
        request.timeoutSeconds = 120.0;
        request.stopOnText = "viewing ";
        request.onStop = [&](int pid) {
            window = findWindow(pid, ".");
            if (window.empty()) return;
            xdo("mousemove --sync --window " + window + " 160 120");  // the pointer brings the keyboard
            drive();
            xdo("key Escape");
        };
        return runShow(request);
    }
    void xdo(const std::string& command) { shellOutput("xdotool " + command); }
    // Presses F12 and reads the PNG it writes; its name in *name.
    Picture shot(std::string* name = nullptr) {
        const std::set<std::string> before = pngs();
        xdo("key F12");
        Picture picture;
        for (int waited = 0; waited < 5000; waited += 50) {
            pauseMs(50);
            for (const std::string& path : pngs()) {
                if (before.count(path) || !readPng(path, picture)) continue;  // old, or still being written
                if (name) *name = std::filesystem::path(path).filename().string();
                picture.rgb.resize(size_t(kPixels) * 3);
                return picture;
            }
        }
        ADD_FAILURE() << "F12 wrote no picture";
        picture.rgb.assign(size_t(kPixels) * 3, 0);
        return picture;
    }
    std::set<std::string> pngs() const {
        std::set<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".png") found.insert(entry.path().string());
        return found;
    }
    OwnScreen screen;
    std::string folder, window;
};

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);  // in place, as editors save
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The animation frame in the name of a shot ("maker-0012.png", "maker-0012-2.png").
int shotFrame(const std::string& name) { return std::atoi(name.c_str() + name.find('-') + 1); }

// Nothing lit on the picture's border: the model is inside the window.
bool insideWindow(const Picture& p) {
    return countPixels([&](size_t i) {
               const size_t x = i % kWidth, y = i / kWidth;
               return lit(p, i) && (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1);
           }) == 0;
}

long orangePixels(const Picture& p) {
    return countPixels([&](size_t i) { return p.rgb[i * 3] > p.rgb[i * 3 + 1] + 30; });
}

int greyLevels(const Picture& p) {
    std::set<int> levels;
    for (size_t i = 0; i < size_t(kPixels); ++i)
        if (lit(p, i)) levels.insert(p.rgb[i * 3]);
    return static_cast<int>(levels.size());
}

// An unlit file opens in preview shading, its material's orange in many
// shades and its pictures looked up beside it whatever their case (the
// missing one reported once); Space holds the frame and Right steps one;
// a drag turns the model, the wheel brings it closer, W draws its edges
// only; the title tells the file, frame and triangles.
TEST_F(ViewerInput, TurnZoomPauseStepWireframeAndShots) {
    const std::string file = folder + "/maker.3ds";
    writeBytes(file, makersSceneBytes(10.0f));
    std::filesystem::copy_file(std::string(ORVANE_BINARY_DIR) + "/data/stone.jpg", folder + "/paint.jpg");
    Picture first, held, stepped, turned, closer, edges;
    std::string title, heldName, steppedName;
    const ShowRun run = runViewer(file, [&] {
        first = shot();
        xdo("key space");
        held = shot(&heldName);
        pauseMs(300);
        EXPECT_EQ(differingPixels(held, shot()), 0) << "Space did not hold the frame";
        xdo("key Right");
        stepped = shot(&steppedName);
        xdo("mousemove --sync --window " + window + " 100 120 mousedown 1");
        for (int step = 0; step < 8; ++step) xdo("mousemove_relative --sync 10 4");
        xdo("mouseup 1");
        turned = shot();
        xdo("click 4 click 4 click 4");
        closer = shot();
        xdo("key w");
        edges = shot();
        pauseMs(600);  // the title's refresh
        title = shellOutput("xdotool getwindowname " + window);
    });
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_GT(litCount(first), kPixels / 20);
    EXPECT_TRUE(insideWindow(first));
    EXPECT_GE(greyLevels(first), 20) << "preview shading gives one flat tone";
    EXPECT_GT(orangePixels(first), kPixels / 50) << "the material's colour is not used";
    EXPECT_NE(run.errors.find("preview shading"), std::string::npos) << run.errors;
    const size_t missing = run.errors.find("\"rust.jpg\" not found");
    EXPECT_NE(missing, std::string::npos) << run.errors;
    EXPECT_EQ(run.errors.find("\"rust.jpg\"", missing + 1), std::string::npos) << "reported twice";
    EXPECT_EQ(run.errors.find("Paint.JPG"), std::string::npos) << "the picture beside the file not found";
    EXPECT_EQ(shotFrame(steppedName), (shotFrame(heldName) + 1) % 60) << heldName << ", then " << steppedName;
    EXPECT_GT(differingPixels(stepped, turned), kPixels / 50) << "the drag did not turn the model";
    EXPECT_TRUE(insideWindow(turned));
    EXPECT_GT(litCount(closer), litCount(turned) * 5 / 4) << "the wheel did not zoom";
    EXPECT_LT(litCount(edges), litCount(closer) / 2) << "W did not draw a wireframe";
    EXPECT_NE(title.find("maker.3ds - frame "), std::string::npos) << title;
    EXPECT_NE(title.find(" - 15 triangles - "), std::string::npos) << title;
}

// A save of the file in another program shows within a second, keeping the
// view (zoomed in, the grown box covers more); a save that breaks the file
// keeps the last good picture.
TEST_F(ViewerInput, SavedFileIsReloadedAndABrokenSaveKeepsTheLastGoodOne) {
    const std::string file = folder + "/edited.3ds";
    auto save = [&](const std::vector<uint8_t>& bytes) { writeBytes(file, bytes); };
    save(makersSceneBytes(10.0f));
    Picture before, after, broken;
    double seconds = -1.0;
    const ShowRun run = runViewer(file, [&] {
        xdo("key space click 4 click 4");  // a still picture: any change is the file's
        before = shot();
        save(makersSceneBytes(14.0f));
        const auto saved = std::chrono::steady_clock::now();
        for (int tries = 0; tries < 40 && seconds < 0.0; ++tries) {
            // Timed to the key press: the picture is the frame drawn next, and
            // writing and reading it back can be slow on a busy machine.
            const auto pressed = std::chrono::steady_clock::now();
            after = shot();
            if (differingPixels(before, after) > kPixels / 100)
                seconds = std::chrono::duration<double>(pressed - saved).count();
        }
        save({'3', 'd', 's'});
        pauseMs(700);
        broken = shot();
    });
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_GE(seconds, 0.0) << "the saved file never showed";
    EXPECT_LT(seconds, 1.0);
    EXPECT_GT(litCount(after), litCount(before)) << "the reload did not keep the view";
    EXPECT_NE(run.errors.find("reloaded"), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("the last good version stays"), std::string::npos) << run.errors;
    EXPECT_EQ(differingPixels(after, broken), 0);
}

}  // namespace
