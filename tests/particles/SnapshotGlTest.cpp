// A frame of a small scene with all four emitter types and some lettering,
// written to render_particles.png in the build folder for a person to look
// at; the checks here only make sure the frame holds what it should.
#include <gtest/gtest.h>

#include <string>

#include "media/Textures.h"
#include "platform/Platform.h"
#include "support/FrameScene.h"

using namespace testgl;

namespace {

// Two hollow rectangles 21 pixels apart, above the picture's centre.
void drawLettering(std::vector<uint8_t>& bitmap)
{
    auto set = [&](int x, int y) { bitmap[y * kBitmapWidth + x] = 1; };
    for (int left : {52, 73}) {
        for (int x = left; x < left + 18; ++x) {
            set(x, 40);
            set(x, 55);
        }
        for (int y = 40; y <= 55; ++y) {
            set(left, y);
            set(left + 17, y);
        }
    }
}

}  // namespace

TEST(SnapshotGl, SceneWithParticlesAndLettering)
{
    openTestGlContext(kWidth, kHeight);
    useSteppedClock(1000.0 / 30.0);
    setSteppedTime(1000);
    Scene scene;
    testscenes::buildFrameScene(scene);

    ParticleSystem lettering(10000, nullptr, 4.0f, 150, 3.0f, 0.0f);
    lettering.viewPosition = {0, 0, 500};
    lettering.depthTest = false;
    lettering.texture = scene.emitters[0]->texture;
    std::vector<uint8_t> bitmap(kBitmapBytes, 0);
    drawLettering(bitmap);

    for (int i = 0; i < 60; ++i) {
        scene.frame = i * 2.0;
        scene.evaluateKeyframes();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        scene.render();
        traceOutline(i / 30.0f, 2.0f, bitmap.data(), 400, lettering, 52, 40, 21);
        drawScreenSpace(lettering);
        advanceSteppedClock();
    }
    const std::string path = std::string(ORVANE_BINARY_DIR) + "/render_particles.png";
    ASSERT_TRUE(writeFramebufferPng(path, kWidth, kHeight));
    EXPECT_EQ(lettering.count, 63 + 64);  // both borders but the first start pixel
    int live = 0;
    for (int i = 0; i < scene.emitterCount; ++i)
        live += scene.emitters[i]->count;
    EXPECT_GT(live, 40);
    EXPECT_NE(centre(), 0u);
}
