// Files that open but are not what the show expects are named once on
// standard error, and read as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DataCopy.h"
#include "support/ShowProcess.h"
#include "media/Textures.h"
#include "platform/Platform.h"

namespace {

std::string readBitmapNotes(const std::string& path, std::vector<uint8_t>& buffer) {
    setHeadlessMessages(true);
    buffer.assign(kBitmapBytes, 0xAB);
    ::testing::internal::CaptureStderr();
    readIndexedBitmap(path.c_str(), buffer.data());
    return ::testing::internal::GetCapturedStderr();
}

TEST(DamageNotesTest, BitmapThatIsNoBmpOrShortIsNamedOnceAndStillRead) {
    DataCopy folder("bitmap-notes");
    const std::string path = folder.folder() + "/odd.bmp";
    std::vector<uint8_t> buffer;

    std::vector<char> bytes = garbageBytes(kBitmapPixelOffset + kBitmapBytes, "odd");
    ASSERT_TRUE(writeFileBytes(path, bytes));
    std::string notes = readBitmapNotes(path, buffer);
    EXPECT_EQ(linesContaining(notes, path + ": not a BMP file").size(), 1u) << notes;
    EXPECT_EQ(buffer[0], static_cast<uint8_t>(bytes[kBitmapPixelOffset + (kBitmapHeight - 1) * kBitmapWidth]));

    ASSERT_TRUE(writeFileBytes(path, {}));
    notes = readBitmapNotes(path, buffer);
    EXPECT_EQ(linesContaining(notes, path + ": not a BMP file").size(), 1u) << notes;
    for (uint8_t value : buffer) ASSERT_EQ(value, 255);

    bytes.assign(kBitmapPixelOffset + 100, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    ASSERT_TRUE(writeFileBytes(path, bytes));
    notes = readBitmapNotes(path, buffer);
    EXPECT_EQ(linesContaining(notes, path + ": holds 1178 of its 65078 bytes").size(), 1u) << notes;
    EXPECT_EQ(buffer[(kBitmapHeight - 1) * kBitmapWidth], 0);
    EXPECT_EQ(buffer[0], 255);
}

// A picture shared by several materials or emitters is loaded once per use;
// a broken or missing one is still said to be wrong once.
TEST(DamageNotesTest, PictureUsedManyTimesIsReportedOnce) {
    setHeadlessMessages(true);
    DataCopy folder("picture-notes");
    const std::string broken = folder.folder() + "/broken.jpg";
    ASSERT_TRUE(writeFileBytes(broken, garbageBytes(500, "broken")));
    const std::string missing = folder.folder() + "/missing.jpg";
    for (const std::string& path : {broken, missing}) {
        const int before = messageBoxCount();
        ::testing::internal::CaptureStderr();
        for (int use = 0; use < 3; ++use) EXPECT_EQ(decodeJpegFile(path.c_str()), nullptr);
        const std::string notes = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(messageBoxCount(), before + 1) << notes;
        EXPECT_EQ(linesContaining(notes, "-=(Status)=-: " + path).size(), 1u) << notes;
    }
}

TEST(DamageNotesTest, GeneratedBitmapsRaiseNoNote) {
    const std::vector<std::string> names = builtDataFiles();
    std::vector<uint8_t> buffer;
    int bitmaps = 0;
    for (const std::string& name : names) {
        if (name.size() < 4 || name.compare(name.size() - 4, 4, ".bmp") != 0) continue;
        EXPECT_EQ(readBitmapNotes(builtDataDir() + "/" + name, buffer), "") << name;
        ++bitmaps;
    }
    if (bitmaps == 0) GTEST_SKIP() << "no generated data in " << builtDataDir();
}

}  // namespace
