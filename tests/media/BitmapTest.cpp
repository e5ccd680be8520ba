#include <gtest/gtest.h>

#include <vector>

#include "JpegTestFiles.h"
#include "media/Textures.h"
#include "platform/Platform.h"

namespace {

// A 320x200 8-bit BMP: 1078 header and palette bytes, then the rows bottom
// first; pixelBytes of them are written.
std::vector<uint8_t> makeBitmap(size_t pixelBytes, uint8_t topLeft, uint8_t bottomLeft) {
    std::vector<uint8_t> file(kBitmapPixelOffset, 0);
    file[0] = 'B';
    file[1] = 'M';
    std::vector<uint8_t> pixels(kBitmapBytes);
    for (int i = 0; i < kBitmapBytes; ++i) pixels[i] = uint8_t(i % 251);
    pixels[0] = bottomLeft;                                    // first row in the file
    pixels[(kBitmapHeight - 1) * kBitmapWidth] = topLeft;      // last row in the file
    file.insert(file.end(), pixels.begin(), pixels.begin() + static_cast<long>(pixelBytes));
    return file;
}

class BitmapTest : public ::testing::Test {
protected:
    void SetUp() override {
        setHeadlessMessages(true);
        buffer.assign(kBitmapBytes, 0xAB);
    }
    std::vector<uint8_t> buffer;
};

TEST_F(BitmapTest, RowsAreFlippedToTopFirst) {
    const std::string path = tempPath("full.bmp");
    ASSERT_TRUE(writeBytes(path, makeBitmap(kBitmapBytes, 7, 9)));
    readIndexedBitmap(path.c_str(), buffer.data());
    EXPECT_EQ(buffer[0], 7);
    EXPECT_EQ(buffer[63680], 9);
    // File byte 1 (bottom row, column 1) lands at row 199, column 1.
    EXPECT_EQ(buffer[63681], 1);
    // File row 1, column 0 is byte 320 of the pixels: 320 % 251.
    EXPECT_EQ(buffer[198 * 320], 320 % 251);
}

TEST_F(BitmapTest, ShortFileFillsTheRestWith255) {
    const std::string path = tempPath("short.bmp");
    // One and a half rows: the bottom row, half of the next.
    ASSERT_TRUE(writeBytes(path, makeBitmap(480, 7, 9)));
    readIndexedBitmap(path.c_str(), buffer.data());
    EXPECT_EQ(buffer[63680], 9);
    EXPECT_EQ(buffer[199 * 320 + 319], 319 % 251);
    EXPECT_EQ(buffer[198 * 320 + 159], (479) % 251);
    EXPECT_EQ(buffer[198 * 320 + 160], 255);
    EXPECT_EQ(buffer[0], 255);
    const std::string tiny = tempPath("tiny.bmp");
    ASSERT_TRUE(writeBytes(tiny, {'B', 'M', 1, 2}));
    readIndexedBitmap(tiny.c_str(), buffer.data());
    for (uint8_t value : buffer) ASSERT_EQ(value, 255);
}

TEST_F(BitmapTest, MissingFileGivesZerosAndOneMessage) {
    const std::string path = tempPath("no-such.bmp");
    std::remove(path.c_str());
    const int before = messageBoxCount();
    ::testing::internal::CaptureStderr();
    readIndexedBitmap(path.c_str(), buffer.data());
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(messageBoxCount(), before + 1);
    EXPECT_NE(err.find(path), std::string::npos);
    for (uint8_t value : buffer) ASSERT_EQ(value, 0);
}

}  // namespace
