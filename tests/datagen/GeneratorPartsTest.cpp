// The generator's building blocks: tracks and the JPEG writer.
#include <gtest/gtest.h>

#include <cstdio>

#include "art/Geometry.h"
#include "art/Image.h"
#include "formats/JpegWriter.h"
#include "media/Textures.h"

namespace {
// Rotation keys are increments that the show sums: they must add up to the
// absolute angle at every key, the first counting as none; tracks reach
// past their last frame.
TEST(GeneratorParts, SpinKeysAddUpToTheAngle) {
    auto angle = [](double f) { return 0.01 * f * f - 0.3 * f; };
    std::vector<RotationKey> keys = sampleSpin(95, 10, v3(0, 1, 0), angle);
    ASSERT_EQ(keys.size(), 11u);
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

// What the writer stores, the show's decoder reads back: size, top row
// first, colours within JPEG loss.
TEST(GeneratorParts, JpegWriterRoundTripsThroughTheShowsDecoder) {
    Picture p(40, 30);
    p.fillRect(0, 0, 40, 15, rgb(1.0, 0.0, 0.0));
    p.fillRect(0, 15, 40, 30, rgb(0.0, 0.0, 1.0));
    std::string path = testing::TempDir() + "orvane_datagen_test.jpg";
    ASSERT_TRUE(writeJpeg(p, path, 95));
    RgbImage* image = decodeJpegFile(path.c_str());
    std::remove(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 40);
    EXPECT_EQ(image->height, 30);
    const uint8_t* top = image->pixels + 5 * image->stride + 20 * 3;
    const uint8_t* bottom = image->pixels + 25 * image->stride + 20 * 3;
    EXPECT_TRUE(top[0] > 200 && top[2] < 60 && bottom[2] > 200 && bottom[0] < 60);
    releaseRgbImage(image);
}
}  // namespace
