// Scenes 3, 6, 7 and 8: the lettering budgets over each scene, the credit
// windows, the ripple, and frames read back at chosen times.
#include <cstring>
#include <limits>
#include <tuple>

#include "SceneKit.h"
#include "scenes/Scene3Entrance.h"
#include "scenes/Scene6Rooms.h"
#include "scenes/Scene7Water.h"
#include "scenes/Scene8Mine.h"
#include "window/ShowWindow.h"

namespace {

constexpr float kScene3Seconds = 17.0f;
constexpr float kScene7Seconds = 45.0f;

// Scene 3 writes the name's 3000 steps over its 17 s from (52, 82); scene 8
// the closing text's 4000 steps over its last 15 s from (121, 76). No step
// at the start, none new on a replay, nothing without the bitmap.
TEST(SceneLettering, BudgetsGrowOverTheScenes) {
    const struct {
        ShowBitmap bitmap;
        int x, y;
        void (*write)(float, ParticleSystem&);
        std::vector<std::pair<float, int>> steps;  // scene time, pool count after
    } letterings[] = {
        {kOrvaneBmp,
         kNameStartX,
         kNameStartY,
         [](float t, ParticleSystem& pool) { writeNameLettering(t, kScene3Seconds, pool); },
         {{0.0f, 0}, {8.5f, 1500}, {8.5f, 1500}, {kScene3Seconds, 3000}}},
        {kEndBmp, 121, 76, writeClosingLettering, {{30.0f, 0}, {37.5f, 2000}, {37.5f, 2000}, {45.0f, 4000}}},
    };
    for (const auto& lettering : letterings) {
        SharedPool shared;
        {
            BitmapSlot bitmap(lettering.bitmap, serpentineBitmap(lettering.x, lettering.y));
            for (const auto& [t, count] : lettering.steps) {
                lettering.write(t, shared.pool);
                EXPECT_EQ(shared.pool.count, count) << "bitmap " << lettering.bitmap << " at " << t;
            }
            // The first particle is the pixel right of the start point.
            EXPECT_DOUBLE_EQ(shared.pool.particles[0].position.x, 2.0 * (lettering.x + 1) - 320);
            EXPECT_DOUBLE_EQ(shared.pool.particles[0].position.y, 200.0 - 2.0 * lettering.y);
        }
        shared.pool.count = 0;
        lettering.write(lettering.steps[1].first, shared.pool);
        EXPECT_EQ(shared.pool.count, 0) << "bitmap " << lettering.bitmap << " missing";
    }
}

using LetteringScenesTest = SceneGlTest;

// Each window clears the pool (here 77 particles left by scene 3) at its
// first frame only and writes 3000 steps over its 10 s; between the windows
// nothing is written. A stall that skips a whole window stops the clearing:
// the phase never catches up.
TEST(Scene6Credits, EachWindowClearsThePoolOnceAndWritesItsCredit) {
    constexpr int kLeftover = 77;
    const BitmapSlot bitmaps[] = {{kCodebyBmp, serpentineBitmap(52, 82)},
                                  {kGfxbyBmp, serpentineBitmap(52, 82)},
                                  {kZikbyBmp, serpentineBitmap(52, 82)}};
    SharedPool shared;
    for (int i = 0; i < kLeftover; ++i) shared.pool.emitAt(0.0, 0.0, 0.0);
    CreditLettering credits;
    const std::tuple<float, bool, int> frames[] = {// scene time, drawn, pool count after
                                                   {4.5f, false, kLeftover}, {5.0f, true, 0},     {6.0f, true, 300},
                                                   {10.0f, true, 1500},      {15.0f, true, 3000}, {17.0f, false, 3000},
                                                   {20.0f, true, 0},         {21.0f, true, 300},  {30.0f, true, 3000},
                                                   {35.0f, true, 0},         {45.0f, true, 3000}};
    for (const auto& [t, drawn, count] : frames) {
        EXPECT_EQ(credits.write(t, shared.pool), drawn) << "t = " << t;
        EXPECT_EQ(shared.pool.count, count) << "t = " << t;
    }
    EXPECT_EQ(credits.phase, kCreditWindowCount);

    const BitmapSlot fresh[] = {{kGfxbyBmp, serpentineBitmap(52, 82)}, {kZikbyBmp, serpentineBitmap(52, 82)}};
    CreditLettering stalled;
    shared.pool.count = kLeftover;
    EXPECT_TRUE(stalled.write(21.0f, shared.pool));
    EXPECT_TRUE(stalled.write(36.0f, shared.pool));
    EXPECT_EQ(shared.pool.count, kLeftover + 300 + 300);
    EXPECT_EQ(stalled.phase, 0);
}

// Scene 3's closing capture holds the render (nothing here) with the two
// backdrop layers added, then clears and restores the view. Scene 6, which
// renders black, flies in over that picture: edge-on at 0, covering the
// centre but not the corners at 0.5, almost the whole view just before 1.
TEST_F(LetteringScenesTest, Scene6FliesInOverScene3sCapture) {
    std::unique_ptr<Scene> scene = makeScene();
    setSlot(kTransitionSlot, 0xFFFFFF, 512);
    setSlot(4, 0x3C3C3C);
    setSlot(7, 0x000000, 512);
    captureEntrance(*scene, kScene3Seconds, kScene3Seconds);
    EXPECT_EQ(readSlot(kTransitionSlot).at(256, 256), 0x787878u);
    EXPECT_EQ(readWindow().lit(), 0);
    EXPECT_TRUE(fullViewport());
    auto frameAt = [&](float t) {
        clearFrame();
        drawFlyIn(*scene, t);
        return readWindow();
    };
    EXPECT_EQ(frameAt(0.0f).at(320, 240), 0x787878u);
    const Pixels half = frameAt(0.5f);
    EXPECT_EQ(half.at(320, 240), 0u);
    EXPECT_EQ(half.at(5, 5), 0x787878u);
    const Pixels late = frameAt(0.99f);
    EXPECT_EQ(late.at(40, 40), 0u);
    EXPECT_EQ(late.at(600, 440), 0u);
    EXPECT_TRUE(fullViewport());
    EXPECT_TRUE(depthOnBlendOff());
}

// The title (white) swings in over scene 7's last 2 s: edge-on and far at
// 43, turned at 44, facing and taller than the view at 45; in scene 8 it
// leaves the same way over the first 2 s. A black square nearer than the
// title over the left half of the view hides it there: it is depth tested.
TEST_F(LetteringScenesTest, TitleArrivesInScene7AndLeavesInScene8) {
    EXPECT_FALSE(returningTitleShown(42.999f, kScene7Seconds));
    EXPECT_TRUE(returningTitleShown(45.03f, kScene7Seconds)) << "the last frame, just past the end";
    setSlot(5, 0xFFFFFF);
    std::unique_ptr<Scene> scene = makeScene(-1.0, 0.0, -1.0, 1.0);
    scene->next->vertexColors.assign(4, Color3{0.0f, 0.0f, 0.0f});
    auto at7 = [&](float e) {
        drawScene7Frame(*scene, e, kScene7Seconds);
        return readWindow();
    };
    auto at8 = [&](float t) {
        drawScene8Frame(*scene, nullptr, t);
        return readWindow();
    };
    EXPECT_EQ(at7(42.9f).lit(), 0);
    EXPECT_LE(at7(43.0f).lit(), 2 * 640) << "edge-on";
    EXPECT_LE(at8(2.0f).lit(), 2 * 640) << "edge-on";
    EXPECT_EQ(at8(2.1f).lit(), 0);
    for (const Pixels& turned : {at7(44.0f), at8(1.0f)}) {
        EXPECT_EQ(turned.at(400, 240), 0xFFFFFFu);
        EXPECT_EQ(turned.at(400, 477), 0u) << "shorter than the view";
    }
    for (const Pixels& facing : {at7(45.0f), at8(0.0f)}) {
        EXPECT_EQ(facing.at(400, 477), 0xFFFFFFu) << "fills the view's height";
        EXPECT_EQ(facing.at(160, 240), 0u) << "hidden by the nearer square";
    }
    EXPECT_TRUE(depthOnBlendOff());
}

SceneObject meshWith(std::vector<Vec3> points) {
    SceneObject mesh;
    mesh.kind = ObjectKind::Mesh;
    mesh.vertices = std::move(points);
    mesh.vertexCount = static_cast<uint16_t>(mesh.vertices.size());
    return mesh;
}

// A scene of meshes, each with a material of its own; the count says more
// objects than the list holds.
std::vector<SceneObject*> meshesWithMaterials(Scene& scene, const std::vector<const char*>& materials) {
    std::vector<SceneObject*> objects;
    for (const char* material : materials) {
        std::strncpy(scene.materials[scene.materialCount].name, material, kMaterialNameBytes - 1);
        objects.push_back(&testscenes::appendObject(scene, ObjectKind::Mesh, "m"));
        objects.back()->materialIndex = scene.materialCount++;
    }
    scene.objectCount = 50;
    return objects;
}

// The map is mirrored along x: (0, 0) reads byte 31840; the rectangle's
// corners stay inside the 64000 bytes; its edges and NaN are outside. The
// amplitude swells from 0 at frame 800 to 0.4 after 10 pi frames: a byte of
// 255 lifts a vertex to z = 102. Vertices on the rectangle's edges and the
// last vertex keep their z; a count larger than the array is bounded. The
// mesh is the one whose material holds "vesk" at characters 5 to 8; the
// search starts at the second object, is bounded by the list, and skips
// material indices outside the table.
TEST(Scene8Ripple, FindsItsMeshAndReshapesOnlyTheRectangleInsideTheMap) {
    const double in = 1e-6;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double x, y;
        int index;
    } cases[] = {
        {0, 0, 31840},
        {-155 + in, -95 + in, 64000 - (5 * 320 + 5)},
        {155 - in, -95 + in, 64000 - (5 * 320 + 314)},
        {-155 + in, 100 - in, 64000 - (199 * 320 + 5)},
        {155 - in, 100 - in, 6},
        {155, 0, -1},
        {-155, 0, -1},
        {0, -95, -1},
        {0, 100, -1},
        {nan, 0, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(heightMapIndex(c.x, c.y), c.index) << c.x << ", " << c.y;

    const double peak = kRippleStartFrame + 10.0 * 3.14159265358979323846;
    EXPECT_DOUBLE_EQ(rippleAmplitude(kRippleStartFrame), 0.0);
    EXPECT_NEAR(rippleAmplitude(peak), 0.4, 1e-12);
    EXPECT_NEAR(rippleAmplitude(kRippleStartFrame + 20.0 * 3.14159265358979323846), 0.0, 1e-12);
    std::vector<uint8_t> map(kBitmapBytes, 0);
    map[31840] = 255;
    SceneObject mesh = meshWith({{0, 0, 7}, {155, 0, 7}, {0, -95, 7}, {10, 10, 7}, {0, 0, 7}});
    applyRipple(mesh, map.data(), rippleAmplitude(peak));
    const double expected[] = {102.0, 7.0, 7.0, 0.0, 7.0};
    for (int i = 0; i < 5; ++i) EXPECT_NEAR(mesh.vertices[i].z, expected[i], 1e-9) << "vertex " << i;

    SceneObject none = meshWith({});
    applyRipple(none, map.data(), 0.4);
    SceneObject counted = meshWith({{0, 0, 1}, {0, 0, 1}});
    counted.vertexCount = 60000;  // more than the array holds
    applyRipple(counted, map.data(), 0.4);
    EXPECT_NEAR(counted.vertices[0].z, 102.0, 1e-9);
    EXPECT_EQ(counted.vertices[1].z, 1.0);

    const std::pair<std::vector<const char*>, int> searches[] = {
        // materials, object found (-1: none)
        {{"data/floor.jpg", "data/wall.jpg", "data/vesk.jpg", "data/vesk2.jpg"}, 2},
        {{"data/vesk.jpg", "data/wall.jpg"}, -1},
        {{"data/floor.jpg", "dat/vesk.jpg", "xdata/vesk.jpg", "data/ves"}, -1},
        {{"data/floor.jpg", "pics/veskwater.jpg"}, 1},
    };
    for (const auto& [materials, found] : searches) {
        Scene scene;
        const std::vector<SceneObject*> objects = meshesWithMaterials(scene, materials);
        EXPECT_EQ(findRippleMesh(scene), found < 0 ? nullptr : objects[found]) << materials[1];
        EXPECT_EQ(scene.cursor, &scene);
    }
    for (int32_t bad : {70, kNoMaterial}) {
        Scene scene;
        meshesWithMaterials(scene, {"data/a.jpg", "data/vesk.jpg"})[1]->materialIndex = bad;
        EXPECT_EQ(findRippleMesh(scene), nullptr) << "material " << bad;
    }
}

// The closing text shows from 30 s; the scene's start empties the pool and
// sets its lifetime to 8 s, even when its file was refused.
TEST_F(LetteringScenesTest, Scene8ResetsThePoolAtItsStartEvenRefused) {
    EXPECT_FALSE(closingLetteringShown(29.99f));
    EXPECT_TRUE(closingLetteringShown(30.0f));
    SharedPool shared;
    shared.pool.emitAt(1.0, 2.0, 3.0);
    showSceneLoaded[8 - 1] = false;
    useSteppedClock(100.0);
    playScene8(0.5f);
    EXPECT_EQ(shared.pool.count, 0);
    EXPECT_EQ(shared.pool.lifetime, 8.0f);
}

}  // namespace
