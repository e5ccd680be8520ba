#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "JpegTestFiles.h"
#include "media/Textures.h"
#include "platform/Platform.h"
#include "support/GlTestContext.h"

namespace {

GLint boundLevelParameter(GLint level, GLenum name) {
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
    return value;
}

GLint boundParameter(GLenum name) {
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, name, &value);
    return value;
}

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override { openTestGlContext(); }
};

TEST_F(TextureTest, OddSizedPictureBecomesAMipmappedTexture) {
    const std::string path = tempPath("texture.jpg");
    // Red top half, blue bottom half, 37 x 22 (no power of two).
    ASSERT_TRUE(writeBytes(path, encodeJpeg(37, 22, 3, [](int, int y, int c) {
        return uint8_t(c == 0 ? (y < 11 ? 230 : 10) : c == 2 ? (y < 11 ? 10 : 230) : 10);
    })));
    uint32_t table[2] = {0, 0};
    loadJpegTexture(table, path.c_str(), 1);
    ASSERT_NE(table[1], 0u);
    EXPECT_EQ(table[0], 0u);
    glBindTexture(GL_TEXTURE_2D, table[1]);
    const GLint width = boundLevelParameter(0, GL_TEXTURE_WIDTH);
    const GLint height = boundLevelParameter(0, GL_TEXTURE_HEIGHT);
    EXPECT_EQ(width & (width - 1), 0) << width;
    EXPECT_EQ(height & (height - 1), 0) << height;
    EXPECT_EQ(boundLevelParameter(1, GL_TEXTURE_WIDTH), width > 1 ? width / 2 : 1);
    EXPECT_EQ(boundParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(boundParameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(boundParameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    std::vector<uint8_t> texels(static_cast<size_t>(width * height * 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    // Texture row 0 is the picture's top row.
    const uint8_t* first = texels.data() + 3;
    const uint8_t* last = texels.data() + static_cast<size_t>((height - 1) * width * 3) + 3;
    EXPECT_GT(first[0], 150);
    EXPECT_LT(first[2], 80);
    EXPECT_LT(last[0], 80);
    EXPECT_GT(last[2], 150);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TextureTest, UnreadablePictureStillGetsAName) {
    setHeadlessMessages(true);
    uint32_t table[1] = {0};
    const int before = messageBoxCount();
    ::testing::internal::CaptureStderr();
    loadJpegTexture(table, "data/no-such-picture.jpg", 0);
    ::testing::internal::GetCapturedStderr();
    EXPECT_NE(table[0], 0u);
    EXPECT_EQ(messageBoxCount(), before + 1);
    EXPECT_EQ(glIsTexture(table[0]), GL_TRUE);
}

TEST_F(TextureTest, NullPathLeavesTheSlotAlone) {
    uint32_t table[1] = {12345};
    const int before = messageBoxCount();
    loadJpegTexture(table, nullptr, 0);
    EXPECT_EQ(table[0], 12345u);
    EXPECT_EQ(messageBoxCount(), before);
}

TEST_F(TextureTest, BlankTextureIsBlack512Rgb) {
    createBlankTexture(textureTable, 512, 3, GL_RGB, kTransitionSlot);
    ASSERT_NE(textureTable[kTransitionSlot], 0u);
    glBindTexture(GL_TEXTURE_2D, textureTable[kTransitionSlot]);
    EXPECT_EQ(boundLevelParameter(0, GL_TEXTURE_WIDTH), 512);
    EXPECT_EQ(boundLevelParameter(0, GL_TEXTURE_HEIGHT), 512);
    EXPECT_EQ(boundLevelParameter(0, GL_TEXTURE_INTERNAL_FORMAT), 3);
    EXPECT_EQ(boundParameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    std::vector<uint8_t> texels(512 * 512 * 3, 99);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    for (uint8_t value : texels) ASSERT_EQ(value, 0);
    uint32_t untouched[1] = {77};
    createBlankTexture(untouched, 0, 3, GL_RGB, 0);
    EXPECT_EQ(untouched[0], 77u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
