// The 320x200 8-bit BMP reader on whole, short, foreign and missing files:
// rows flipped to top first, 255 past the end, zeros and a message box when
// missing, one note on standard error for a damaged file.
#include <gtest/gtest.h>

#include <vector>

#include "JpegTestFiles.h"
#include "media/Textures.h"
#include "platform/Platform.h"
#include "support/TextLines.h"

namespace {

constexpr int kBottomLeft = (kBitmapHeight - 1) * kBitmapWidth;  // buffer index

// "BM", the rest of the header zero, then pixelBytes of rows bottom first:
// byte i is i % 251, except the bottom-left (9) and top-left (7) corners.
std::vector<uint8_t> makeBitmap(size_t pixelBytes) {
    std::vector<uint8_t> file(kBitmapPixelOffset + pixelBytes, 0);
    file[0] = 'B';
    file[1] = 'M';
    for (size_t i = 0; i < pixelBytes; ++i) file[kBitmapPixelOffset + i] = uint8_t(i % 251);
    file[kBitmapPixelOffset] = 9;
    if (pixelBytes == kBitmapBytes) file[kBitmapPixelOffset + kBottomLeft] = 7;
    return file;
}

TEST(BitmapTest, FilesOfEveryShapeAreReadAsTheFormatSays) {
    setHeadlessMessages(true);
    std::vector<uint8_t> noise = makeBitmap(kBitmapBytes);
    noise[0] = noise[1] = 'Z';
    struct Case {
        const char* name;
        std::vector<uint8_t> file;                // none: no file at all
        const char* note;                         // after "<path>: "; null for none
        std::vector<std::pair<int, int>> probes;  // buffer index, value
        int all;                                  // every byte; -1 when not
    };
    // clang-format off
    const Case cases[] = {
        {"whole", makeBitmap(kBitmapBytes), nullptr,
         {{0, 7}, {kBottomLeft, 9}, {kBottomLeft + 1, 1}, {198 * 320, 320 % 251}}, -1},
        // One and a half rows: the bottom row, half of the next.
        {"short", makeBitmap(480), "holds 1558 of its 65078 bytes",
         {{kBottomLeft, 9}, {kBottomLeft + 319, 319 % 251}, {198 * 320 + 159, 479 % 251}, {198 * 320 + 160, 255},
          {0, 255}}, -1},
        {"header cut", {'B', 'M', 1, 2}, "holds 4 of its 65078 bytes", {}, 255},
        {"not a BMP", noise, "not a BMP file", {{0, 7}, {kBottomLeft, 9}}, -1},
        {"empty", {}, "not a BMP file", {}, 255},
        {"missing", {}, nullptr, {}, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        const bool missing = std::string(c.name) == "missing";
        const std::string path = missing ? "data/no-such-bitmap.bmp" : writeScratchFile("bitmap.bmp", c.file);
        std::vector<uint8_t> buffer(kBitmapBytes, 0xAB);
        const int boxes = messageBoxCount();
        ::testing::internal::CaptureStderr();
        readIndexedBitmap(path.c_str(), buffer.data());
        const std::string errors = ::testing::internal::GetCapturedStderr();

        EXPECT_EQ(messageBoxCount() - boxes, missing ? 1 : 0) << c.name;
        if (missing) {
            EXPECT_NE(errors.find(path), std::string::npos) << errors;
        } else if (c.note == nullptr) {
            EXPECT_EQ(errors, "") << c.name;
        } else {
            EXPECT_EQ(linesContaining(errors, path + ": " + c.note).size(), 1u) << c.name << ": " << errors;
            EXPECT_EQ(linesContaining(errors, path).size(), 1u) << c.name << ": " << errors;
        }
        for (const auto& [index, value] : c.probes) EXPECT_EQ(buffer[index], value) << c.name << " at " << index;
        EXPECT_TRUE(c.all < 0 || std::count(buffer.begin(), buffer.end(), c.all) == kBitmapBytes) << c.name;
    }
}

}  // namespace
