// The PNG writer: its sums against known values, stored blocks and rows
// with filter 0 read back, and refusal of sizes and paths it cannot write.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "JpegTestFiles.h"
#include "media/Png.h"
#include "support/PngRead.h"

namespace {

uint32_t be32(const std::vector<uint8_t>& p, size_t at) {
    return uint32_t(p[at]) << 24 | uint32_t(p[at + 1]) << 16 | uint32_t(p[at + 2]) << 8 | p[at + 3];
}

// Known values, so that the reader's checks do not trust the writer's sums.
TEST(PngTest, ChecksumsMatchKnownValues) {
    EXPECT_EQ(pngCrc32(0, reinterpret_cast<const uint8_t*>("IEND"), 4), 0xAE426082u);
    EXPECT_EQ(pngAdler32(1, reinterpret_cast<const uint8_t*>("Wikipedia"), 9), 0x11E60398u);
    const std::vector<uint8_t> ones(100000, 0xFF);  // sums past the modulus
    EXPECT_EQ(pngAdler32(1, ones.data(), ones.size()), 0x149A302Cu);
}

TEST(PngTest, SmallAndMultiBlockImagesRoundTripAndBadSizesAndPathsAreRefused) {
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
        // What the lenient reader skips: each chunk's CRC over its type and
        // data, and the Adler-32 of the filtered rows before IEND.
        std::ifstream in(path, std::ios::binary);
        const std::vector<uint8_t> png{std::istreambuf_iterator<char>(in), {}};
        size_t at = 8;
        for (; at + 12 <= png.size(); at += 12 + be32(png, at))
            EXPECT_EQ(pngCrc32(0, &png[at + 4], be32(png, at) + 4), be32(png, at + 8 + be32(png, at))) << at;
        EXPECT_EQ(at, png.size());
        std::vector<uint8_t> rows;
        for (int y = 0; y < side; ++y) {
            rows.push_back(0);  // filter type 0
            rows.insert(rows.end(), pixels.begin() + y * side * 3, pixels.begin() + (y + 1) * side * 3);
        }
        EXPECT_EQ(be32(png, png.size() - 20), pngAdler32(1, rows.data(), rows.size()));
    }
    // Sizes and paths it cannot write are refused.
    uint8_t pixel[3] = {1, 2, 3};
    EXPECT_FALSE(writePngRgb("zero.png", pixel, 0, 1));
    EXPECT_FALSE(writePngRgb("huge.png", pixel, 100000, 1));
    EXPECT_FALSE(writePngRgb("/no/such/folder/x.png", pixel, 1, 1));
    EXPECT_FALSE(writePngRgb(nullptr, pixel, 1, 1));
}

}  // namespace
