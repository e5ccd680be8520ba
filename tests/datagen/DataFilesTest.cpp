// The generated pictures and bitmaps read as the show reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "DataSet.h"
#include "art/ShowBitmaps.h"
#include "media/Textures.h"

namespace {
constexpr long kBmpBytes = 1078 + 64000;

const char* const kPictures[] = {"group.jpg", "load.jpg", "fond1.jpg", "tete.jpg", "plume.jpg"};
const char* const kBitmaps[] = {"orvane.bmp", "codeby.bmp", "gfxby.bmp", "zikby.bmp", "end.bmp", "vesk.bmp"};

// Pictures decode as 3-component pictures (the particle sprite black at its
// corner, bright in the middle); bitmaps are 8-bit 320x200 BMPs, bottom row
// first; the height map has relief worth rippling.
TEST(DataFiles, PicturesAndBitmapsReadAsTheShowReadsThem) {
    for (const char* name : kPictures) {
        RgbImage* image = decodeJpegFile(dataPath(name).c_str());
        ASSERT_NE(image, nullptr) << name;
        if (std::string(name) == "plume.jpg") {
            EXPECT_LT(image->pixels[0], 8);
            EXPECT_GT(image->pixels[(image->height / 2) * image->stride + image->width / 2 * 3], 200);
        }
        releaseRgbImage(image);
    }
    std::vector<uint8_t> buffer(kBitmapBytes);
    for (const char* name : kBitmaps) {
        std::ifstream in(dataPath(name), std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        ASSERT_EQ(static_cast<long>(bytes.size()), kBmpBytes) << name;
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 8);  // bits per pixel
        readIndexedBitmap(dataPath(name).c_str(), buffer.data());
        EXPECT_EQ(buffer[0], static_cast<uint8_t>(bytes[1078 + 199 * 320])) << name;
    }
    auto [low, high] = std::minmax_element(buffer.begin(), buffer.end());  // vesk.bmp, read last
    EXPECT_GT(*high - *low, 150);
}

}  // namespace
