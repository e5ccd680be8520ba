// Particles drawn headless on the stepped clock: where each type emits,
// depth offsets, shrinking and the billboard; the state the emitters and the
// shared pool's screen-space drawing leave.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "particles/Particles.h"
#include "platform/Platform.h"
#include "support/GlHelpers.h"
#include "support/TestScenes.h"

using namespace testscenes;
using namespace testgl;

namespace {

class ParticlesGl : public ::testing::Test {
protected:
    void SetUp() override {
        openTestGlContext(kWidth, kHeight);
        useSteppedClock(1000.0 / 30.0);
        setSteppedTime(1000);
    }
    void TearDown() override { particleDepthTestOn(); }
};

// Window-space width and height of each of the count sprites a draw sends,
// in drawing order, caught in feedback mode (a quad may come back as one
// polygon or two triangles).
struct Sprite {
    float width, height;
};

template <typename Draw>
std::vector<Sprite> sprites(size_t count, Draw draw) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_2D, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<std::vector<float>> polygons;  // x, y of each corner
    for (GLint i = 0, n = 0; i < used && buffer[i] == GL_POLYGON_TOKEN; i += 2 + 2 * n) {
        n = static_cast<GLint>(buffer[i + 1]);
        polygons.emplace_back(buffer.begin() + i + 2, buffer.begin() + i + 2 + 2 * n);
    }
    std::vector<Sprite> out(count, Sprite{0.0f, 0.0f});
    const size_t per = polygons.size() / count;
    for (size_t s = 0; per > 0 && s < count; ++s) {
        float lo[2] = {1e9f, 1e9f}, hi[2] = {-1e9f, -1e9f};
        for (size_t k = s * per; k < (s + 1) * per; ++k)
            for (size_t i = 0; i < polygons[k].size(); ++i) {
                lo[i % 2] = std::min(lo[i % 2], polygons[k][i]);
                hi[i % 2] = std::max(hi[i % 2], polygons[k][i]);
            }
        out[s] = {hi[0] - lo[0], hi[1] - lo[1]};
    }
    return out;
}

// One emitter mesh named name, a still camera, the view evaluated; the pool
// emits nothing by itself (rate 0).
ParticleSystem& emitterScene(Scene& scene, const Vec3& eye, const Vec3& target, const char* name) {
    addStillCamera(scene, eye, target);
    appendObject(scene, ObjectKind::Mesh, name);
    scene.attachEmitters(10, 2.0f, 0, 10.0f, 0.0f);
    scene.frame = 1;
    scene.evaluateKeyframes();
    return *scene.emitters[0];
}

constexpr float kPixelsPerUnitAtOne = 240.0f * 2.4142136f;  // 480-pixel view, 45-degree field

}  // namespace

// Type 1 rises by rise x the part of life spent; type 3 takes x and z from
// random vertices (and rises too); a type 3 mesh without vertices emits at
// its position.
TEST_F(ParticlesGl, EachTypeEmitsAtItsPoint) {
    Scene scene;
    addStillCamera(scene, {0, 0, 500}, {0, 0, 0});
    appendObject(scene, ObjectKind::Mesh, "*10fountain").position = {5, 100, 7};
    SceneObject& embers = appendObject(scene, ObjectKind::Mesh, "*31embers");
    embers.vertices = {{1, 10, 100}, {2, 20, 200}, {3, 30, 300}};
    embers.vertexCount = 3;
    embers.position = {0, 50, 0};
    appendObject(scene, ObjectKind::Mesh, "*31bare").position = {-7, 8, -9};
    scene.attachEmitters(50, 1.0f, 10, 15.0f, 80.0f);  // the water scene's pools
    scene.drawEmitters();                              // starts the rate clocks
    const struct { double ms, fountainY, embersY; } ages[] = {{1100, 100, 50}, {1600, 140, 90}, {2000, 172, 122}};
    for (const auto& a : ages) {
        setSteppedTime(a.ms);
        scene.drawEmitters();
        EXPECT_NEAR(scene.emitters[0]->particles[0].position.y, a.fountainY, 0.01) << "at " << a.ms << " ms";
        EXPECT_NEAR(scene.emitters[1]->particles[0].position.y, a.embersY, 0.01) << "at " << a.ms << " ms";
    }
    const Vec3& fountain = scene.emitters[0]->particles[0].position;
    const Vec3& ember = scene.emitters[1]->particles[0].position;
    const Vec3& bare = scene.emitters[2]->particles[0].position;
    EXPECT_TRUE(fountain.x == 5 && fountain.z == 7) << fountain.x << ", " << fountain.z;
    EXPECT_TRUE(ember.x == 1 || ember.x == 2 || ember.x == 3) << ember.x;
    EXPECT_TRUE(ember.z == 100 || ember.z == 200 || ember.z == 300) << ember.z;
    EXPECT_TRUE(bare.x == -7 && bare.z == -9) << bare.x << ", " << bare.z;
}

// Types 2 and 3: the first sprite of the pool is pushed 80 units back, the
// second 40; both shrink with age. The billboard undoes the camera's turn
// in the same order, not reversed, so under yaw and pitch a sprite leans a
// little: these window sizes come from that transform (a reversed undo
// gives squares of 81.94 and 96.40).
TEST_F(ParticlesGl, DepthOffsetsShrinkingAndTheBillboard) {
    for (const char* name : {"*21smoke", "*31embers"}) {
        setSteppedTime(1000);
        Scene scene;
        ParticleSystem& pool = emitterScene(scene, {0, 0, 0}, {0, 0, -1}, name);
        pool.emitAt(-20, 0, -100);
        pool.emitAt(20, 0, -110);  // farther: drawn first
        std::vector<Sprite> seen = sprites(2, [&] { scene.drawEmitters(); });
        EXPECT_NEAR(seen[0].width, 20.0f * kPixelsPerUnitAtOne / 190.0f, 0.05f) << name;
        EXPECT_NEAR(seen[1].width, 20.0f * kPixelsPerUnitAtOne / 140.0f, 0.05f) << name;
        setSteppedTime(2000);  // half of the life spent: half the size
        seen = sprites(2, [&] { scene.drawEmitters(); });
        EXPECT_NEAR(seen[0].width, 10.0f * kPixelsPerUnitAtOne / 190.0f, 0.05f) << name;
    }

    Scene turned;
    ParticleSystem& still = emitterScene(turned, {10, -20, 30}, {110, 40, -50}, "*00spark");
    still.emitAt(110, 40, -50);
    still.emitAt(90, 50, -30);
    const std::vector<Sprite> seen = sprites(2, [&] { turned.drawEmitters(); });
    EXPECT_NEAR(seen[0].width, 104.370f, 0.01f);
    EXPECT_NEAR(seen[0].height, 102.621f, 0.01f);
    EXPECT_NEAR(seen[1].width, 122.675f, 0.01f);
    EXPECT_NEAR(seen[1].height, 116.653f, 0.01f);
}

// Both draws leave blending off with (GL_ONE, GL_ONE) and colour white.
// drawEmitters leaves the depth test as it found it whatever the flag;
// drawScreenSpace leaves it on, even for an empty pool.
TEST_F(ParticlesGl, StateLeftBehind) {
    Scene scene;
    emitterScene(scene, {0, 0, 100}, {0, 0, 0}, "*00spark").emitAt(0, 0, 0);
    setSteppedTime(1500);                                           // sprites drawn grey, not white
    ParticleSystem lettering{10, nullptr, 4.0f, 150, 10.0f, 0.0f};  // empty
    const struct {
        const char* name;
        bool flag, depthBefore, depthAfter;
        std::function<void()> draw;
    } cases[] = {
        {"emitters, flag on", true, false, false, [&] { scene.drawEmitters(); }},
        {"emitters, flag off", false, true, true, [&] { scene.drawEmitters(); }},
        {"screen space", true, false, true, [&] { drawScreenSpace(lettering); }},
    };
    for (const auto& c : cases) {
        particleDepthTest = c.flag;
        c.depthBefore ? glEnable(GL_DEPTH_TEST) : glDisable(GL_DEPTH_TEST);
        glColor3f(0.5f, 0.0f, 0.0f);
        c.draw();
        const LeftState left = leftState();
        EXPECT_EQ(left.depthTest, c.depthAfter) << c.name;
        EXPECT_TRUE(!left.blend && left.blendSrc == GL_ONE && left.blendDst == GL_ONE) << c.name;
        EXPECT_EQ(std::vector<float>(left.colour, left.colour + 3), std::vector<float>(3, 1.0f)) << c.name;
    }
    glEnable(GL_DEPTH_TEST);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
