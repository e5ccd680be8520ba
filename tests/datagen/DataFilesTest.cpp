// The generated data set as files: everything the show opens exists, reads
// as the show reads it, and the generator writes the same bytes every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "Bitmaps.h"
#include "DataSet.h"
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

// The file names of a folder, sorted.
std::vector<std::string> listDir(const std::string& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// The show's pictures decode as 3-component pictures; the particle sprite is
// black at its corners (particles add) and bright in the middle.
TEST(DataFiles, PicturesDecode) {
    for (const char* name : kPictures) {
        RgbImage* image = decodeJpegFile(dataPath(name).c_str());
        ASSERT_NE(image, nullptr) << name;
        EXPECT_EQ(image->stride, image->width * 3) << name;
        EXPECT_GE(image->width, 64) << name;
        if (std::string(name) == "plume.jpg") {
            EXPECT_LT(image->pixels[0], 8);
            const uint8_t* mid = image->pixels + (image->height / 2) * image->stride + image->width / 2 * 3;
            EXPECT_GT(mid[0], 200);
        }
        releaseRgbImage(image);
    }
}

// 8-bit 320x200 BMPs with the pixel bytes at 1078, bottom row first: the
// file's last row is the buffer's first.
TEST(DataFiles, BitmapsHaveTheShowsLayout) {
    for (const char* name : kBitmaps) {
        std::string bytes = readAll(dataPath(name));
        ASSERT_EQ(static_cast<long>(bytes.size()), kBmpBytes) << name;
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 8);  // bits per pixel
        std::vector<uint8_t> buffer(kBitmapBytes);
        readIndexedBitmap(dataPath(name).c_str(), buffer.data());
        EXPECT_EQ(buffer[0], static_cast<uint8_t>(bytes[1078 + 199 * 320])) << name;
    }
    std::vector<uint8_t> relief(kBitmapBytes);
    readIndexedBitmap(dataPath("vesk.bmp").c_str(), relief.data());
    int low = 255, high = 0;
    for (uint8_t v : relief) {
        low = std::min<int>(low, v);
        high = std::max<int>(high, v);
    }
    EXPECT_GT(high - low, 150);  // a relief worth rippling
}

// Two runs write byte-identical files, all of them together under 30 MB.
TEST(DataFiles, GeneratorIsDeterministicAndSmall) {
    std::string base = testing::TempDir() + "orvane_datagen_" + std::to_string(std::rand());
    std::string first = base + "_a", second = base + "_b";
    for (const std::string& dir : {first, second}) {
        std::string command = std::string(ORVANE_DATAGEN_EXE) + " '" + dir + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0);
    }
    std::vector<std::string> names = listDir(first);
    ASSERT_EQ(names, listDir(second));
    long total = 0;
    for (const std::string& n : names) {
        std::string a = readAll(first + "/" + n);
        EXPECT_EQ(a, readAll(second + "/" + n)) << n;
        EXPECT_EQ(a, readAll(dataPath(n))) << n << " differs from the build's copy";
        total += static_cast<long>(a.size());
    }
    EXPECT_LT(total, kMaxDataBytes);
    for (const char* name : kPictures) EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
    for (const char* name : kBitmaps) EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
    for (const SceneUse& use : sceneUses())
        EXPECT_NE(std::find(names.begin(), names.end(), use.file), names.end());
    std::system(("rm -rf '" + first + "' '" + second + "'").c_str());
}
}  // namespace
