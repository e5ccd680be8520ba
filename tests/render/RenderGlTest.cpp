// The scene renderer drawn headless and read back: the camera's view, the
// additive pass, noLights, untextured meshes, and the GL state it leaves.
#include <gtest/gtest.h>

#include "core/RunSettings.h"
#include "support/GlHelpers.h"
#include "support/TestScenes.h"

using namespace testscenes;
using namespace testgl;

namespace {

class RenderGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        openTestGlContext(kWidth, kHeight);
        runSettings.noLights = false;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    void TearDown() override { runSettings.noLights = false; }

    // A material whose texture is a flat colour.
    static int addFlatMaterial(Scene& scene, uint32_t rgb)
    {
        scene.materials[scene.materialCount].texture = makeTexture(4, [rgb](int, int) { return rgb; });
        return scene.materialCount++;
    }
};

}  // namespace

TEST_F(RenderGl, TexturedMeshAppearsWhereTheCameraLooks)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 100}, {40, 0, 0});
    SceneObject& mesh = addSquareMesh(scene, "panel", 40, 0, 0, 10);
    mesh.materialIndex = addFlatMaterial(scene, 0xff0000);
    scene.frame = 1;
    scene.evaluateKeyframes();
    scene.render();
    const uint32_t c = centre();
    EXPECT_GE(red(c), 250);
    EXPECT_EQ(green(c), 0);
    EXPECT_EQ(pixel(20, 20), 0u);

    // Looking the other way, the centre stays black.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene.camera->rotationKeys = {{-40, 0, 0}, {-40, 0, 0}};
    scene.frame = 2;
    scene.evaluateKeyframes();
    scene.render();
    EXPECT_EQ(centre(), 0u);
}

TEST_F(RenderGl, VertexColoursModulateTheTexture)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 100}, {0, 0, 0});
    SceneObject& mesh = addSquareMesh(scene, "dim", 0, 0, 0, 10, Color3{0.5f, 0.5f, 0.5f});
    mesh.materialIndex = addFlatMaterial(scene, 0xffffff);
    scene.evaluateKeyframes();
    scene.render();
    EXPECT_NEAR(red(centre()), 128, 2);
}

// "%" meshes are drawn after the opaque ones, added onto them, still
// depth-tested.
TEST_F(RenderGl, GlowMeshAddsLight)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 100}, {0, 0, 0});
    // Drawn first in list order but in the second pass.
    addSquareMesh(scene, "%glow", 0, 0, 1, 10, Color3{0.5f, 0.5f, 0.5f});
    addSquareMesh(scene, "wall", 0, 0, 0, 20, Color3{0.25f, 0.25f, 0.25f});
    addSquareMesh(scene, "%hidden", 15, 0, -5, 3, Color3{0.5f, 0.5f, 0.5f});
    scene.render();
    EXPECT_NEAR(red(centre()), 191, 2);  // 0.25 + 0.5
    const int right = kWidth / 2 + 87;   // x = 15 at 100 units: 15 x 240 / tan(22.5 deg) / 100
    EXPECT_NEAR(red(pixel(right, kHeight / 2)), 64, 2);  // behind the wall: hidden
}

TEST_F(RenderGl, NoLightsDrawsInTheCurrentColour)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 100}, {0, 0, 0});
    SceneObject& mesh = addSquareMesh(scene, "panel", 0, 0, 0, 10, Color3{0.1f, 0.1f, 0.1f});
    setPositionTrack(mesh, {0, 50}, {{0, 0, 0}, {0, 0, 0}});  // moving: would be relit
    runSettings.noLights = true;
    glColor3f(0.0f, 1.0f, 0.0f);
    scene.render();
    EXPECT_EQ(centre(), 0x00ff00u);
    EXPECT_FLOAT_EQ(mesh.vertexColors[0].r, 0.1f);  // not recomputed
}

// With lights on and no light in the scene, a moving mesh is relit black.
TEST_F(RenderGl, MovingMeshWithoutLightsIsDrawnBlack)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 100}, {0, 0, 0});
    addSquareMesh(scene, "backdrop", 0, 0, -10, 40, Color3{0.5f, 0.5f, 0.5f});
    SceneObject& mover = addSquareMesh(scene, "mover", 0, 0, 0, 10, Color3{1.0f, 1.0f, 1.0f});
    setPositionTrack(mover, {0, 50}, {{0, 0, 0}, {0, 0, 0}});
    scene.render();
    EXPECT_EQ(centre(), 0u);
    EXPECT_NEAR(red(pixel(kWidth / 2 + 60, kHeight / 2)), 128, 2);
}

TEST_F(RenderGl, LeavesBlendingOffAdditiveFunctionWhiteAndCursorRewound)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 100}, {0, 0, 0});
    addSquareMesh(scene, "%glow", 0, 0, 0, 10, Color3{0.5f, 0.5f, 0.5f});
    addSquareMesh(scene, "wall", 0, 0, 0, 10);
    scene.advance();
    glColor3f(0.2f, 0.3f, 0.4f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    scene.render();
    const LeftState s = leftState();
    EXPECT_FALSE(s.blend);
    EXPECT_TRUE(s.depthTest);
    EXPECT_EQ(s.blendSrc, GL_ONE);
    EXPECT_EQ(s.blendDst, GL_ONE);
    EXPECT_FLOAT_EQ(s.colour[0], 1.0f);
    EXPECT_FLOAT_EQ(s.colour[1], 1.0f);
    EXPECT_FLOAT_EQ(s.colour[2], 1.0f);
    EXPECT_EQ(scene.cursor, &scene);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Mend: a mesh without a material draws untextured, not from materials[-1].
TEST_F(RenderGl, MeshWithoutMaterialDrawsUntextured)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 100}, {0, 0, 0});
    addFlatMaterial(scene, 0x0000ff);
    SceneObject& mesh = addSquareMesh(scene, "bare", 0, 0, 0, 10, Color3{1.0f, 1.0f, 0.0f});
    mesh.materialIndex = kNoMaterial;
    scene.render();
    EXPECT_EQ(centre(), 0xffff00u);
}
