#include <gtest/gtest.h>

#include <cstdlib>

#include "JpegTestFiles.h"
#include "media/Textures.h"
#include "platform/Platform.h"

namespace {

// Red top half, blue bottom half: shows row order and colour at once.
uint8_t redOverBlue(int, int y, int c, int height) {
    const bool top = y < height / 2;
    if (c == 0) return top ? 230 : 10;
    if (c == 1) return 10;
    return top ? 10 : 230;
}

bool near(int value, int expected) { return std::abs(value - expected) <= 12; }

class JpegTest : public ::testing::Test {
protected:
    void SetUp() override { setHeadlessMessages(true); }
};

TEST_F(JpegTest, ColourPictureOfOddSizeDecodesTopRowFirst) {
    const int width = 37, height = 22;
    const std::string path = tempPath("odd.jpg");
    ASSERT_TRUE(writeBytes(path, encodeJpeg(width, height, 3, [&](int x, int y, int c) {
        return redOverBlue(x, y, c, height);
    })));
    RgbImage* image = decodeJpegFile(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, width);
    EXPECT_EQ(image->height, height);
    EXPECT_EQ(image->stride, width * 3);
    const uint8_t* top = image->pixels + 2 * image->stride + 5 * 3;
    const uint8_t* bottom = image->pixels + (height - 3) * image->stride + (width - 2) * 3;
    EXPECT_TRUE(near(top[0], 230) && near(top[2], 10)) << int(top[0]) << "," << int(top[2]);
    EXPECT_TRUE(near(bottom[0], 10) && near(bottom[2], 230)) << int(bottom[0]) << "," << int(bottom[2]);
    releaseRgbImage(image);
}

TEST_F(JpegTest, GreyscalePictureBecomesRgb) {
    const std::string path = tempPath("grey.jpg");
    ASSERT_TRUE(writeBytes(path, encodeJpeg(16, 9, 1, [](int x, int, int) { return uint8_t(x < 8 ? 40 : 200); })));
    RgbImage* image = decodeJpegFile(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->stride, 16 * 3);
    const uint8_t* left = image->pixels + 4 * image->stride + 1 * 3;
    const uint8_t* right = image->pixels + 4 * image->stride + 14 * 3;
    for (int c = 0; c < 3; ++c) {
        EXPECT_TRUE(near(left[c], 40)) << int(left[c]);
        EXPECT_TRUE(near(right[c], 200)) << int(right[c]);
    }
    releaseRgbImage(image);
}

TEST_F(JpegTest, MissingAndBrokenFilesAreReportedWithTheirPathAndTheRunGoesOn) {
    const std::string garbage = tempPath("garbage.jpg");
    ASSERT_TRUE(writeBytes(garbage, std::vector<uint8_t>(300, 0x5A)));
    const std::string empty = tempPath("empty.jpg");
    ASSERT_TRUE(writeBytes(empty, {}));
    const std::string missing = tempPath("no-such-picture.jpg");
    std::remove(missing.c_str());
    for (const std::string& path : {garbage, empty, missing}) {
        const int before = messageBoxCount();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(decodeJpegFile(path.c_str()), nullptr) << path;
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(messageBoxCount(), before + 1) << path;
        EXPECT_NE(err.find("-=(Status)=-: " + path + "\n"), std::string::npos) << err;
    }
}

TEST_F(JpegTest, CutFileStillGivesAPicture) {
    std::vector<uint8_t> bytes = encodeJpeg(64, 64, 3, [](int x, int y, int c) { return uint8_t((x * 4 + y * c) & 255); });
    bytes.resize(bytes.size() * 2 / 3);
    RgbImage* image = decodeJpegMemory(bytes.data(), bytes.size());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 64);
    EXPECT_EQ(image->height, 64);
    releaseRgbImage(image);
}

TEST_F(JpegTest, HugeDeclaredSizeIsRefusedBeforeAllocating) {
    std::vector<uint8_t> bytes = encodeJpeg(8, 8, 3, [](int, int, int) { return uint8_t(128); });
    // Patch the frame header (FFC0: length, precision, height, width).
    bool patched = false;
    for (size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
            bytes[i + 5] = 0xFF, bytes[i + 6] = 0xF0;  // height 65520
            bytes[i + 7] = 0xFF, bytes[i + 8] = 0xF0;  // width 65520
            patched = true;
            break;
        }
    }
    ASSERT_TRUE(patched);
    const int before = messageBoxCount();
    EXPECT_EQ(decodeJpegMemory(bytes.data(), bytes.size()), nullptr);
    EXPECT_EQ(messageBoxCount(), before);  // the memory decoder reports nothing
}

TEST_F(JpegTest, MemoryDecoderRejectsGarbageQuietly) {
    const uint8_t garbage[] = {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34, 0x00};
    const int before = messageBoxCount();
    EXPECT_EQ(decodeJpegMemory(garbage, sizeof garbage), nullptr);
    EXPECT_EQ(decodeJpegMemory(nullptr, 0), nullptr);
    EXPECT_EQ(messageBoxCount(), before);
    releaseRgbImage(nullptr);
}

}  // namespace
