// The JPEG decoder: pictures of odd sizes and both colour models top row
// first as RGB; damaged, empty, missing and oversized input refused, each
// file said to be wrong once however often it is used.
#include <gtest/gtest.h>

#include <cstdlib>

#include "JpegTestFiles.h"
#include "media/Textures.h"
#include "platform/Platform.h"
#include "support/ShowProcess.h"

namespace {

uint8_t greyHalves(int x, int, int) { return x < 8 ? 40 : 200; }

TEST(JpegTest, PicturesDecodeToRgbTopRowFirst) {
    struct Probe {
        int x, y;
        uint8_t rgb[3];
    };
    struct Case {
        const char* name;
        int width, height, components;
        uint8_t (*source)(int, int, int);
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {"colour 37x22", 37, 22, 3, redOverBlue, {{5, 2, {230, 10, 10}}, {35, 19, {10, 10, 230}}}},
        {"greyscale 16x9", 16, 9, 1, greyHalves, {{1, 4, {40, 40, 40}}, {14, 4, {200, 200, 200}}}},
    };
    for (const Case& c : cases) {
        const std::string path = tempPath("picture.jpg");
        ASSERT_TRUE(writeBytes(path, encodeJpeg(c.width, c.height, c.components, c.source)));
        RgbImage* image = decodeJpegFile(path.c_str());
        ASSERT_NE(image, nullptr) << c.name;
        EXPECT_EQ(image->width, c.width) << c.name;
        EXPECT_EQ(image->height, c.height) << c.name;
        EXPECT_EQ(image->stride, c.width * 3) << c.name;
        for (const Probe& p : c.probes) {
            for (int k = 0; k < 3; ++k) {
                const int value = image->pixels[p.y * image->stride + p.x * 3 + k];
                EXPECT_NEAR(value, p.rgb[k], 12) << c.name << " at " << p.x << "," << p.y << " component " << k;
            }
        }
        releaseRgbImage(image);
    }
}

// A picture shared by several materials is decoded once per use; a bad one
// still raises one message box, its text the path.
TEST(JpegTest, BadFileIsReportedOnceHoweverOftenUsed) {
    setHeadlessMessages(true);
    const std::string garbage = tempPath("garbage.jpg"), empty = tempPath("empty.jpg");
    const std::string missing = tempPath("no-such-picture.jpg");
    ASSERT_TRUE(writeBytes(garbage, std::vector<uint8_t>(300, 0x5A)));
    ASSERT_TRUE(writeBytes(empty, {}));
    std::remove(missing.c_str());
    for (const std::string& path : {garbage, empty, missing}) {
        const int before = messageBoxCount();
        ::testing::internal::CaptureStderr();
        for (int use = 0; use < 3; ++use) EXPECT_EQ(decodeJpegFile(path.c_str()), nullptr) << path;
        const std::string errors = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(messageBoxCount(), before + 1) << path;
        EXPECT_EQ(linesContaining(errors, "-=(Status)=-: " + path).size(), 1u) << errors;
    }
}

// Bytes in memory (the fuzzer's entry): a cut picture still decodes, the
// rest is refused quietly, a huge declared size before allocating.
TEST(JpegTest, MemoryDecoderTakesCutPicturesAndRefusesTheRestQuietly) {
    std::vector<uint8_t> cut = encodeJpeg(64, 64, 3, [](int x, int y, int c) { return uint8_t((x * 4 + y * c) & 255); });
    cut.resize(cut.size() * 2 / 3);
    std::vector<uint8_t> huge = encodeJpeg(8, 8, 3, [](int, int, int) { return uint8_t(128); });
    size_t frame = 0;  // the frame header FFC0: length, precision, height, width
    while (frame + 8 < huge.size() && !(huge[frame] == 0xFF && huge[frame + 1] == 0xC0)) ++frame;
    ASSERT_LT(frame + 8, huge.size());
    for (size_t i = frame + 5; i < frame + 9; i += 2) huge[i] = 0xFF, huge[i + 1] = 0xF0;  // 65520 x 65520
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int side;  // 0: refused
    };
    const Case cases[] = {
        {"cut to two thirds", cut, 64},
        {"huge declared size", huge, 0},
        {"garbage after SOI", {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34, 0x00}, 0},
        {"nothing", {}, 0},
    };
    const int before = messageBoxCount();
    for (const Case& c : cases) {
        RgbImage* image = decodeJpegMemory(c.bytes.empty() ? nullptr : c.bytes.data(), c.bytes.size());
        EXPECT_EQ(image != nullptr, c.side > 0) << c.name;
        if (image != nullptr) {
            EXPECT_EQ(image->width, c.side) << c.name;
            EXPECT_EQ(image->height, c.side) << c.name;
        }
        releaseRgbImage(image);
    }
    EXPECT_EQ(messageBoxCount(), before);
}

}  // namespace
