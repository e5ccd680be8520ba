// The generator's building blocks: tracks, mesh limits, tiling noise, the
// JPEG writer and the home points of the lettering.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "Bitmaps.h"
#include "DataSet.h"
#include "Geometry.h"
#include "Image.h"
#include "Noise.h"
#include "media/Textures.h"

namespace {
// Rotation keys are increments that the show sums: they must add up to the
// absolute angle at every key, the first counting as none.
TEST(GeneratorParts, SpinKeysAddUpToTheAngle) {
    auto angle = [](double f) { return 0.01 * f * f - 0.3 * f; };
    std::vector<RotationKey> keys = sampleSpin(95, 10, v3(0, 1, 0), angle);
    ASSERT_EQ(keys.size(), 11u);  // frames 0, 10, ..., 100: the last key reaches past 95
    EXPECT_EQ(keys.back().frame, 100);
    EXPECT_DOUBLE_EQ(keys[0].angle, 0.0);
    double sum = 0.0;
    for (size_t i = 1; i < keys.size(); ++i) {
        sum += keys[i].angle;
        EXPECT_NEAR(sum, angle(keys[i].frame) - angle(0), 1e-12);
    }
    std::vector<PositionKey> track = sampleTrack(95, 10, [](double f) { return v3(f, 0, 0); });
    EXPECT_EQ(track.back().frame, 100);
    EXPECT_DOUBLE_EQ(track.back().value.x, 100.0);
}

TEST(GeneratorParts, MeshRefusesMoreVerticesThanTheFileHolds) {
    Mesh m;
    m.name = "big";
    for (int i = 0; i < 65535; ++i) m.addVertex(v3(i, 0, 0), 0, 0);
    EXPECT_THROW(m.addVertex(v3(0, 0, 0), 0, 0), std::runtime_error);
    Mesh box;
    addBox(box, v3(10, 20, 30), v3(1, 2, 3), 1.0);
    EXPECT_EQ(box.triangleCount(), 12u);
    V3 c = box.centre();
    EXPECT_DOUBLE_EQ(c.x, 10.0);
    EXPECT_DOUBLE_EQ(c.y, 20.0);
    EXPECT_DOUBLE_EQ(c.z, 30.0);
}

// Textures repeat over their meshes, so their noise wraps at its period.
TEST(GeneratorParts, NoiseTilesAtItsPeriod) {
    for (double x : {0.25, 3.7, 7.9}) {
        for (double y : {0.5, 5.1}) {
            EXPECT_NEAR(fractalNoise(x, y, 4, 8, 3), fractalNoise(x + 8, y, 4, 8, 3), 1e-12);
            EXPECT_NEAR(fractalNoise(x, y, 4, 8, 3), fractalNoise(x, y + 8, 4, 8, 3), 1e-12);
        }
    }
    double v = valueNoise(1.3, 2.7, 0, 9);
    EXPECT_GE(v, 0.0);
    EXPECT_LE(v, 1.0);
}

// What the writer stores, the show's decoder reads back: size, top row
// first, colours within JPEG loss.
TEST(GeneratorParts, JpegWriterRoundTripsThroughTheShowsDecoder) {
    Picture p(40, 30);
    p.fillRect(0, 0, 40, 15, rgb(1.0, 0.0, 0.0));
    p.fillRect(0, 15, 40, 30, rgb(0.0, 0.0, 1.0));
    std::string path = testing::TempDir() + "orvane_datagen_test.jpg";
    ASSERT_TRUE(p.writeJpeg(path, 95));
    RgbImage* image = decodeJpegFile(path.c_str());
    std::remove(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 40);
    EXPECT_EQ(image->height, 30);
    const uint8_t* top = image->pixels + 5 * image->stride + 20 * 3;
    const uint8_t* bottom = image->pixels + 25 * image->stride + 20 * 3;
    EXPECT_GT(top[0], 200);
    EXPECT_LT(top[2], 60);
    EXPECT_GT(bottom[2], 200);
    EXPECT_LT(bottom[0], 60);
    releaseRgbImage(image);
}

// Every glyph's home point lies on the start row, 21 pixels apart, and the
// point after the last glyph is background, so the walker stops there.
TEST(GeneratorParts, LetteringHomePointsSitOnTheStartRow) {
    for (const LetteringPlan& spec : showLettering()) {
        SCOPED_TRACE(spec.file);
        std::vector<uint8_t> bitmap(kBitmapBytes);
        readIndexedBitmap(dataPath(spec.file).c_str(), bitmap.data());
        int n = static_cast<int>(spec.text.size());
        for (int k = 0; k <= n; ++k) {
            int x = spec.startX + k * spec.homeStep;
            bool lit = bitmap[spec.startY * kBitmapWidth + x] != 0;
            EXPECT_EQ(lit, k < n) << "home " << k;
        }
    }
}
}  // namespace
