// The screen-space pool sends its sprites in runs, corners in clip space;
// the picture must be the one a billboard per sprite gives: overlapping
// sprites of several grey levels, some past their lifetime, some partly
// outside the window, on a blob texture. The GL receives the same clip
// coordinates and colours, so with Mesa's llvmpipe run as LP_PERF=no_linear
// the two pictures are equal byte for byte; by default llvmpipe sends some
// one-quad draws through its "linear" rasteriser, which rounds a few texels
// by one level differently from its general path (14 bytes here).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "media/Textures.h"
#include "particles/Billboard.h"
#include "particles/Particles.h"
#include "platform/Platform.h"
#include "support/GlHelpers.h"

using namespace testgl;

namespace {

// A soft round blob with a black rim, like the show's sprite pictures.
GLuint blobTexture() {
    return makeTexture(
        64,
        [](int x, int y) {
            const double r = std::hypot(x - 31.5, y - 31.5) / 31.5;
            const int level = r >= 1.0 ? 0 : static_cast<int>(255.0 * (1.0 - r) * (1.0 - r));
            return static_cast<uint32_t>(level << 16 | (level * 3 / 4) << 8 | level / 3);
        },
        GL_LINEAR);
}

// The show's shared pool (its eye, size and sprite), empty.
void makeLetteringPool(ParticleSystem& pool) {
    pool.viewPosition = {0, 0, 500};
    pool.depthTest = false;
}

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

TEST(SameFramesGl, ScreenSpaceRunsGiveTheBillboardPicture) {
    openTestGlContext(kWidth, kHeight);
    useSteppedClock(1000.0 / 30.0);
    ParticleSystem pool{4000, nullptr, 4.0f, 150, 10.0f, 0.0f};
    makeLetteringPool(pool);
    pool.texture = blobTexture();
    // 150 frames of 20 particles each, as the lettering emits them, over a
    // field a little wider than the window.
    std::srand(11);
    for (int frame = 0; frame < 150; ++frame) {
        setSteppedTime(1000.0 + frame * 1000.0 / 30.0);
        for (int k = 0; k < 20; ++k)
            pool.emitAt((std::rand() % 7000) / 10.0 - 350.0, (std::rand() % 4600) / 10.0 - 230.0,
                        (std::rand() % 200) / 10.0);
    }
    // At 6.5 s the first 60 frames' particles are past their 4 s lifetime.
    setSteppedTime(6500.0);
    const std::vector<uint8_t> expected = picture([&] { drawOneBillboardEach(pool); });
    const std::vector<uint8_t> seen = picture([&] { drawScreenSpace(pool); });
    int differing = 0, largest = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        differing += expected[i] != seen[i];
        largest = std::max(largest, std::abs(expected[i] - seen[i]));
    }
    const char* perf = std::getenv("LP_PERF");
    if (perf != nullptr && std::strstr(perf, "no_linear") != nullptr) {
        EXPECT_EQ(differing, 0) << "bytes that differ from one billboard per sprite";
    }
    constexpr int kRoundedBytes = 64;  // of 921,600: the linear rasteriser's rounding
    EXPECT_LE(differing, kRoundedBytes) << "bytes that differ from one billboard per sprite";
    EXPECT_LE(largest, 1) << "largest difference in one channel";
    EXPECT_NE(expected, std::vector<uint8_t>(expected.size(), 0)) << "the sprites are seen";

    // The projection comes back as it was.
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    drawScreenSpace(pool);
    float after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_EQ(std::vector<float>(projection, projection + 16), std::vector<float>(after, after + 16));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteTextures(1, &pool.texture);
}

// The closing text of the generated data set, written for 7.5 s at 20 frames
// a second over a lit triangle (the case where an earlier version joined
// runs of different levels into one draw): the same bytes.
TEST(SameFramesGl, ClosingLetteringIsTheSamePicture) {
    const std::string data = std::string(ORVANE_BINARY_DIR) + "/data/";
    if (std::FILE* probe = std::fopen((data + "end.bmp").c_str(), "rb")) {
        std::fclose(probe);
    } else {
        GTEST_SKIP() << "no generated data set in " << data;
    }
    openTestGlContext(kWidth, kHeight);
    useSteppedClock(1000.0 / 20.0);
    ParticleSystem pool{10000, (data + "plume.jpg").c_str(), 8.0f, 150, 10.0f, 0.0f};
    makeLetteringPool(pool);
    std::vector<uint8_t> bitmap(kBitmapBytes);
    readIndexedBitmap((data + "end.bmp").c_str(), bitmap.data());
    for (int frame = 0; frame <= 150; ++frame) {
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
