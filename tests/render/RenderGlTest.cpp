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
    Scene scene;

    void SetUp() override {
        openTestGlContext(kWidth, kHeight);
        runSettings.noLights = false;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        addStillCamera(scene, {0, 0, 100}, {0, 0, 0});
    }
    void TearDown() override { runSettings.noLights = false; }

    // A material whose texture is a flat colour.
    int addFlatMaterial(uint32_t rgb) {
        scene.materials[scene.materialCount].texture = makeTexture(4, [rgb](int, int) { return rgb; });
        return scene.materialCount++;
    }
};

}  // namespace

// "%" meshes are drawn after the opaque ones (though first in the list),
// added onto them, still depth-tested; a red texture under grey vertex
// colours is drawn where the camera looks, and nothing beside it.
TEST_F(RenderGl, GlowAddsLightAndTheCameraAimsTheView) {
    addSquareMesh(scene, "%glow", 0, 0, 1, 10, Color3{0.5f, 0.5f, 0.5f});
    addSquareMesh(scene, "wall", 0, 0, 0, 20, Color3{0.25f, 0.25f, 0.25f});
    addSquareMesh(scene, "%hidden", 15, 0, -5, 3, Color3{0.5f, 0.5f, 0.5f});
    addSquareMesh(scene, "panel", 40, 0, 0, 10, Color3{0.5f, 0.5f, 0.5f}).materialIndex = addFlatMaterial(0xff0000);
    scene.render();
    EXPECT_NEAR(red(centre()), 191, 2);                  // 0.25 + 0.5
    const int right = kWidth / 2 + 87;                   // x = 15 at 100 units: 15 x 240 / tan(22.5 deg) / 100
    EXPECT_NEAR(red(pixel(right, kHeight / 2)), 64, 2);  // behind the wall: hidden

    scene.camera->rotationKeys = {{40, 0, 0}, {40, 0, 0}};
    scene.frame = 1;
    scene.evaluateKeyframes();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    scene.render();
    EXPECT_NEAR(red(centre()), 128, 2);
    EXPECT_EQ(green(centre()), 0);
    EXPECT_EQ(pixel(20, 20), 0u);
}

// noLights draws in the current colour and leaves the vertex colours; with
// lights on and none in the scene, a moving mesh is relit black, and a mesh
// without a material draws untextured (mend: never from materials[-1]).
// Either way render leaves blending off, the additive function, colour white
// and the cursor rewound.
TEST_F(RenderGl, NoLightsRelightingAndTheStateLeft) {
    addFlatMaterial(0x0000ff);
    addSquareMesh(scene, "backdrop", 0, 0, -10, 40, Color3{0.5f, 0.5f, 0.5f});
    SceneObject& mover = addSquareMesh(scene, "mover", 0, 0, 0, 10, Color3{1.0f, 1.0f, 1.0f});
    setPositionTrack(mover, {0, 50}, {{0, 0, 0}, {0, 0, 0}});
    addSquareMesh(scene, "%glow", 0, 30, 0, 5, Color3{0.5f, 0.5f, 0.5f});
    for (bool noLights : {true, false}) {
        runSettings.noLights = noLights;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor3f(0.0f, 1.0f, 0.0f);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        scene.advance();
        scene.render();
        if (noLights) {
            EXPECT_EQ(centre(), 0x00ff00u);
            EXPECT_FLOAT_EQ(mover.vertexColors[0].r, 1.0f);
        } else {
            EXPECT_EQ(centre(), 0u);
            EXPECT_NEAR(red(pixel(kWidth / 2 + 60, kHeight / 2)), 128, 2);  // untextured grey
        }
        const LeftState s = leftState();
        EXPECT_TRUE(!s.blend && s.depthTest && s.blendSrc == GL_ONE && s.blendDst == GL_ONE) << noLights;
        EXPECT_EQ(s.colour[0] + s.colour[1] + s.colour[2], 3.0f) << noLights;
        EXPECT_EQ(scene.cursor, &scene) << noLights;
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << noLights;
    }
}
