// The PNG writer: every chunk's CRC, the zlib stream of stored blocks with
// its Adler-32, rows with filter 0, and refusal of sizes and paths it cannot
// write.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "JpegTestFiles.h"
#include "media/Png.h"
#include "support/PngRead.h"

namespace {

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// Every chunk's CRC holds, and the zlib stream (one IDAT, before IEND) ends
// with the Adler-32 of the filtered rows: what the lenient reader skips.
void expectSums(const std::string& path, const Picture& picture) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> png{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    size_t at = 8;
    for (; at + 12 <= png.size() && at + 12 + be32(&png[at]) <= png.size(); at += 12 + be32(&png[at]))
        EXPECT_EQ(pngCrc32(0, &png[at + 4], be32(&png[at]) + 4), be32(&png[at + 8 + be32(&png[at])])) << at;
    EXPECT_EQ(at, png.size());
    std::vector<uint8_t> rows;
    const size_t rowBytes = size_t(picture.width) * 3;
    for (size_t y = 0; y < picture.height; ++y) {
        rows.push_back(0);
        const auto row = picture.rgb.begin() + long(y * rowBytes);
        rows.insert(rows.end(), row, row + long(rowBytes));
    }
    ASSERT_GE(png.size(), 20u);
    EXPECT_EQ(be32(&png[png.size() - 20]), pngAdler32(1, rows.data(), rows.size()));
}

// Known values, so that the reader's checks do not trust the writer's sums.
TEST(PngTest, ChecksumsMatchKnownValues) {
    EXPECT_EQ(pngCrc32(0, reinterpret_cast<const uint8_t*>("IEND"), 4), 0xAE426082u);
    EXPECT_EQ(pngAdler32(1, reinterpret_cast<const uint8_t*>("Wikipedia"), 9), 0x11E60398u);
}

TEST(PngTest, SmallAndMultiBlockImagesRoundTrip) {
    for (int side : {3, 200}) {  // 200 x 200 needs two stored blocks
        std::vector<uint8_t> pixels(static_cast<size_t>(side * side * 3));
        for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = uint8_t(i * 7 + 3);
        const std::string path = writeScratchFile("round.png", {});
        ASSERT_TRUE(writePngRgb(path.c_str(), pixels.data(), side, side));
        Picture picture;
        ASSERT_TRUE(readPng(path, picture));
        EXPECT_EQ(picture.width, unsigned(side));
        EXPECT_EQ(picture.height, unsigned(side));
        EXPECT_EQ(picture.rgb, pixels);
        expectSums(path, picture);
    }
}

TEST(PngTest, RefusesBadSizesAndPaths) {
    uint8_t pixel[3] = {1, 2, 3};
    EXPECT_FALSE(writePngRgb("zero.png", pixel, 0, 1));
    EXPECT_FALSE(writePngRgb("huge.png", pixel, 100000, 1));
    EXPECT_FALSE(writePngRgb("/no/such/folder/x.png", pixel, 1, 1));
    EXPECT_FALSE(writePngRgb(nullptr, pixel, 1, 1));
}

}  // namespace
