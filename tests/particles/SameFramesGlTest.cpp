// The screen-space pool sends its sprites in runs, corners in clip space;
// the picture must be the one a billboard per sprite gives, byte for byte:
// the GL receives the same clip coordinates and colours.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

#include "media/Textures.h"
#include "particles/Billboard.h"
#include "particles/Particles.h"
#include "platform/Platform.h"
#include "support/GlHelpers.h"

using namespace testgl;

namespace {

// The reference: every particle with its own matrix, dead ones included.
void drawOneBillboardEach(const ParticleSystem& pool) {
    const float t = tickSeconds();
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    for (int i = 0; i < pool.count; ++i) {
        glLoadIdentity();
        drawBillboard(pool.viewPosition, pool.viewRotation, pool.particles[i].position, pool.size,
                      brightness(pool.particles[i], t), pool.texture);
    }
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
}

std::vector<uint8_t> picture(const std::function<void()>& draw) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    return readFramebufferRgb(0, 0, kWidth, kHeight);
}

}  // namespace

// The closing text of the generated data set, written for 13.5 s at 20
// frames a second (past its silent lead-in, to its end) over a lit triangle (the case where an earlier version joined
// runs of different levels into one draw): the same bytes.
TEST(SameFramesGl, ClosingLetteringIsTheSamePicture) {
    const std::string data = std::string(ORVANE_BINARY_DIR) + "/data/";
    if (!std::ifstream(data + "end.bmp")) GTEST_SKIP() << "no generated data set in " << data;
    openTestGlContext(kWidth, kHeight);
    useSteppedClock(1000.0 / 20.0);
    ParticleSystem pool{10000, (data + "plume.jpg").c_str(), 8.0f, 150, 10.0f, 0.0f};
    pool.viewPosition = {0, 0, 500};  // the show's shared pool
    pool.depthTest = false;
    std::vector<uint8_t> bitmap(kBitmapBytes);
    readIndexedBitmap((data + "end.bmp").c_str(), bitmap.data());
    for (int frame = 0; frame <= 270; ++frame) {
        setSteppedTime(200000.0 + frame * 50.0);
        traceOutline(frame * 0.05f, 15.0f, bitmap.data(), 4000, pool, 121, 76, 21);
    }
    const auto background = [] {
        // clang-format off
        glBegin(GL_TRIANGLES);
            glColor3f(0.2f, 0.3f, 0.4f); glVertex3f(-1.0f, -1.0f, -2.0f);
            glColor3f(0.5f, 0.3f, 0.4f); glVertex3f(1.0f, -1.0f, -2.0f);
            glColor3f(0.2f, 0.7f, 0.4f); glVertex3f(0.0f, 1.0f, -2.0f);
        glEnd();
        // clang-format on
    };
    const std::vector<uint8_t> expected = picture([&] {
        background();
        drawOneBillboardEach(pool);
    });
    const std::vector<uint8_t> seen = picture([&] {
        background();
        drawScreenSpace(pool);
    });
    EXPECT_GT(pool.count, 500);
    EXPECT_TRUE(expected == seen) << "the closing text differs from one billboard per sprite";
    glDeleteTextures(1, &pool.texture);
}
