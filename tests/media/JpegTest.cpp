// The JPEG decoder: greyscale pictures as RGB, top row first; damaged,
// empty, missing and oversized input refused, each file said to be wrong
// once however often it is used.
#include <gtest/gtest.h>

#include <cstdlib>

#include "JpegTestFiles.h"
#include "media/Textures.h"
#include "platform/Platform.h"
#include "support/TextLines.h"

namespace {

// Colour pictures are checked through the texture made from one.
TEST(JpegTest, GreyscaleDecodesToPackedRgbTopRowFirstAndABadFileIsReportedOnce) {
    const std::string path =
        writeScratchFile("grey.jpg", encodeJpeg(37, 16, 1, [](int, int y, int) { return uint8_t(y < 8 ? 40 : 200); }));
    RgbImage* image = decodeJpegFile(path.c_str());
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->width, 37);
    EXPECT_EQ(image->height, 16);
    EXPECT_EQ(image->stride, 37 * 3);
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(image->pixels[2 * image->stride + 2 * 3 + c], 40, 12) << "top, component " << c;
        EXPECT_NEAR(image->pixels[13 * image->stride + 34 * 3 + c], 200, 12) << "bottom, component " << c;
    }
    releaseRgbImage(image);

    // A picture shared by several materials is decoded once per use; a bad
    // one still raises one message box, its text the path.
    setHeadlessMessages(true);
    for (const std::string& path : {writeScratchFile("garbage.jpg", std::vector<uint8_t>(300, 0x5A)),
                                    writeScratchFile("empty.jpg", {}), std::string("data/absent.jpg")}) {
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
    std::vector<uint8_t> cut = encodeJpeg(64, 64, 3, [](int x, int y, int c) { return uint8_t(x * 4 + y * c); });
    cut.resize(cut.size() * 2 / 3);
    std::vector<uint8_t> huge = encodeJpeg(8, 8, 3, [](int, int, int) { return uint8_t(128); });
    size_t frame = 0;  // the frame header FFC0: length, precision, height, width
    while (frame + 8 < huge.size() && !(huge[frame] == 0xFF && huge[frame + 1] == 0xC0)) ++frame;
    ASSERT_LT(frame + 8, huge.size());
    // 9000 x 9000: past the decoder's limit, yet small enough to allocate.
    for (size_t i = frame + 5; i < frame + 9; i += 2) huge[i] = 0x23, huge[i + 1] = 0x28;
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        int side;  // 0: refused
    };
    const Case cases[] = {{"cut to two thirds", cut, 64},
                          {"huge declared size", huge, 0},
                          {"garbage after SOI", {0xFF, 0xD8, 0xFF, 0x00, 0x12, 0x34, 0x00}, 0},
                          {"nothing", {}, 0}};
    const int before = messageBoxCount();
    for (const Case& c : cases) {
        RgbImage* image = decodeJpegMemory(c.bytes.empty() ? nullptr : c.bytes.data(), c.bytes.size());
        EXPECT_EQ(image != nullptr, c.side > 0) << c.name;
        EXPECT_TRUE(image == nullptr || (image->width == c.side && image->height == c.side)) << c.name;
        releaseRgbImage(image);
    }
    EXPECT_EQ(messageBoxCount(), before);
}

}  // namespace
