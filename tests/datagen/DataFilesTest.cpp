// The generated data set as files: everything the show opens exists, reads
// as the show reads it, and the generator writes the same bytes every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "DataSet.h"
#include "art/ShowBitmaps.h"
#include "media/Textures.h"

namespace {
constexpr long kBmpBytes = 1078 + 64000;
constexpr long kMaxDataBytes = 30L * 1024 * 1024;  // whole data set, without the soundtrack

const char* const kPictures[] = {"group.jpg", "load.jpg", "fond1.jpg", "tete.jpg", "plume.jpg"};
const char* const kBitmaps[] = {"orvane.bmp", "codeby.bmp", "gfxby.bmp", "zikby.bmp", "end.bmp", "vesk.bmp"};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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
        std::string bytes = readAll(dataPath(name));
        ASSERT_EQ(static_cast<long>(bytes.size()), kBmpBytes) << name;
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 8);  // bits per pixel
        readIndexedBitmap(dataPath(name).c_str(), buffer.data());
        EXPECT_EQ(buffer[0], static_cast<uint8_t>(bytes[1078 + 199 * 320])) << name;
    }
    auto [low, high] = std::minmax_element(buffer.begin(), buffer.end());  // vesk.bmp, read last
    EXPECT_GT(*high - *low, 150);
}

// Two runs write byte-identical files, the build's copy among them, all of
// them together under 30 MB. (Each file the show opens is read above and by
// the scene-file tests.)
TEST(DataFiles, GeneratorIsDeterministicAndSmall) {
    std::string base = testing::TempDir() + "orvane_datagen_" + std::to_string(std::rand());
    std::string first = base + "_a", second = base + "_b";
    for (const std::string& dir : {first, second}) {
        std::string command = std::string(ORVANE_DATAGEN_EXE) + " '" + dir + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(first)) names.push_back(entry.path().filename());
    long total = 0;
    for (const std::string& n : names) {
        std::string a = readAll(first + "/" + n);
        EXPECT_EQ(a, readAll(second + "/" + n)) << n;
        EXPECT_EQ(a, readAll(dataPath(n))) << n << " differs from the build's copy";
        total += static_cast<long>(a.size());
    }
    EXPECT_LT(total, kMaxDataBytes);
    std::filesystem::remove_all(first);
    std::filesystem::remove_all(second);
}
}  // namespace
