// Object emitters drawn headless on the stepped clock: sprites added onto
// the scene and gone after their lifetime, rising and shrinking particles,
// the depth offsets, the depth-test flag, and the state left behind.
#include <gtest/gtest.h>

#include "particles/Particles.h"
#include "platform/Platform.h"
#include "support/GlHelpers.h"
#include "support/TestScenes.h"

using namespace testscenes;
using namespace testgl;

namespace {

class EmittersGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestGlContext(kWidth, kHeight);
        useSteppedClock(1000.0 / 30.0);
        at(1000);
        particleDepthTestOn();
    }
    void TearDown() override { particleDepthTestOn(); }

    static void at(double ms) { setSteppedTime(ms); }

    static void frame(Scene& scene)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.render();
    }
};

// Widths in window pixels of the sprites a drawEmitters call sends, in
// drawing order (a quad may come back as one polygon or two triangles).
std::vector<float> spriteWidths(const std::vector<FedBackPolygon>& polygons, size_t sprites)
{
    std::vector<float> widths;
    const size_t perSprite = polygons.size() / (sprites == 0 ? 1 : sprites);
    for (size_t s = 0; perSprite > 0 && s < sprites; ++s) {
        float lo = 1e9f, hi = -1e9f;
        for (size_t k = 0; k < perSprite; ++k) {
            const std::vector<float>& xyz = polygons[s * perSprite + k].xyz;
            for (size_t i = 0; i < xyz.size(); i += 3) {
                lo = std::min(lo, xyz[i]);
                hi = std::max(hi, xyz[i]);
            }
        }
        widths.push_back(hi - lo);
    }
    return widths;
}

constexpr float kPixelsPerUnitAtOne = 240.0f * 2.4142136f;  // 480-pixel view, 45-degree field

}  // namespace

// A pool that holds one particle (capacity 2), one per second, two seconds
// of life: full white at birth, half at mid-life, gone after death.
TEST_F(EmittersGl, SpritesAddOntoTheSceneAndVanishAfterTheirLifetime)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 100}, {0, 0, 0});
    addSquareMesh(scene, "backdrop", 0, 0, -10, 50, Color3{0.25f, 0.25f, 0.25f});
    appendObject(scene, ObjectKind::Mesh, "*00spark");
    scene.attachEmitters(2, 2.0f, 1, 10.0f, 0.0f);
    ASSERT_EQ(scene.emitterCount, 1);

    frame(scene);  // starts the rate clock
    EXPECT_NEAR(red(centre()), 64, 2);
    at(2000);
    frame(scene);
    EXPECT_EQ(scene.emitters[0]->count, 1);
    EXPECT_EQ(red(centre()), 255);
    EXPECT_NEAR(red(pixel(kWidth / 2 + 100, kHeight / 2)), 64, 2);  // outside the sprite
    at(3000);
    frame(scene);
    EXPECT_NEAR(red(centre()), 191, 2);
    at(4100);
    frame(scene);
    EXPECT_EQ(scene.emitters[0]->count, 0);
    EXPECT_NEAR(red(centre()), 64, 2);
}

TEST_F(EmittersGl, TypeOneRisesWithAge)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 500}, {0, 0, 0});
    SceneObject& mesh = appendObject(scene, ObjectKind::Mesh, "*10fountain");
    mesh.position = {5, 100, 7};
    scene.attachEmitters(50, 1.0f, 10, 15.0f, 80.0f);  // the water scene's pools
    ParticleSystem& pool = *scene.emitters[0];
    scene.drawEmitters();
    at(1100);
    scene.drawEmitters();
    ASSERT_EQ(pool.count, 1);
    EXPECT_NEAR(pool.particles[0].position.y, 100.0, 1e-3);
    at(1600);
    scene.drawEmitters();
    EXPECT_NEAR(pool.particles[0].position.y, 140.0, 1e-3);
    at(2099);
    scene.drawEmitters();
    EXPECT_NEAR(pool.particles[0].position.y, 180.0, 0.1);
    EXPECT_EQ(pool.particles[0].position.x, 5.0);
    EXPECT_EQ(pool.particles[0].position.z, 7.0);
}

// Type 2: the first sprite of the pool is pushed 80 units back, the second
// 40; both shrink with age.
TEST_F(EmittersGl, TypeTwoDepthOffsetsAndShrinking)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 0}, {0, 0, -1});
    appendObject(scene, ObjectKind::Mesh, "*21smoke");
    scene.attachEmitters(10, 2.0f, 0, 10.0f, 0.0f);
    scene.frame = 1;
    scene.evaluateKeyframes();
    ParticleSystem& pool = *scene.emitters[0];
    pool.emitAt(-20, 0, -100);
    pool.emitAt(20, 0, -110);  // farther: drawn first

    auto widths = spriteWidths(feedback([&] { scene.drawEmitters(); }), 2);
    ASSERT_EQ(widths.size(), 2u);
    EXPECT_NEAR(widths[0], 20.0f * kPixelsPerUnitAtOne / 190.0f, 0.05f);
    EXPECT_NEAR(widths[1], 20.0f * kPixelsPerUnitAtOne / 140.0f, 0.05f);

    at(2000);  // half of the life spent: half the size
    widths = spriteWidths(feedback([&] { scene.drawEmitters(); }), 2);
    ASSERT_EQ(widths.size(), 2u);
    EXPECT_NEAR(widths[0], 10.0f * kPixelsPerUnitAtOne / 190.0f, 0.05f);
}

TEST_F(EmittersGl, TypeThreeTakesCoordinatesFromRandomVertices)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 500}, {0, 0, 0});
    SceneObject& mesh = appendObject(scene, ObjectKind::Mesh, "*31embers");
    mesh.vertices = {{1, 10, 100}, {2, 20, 200}, {3, 30, 300}};
    mesh.vertexCount = 3;
    mesh.position = {0, 50, 0};
    SceneObject& bare = appendObject(scene, ObjectKind::Mesh, "*31bare");
    bare.position = {-7, 8, -9};
    scene.attachEmitters(100, 5.0f, 100, 10.0f, 0.0f);
    scene.drawEmitters();
    at(1100);
    scene.drawEmitters();
    const ParticleSystem& pool = *scene.emitters[0];
    ASSERT_EQ(pool.count, 1);
    const Vec3& p = pool.particles[0].position;
    EXPECT_TRUE(p.x == 1 || p.x == 2 || p.x == 3) << p.x;
    EXPECT_TRUE(p.z == 100 || p.z == 200 || p.z == 300) << p.z;
    EXPECT_NEAR(p.y, 50.0, 1e-9);  // rise 0: the mesh's height

    // Mend: no vertices, so it emits at the mesh position.
    const ParticleSystem& fallback = *scene.emitters[1];
    ASSERT_EQ(fallback.count, 1);
    EXPECT_EQ(fallback.particles[0].position.x, -7.0);
    EXPECT_EQ(fallback.particles[0].position.z, -9.0);
}

// With the flag on, a wall in front hides the sprite; off, it shows
// through. The depth test is left as found, blending off, colour white.
TEST_F(EmittersGl, DepthTestFlagDecidesWhetherSceneHidesParticles)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 100}, {0, 0, 0});
    addSquareMesh(scene, "wall", 0, 0, 20, 30, Color3{0.25f, 0.25f, 0.25f});
    appendObject(scene, ObjectKind::Mesh, "*00spark");
    scene.attachEmitters(10, 4.0f, 0, 10.0f, 0.0f);
    scene.emitters[0]->emitAt(0, 0, 0);

    frame(scene);
    EXPECT_NEAR(red(centre()), 64, 2);
    particleDepthTestOff();
    frame(scene);
    EXPECT_EQ(red(centre()), 255);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));

    particleDepthTestOn();
    glDisable(GL_DEPTH_TEST);
    glColor3f(0.5f, 0.0f, 0.0f);
    scene.drawEmitters();
    LeftState s = leftState();
    EXPECT_FALSE(s.depthTest);
    EXPECT_FALSE(s.blend);
    EXPECT_EQ(s.blendSrc, GL_ONE);
    EXPECT_EQ(s.blendDst, GL_ONE);
    EXPECT_FLOAT_EQ(s.colour[0], 1.0f);
    EXPECT_FLOAT_EQ(s.colour[1], 1.0f);
    glEnable(GL_DEPTH_TEST);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
