// The PNG writer: every chunk's CRC, the zlib stream of stored blocks with
// its Adler-32, rows with filter 0, and refusal of sizes and paths it cannot
// write. Its own reader checks what a lenient one would pass over.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "JpegTestFiles.h"
#include "media/Png.h"

namespace {

uint32_t be32(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

// Walks the chunks checking every CRC, unpacks the stored deflate blocks of
// the IDAT data checking their lengths and the Adler-32; the filtered rows.
std::vector<uint8_t> unpackPng(const std::string& path, uint32_t* width, uint32_t* height) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> png{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<uint8_t> zlib, raw;
    EXPECT_EQ(std::memcmp(png.data(), "\x89PNG\r\n\x1a\n", 8), 0);
    size_t at = 8;
    for (bool ended = false; !ended;) {
        if (at + 12 > png.size()) return ADD_FAILURE() << "no IEND", raw;
        const uint32_t length = be32(&png[at]);
        const uint8_t* type = &png[at + 4];
        EXPECT_EQ(pngCrc32(0, type, length + 4), be32(&png[at + 8 + length]));
        if (std::memcmp(type, "IHDR", 4) == 0) {
            *width = be32(type + 4);
            *height = be32(type + 8);
            EXPECT_EQ(type[12], 8);  // bit depth
            EXPECT_EQ(type[13], 2);  // RGB
        }
        if (std::memcmp(type, "IDAT", 4) == 0) zlib.insert(zlib.end(), type + 4, type + 4 + length);
        ended = std::memcmp(type, "IEND", 4) == 0;
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    EXPECT_EQ((zlib[0] * 256 + zlib[1]) % 31, 0);  // zlib header check
    size_t pos = 2;
    for (bool last = false; !last;) {
        if (pos + 5 > zlib.size()) return ADD_FAILURE() << "no last block", raw;
        last = (zlib[pos] & 1) != 0;
        EXPECT_EQ(zlib[pos] & 6, 0);  // stored block
        const uint16_t len = uint16_t(zlib[pos + 1] | (zlib[pos + 2] << 8));
        EXPECT_EQ(uint16_t(~len), uint16_t(zlib[pos + 3] | (zlib[pos + 4] << 8)));
        raw.insert(raw.end(), zlib.begin() + long(pos + 5), zlib.begin() + long(pos + 5 + len));
        pos += 5 + len;
    }
    EXPECT_EQ(pos + 4, zlib.size());
    EXPECT_EQ(be32(&zlib[pos]), pngAdler32(1, raw.data(), raw.size()));
    return raw;
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
        const std::string path = tempPath("round.png");
        ASSERT_TRUE(writePngRgb(path.c_str(), pixels.data(), side, side));
        uint32_t width = 0, height = 0;
        const std::vector<uint8_t> raw = unpackPng(path, &width, &height);
        EXPECT_EQ(width, uint32_t(side));
        EXPECT_EQ(height, uint32_t(side));
        ASSERT_EQ(raw.size(), size_t(side) * (1 + side * 3));
        for (int y = 0; y < side; ++y) {
            const uint8_t* row = &raw[size_t(y) * (1 + side * 3)];
            ASSERT_EQ(row[0], 0);
            ASSERT_EQ(std::memcmp(row + 1, &pixels[size_t(y * side * 3)], size_t(side * 3)), 0) << "row " << y;
        }
    }
}

TEST(PngTest, RefusesBadSizesAndPaths) {
    uint8_t pixel[3] = {1, 2, 3};
    EXPECT_FALSE(writePngRgb(tempPath("zero.png").c_str(), pixel, 0, 1));
    EXPECT_FALSE(writePngRgb(tempPath("huge.png").c_str(), pixel, 100000, 1));
    EXPECT_FALSE(writePngRgb("/no/such/folder/x.png", pixel, 1, 1));
    EXPECT_FALSE(writePngRgb(nullptr, pixel, 1, 1));
}

}  // namespace
