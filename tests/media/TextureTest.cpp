// Textures from pictures: mipmapped at power-of-two sizes, top row first;
// a named but empty texture for a picture that cannot be read; the blank
// capture texture.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <vector>

#include "JpegTestFiles.h"
#include "media/Textures.h"
#include "platform/Platform.h"
#include "support/GlHelpers.h"

namespace {

// A parameter of level 0 or 1 of the bound texture; level -1: of the texture.
GLint parameter(GLenum name, GLint level = -1) {
    GLint value = 0;
    level < 0 ? glGetTexParameteriv(GL_TEXTURE_2D, name, &value)
              : glGetTexLevelParameteriv(GL_TEXTURE_2D, level, name, &value);
    return value;
}

TEST(TextureTest, PicturesBecomeMipmappedTexturesTopRowFirstAndTheCaptureTextureIsBlack) {
    openTestGlContext();
    const std::string path = writeScratchFile("texture.jpg", encodeJpeg(37, 22, 3, redOverBlue));
    uint32_t table[2] = {0, 0};
    loadJpegTexture(table, path.c_str(), 1);
    ASSERT_NE(table[1], 0u);
    EXPECT_EQ(table[0], 0u);
    glBindTexture(GL_TEXTURE_2D, table[1]);
    const GLint width = parameter(GL_TEXTURE_WIDTH, 0), height = parameter(GL_TEXTURE_HEIGHT, 0);
    EXPECT_EQ(width & (width - 1), 0) << width;
    EXPECT_EQ(height & (height - 1), 0) << height;
    EXPECT_EQ(parameter(GL_TEXTURE_WIDTH, 1), width > 1 ? width / 2 : 1);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(parameter(GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(parameter(GL_TEXTURE_WRAP_S), GL_REPEAT);
    const std::vector<uint8_t> rgb = testgl::textureRgb(width, height);
    const uint8_t* first = &rgb[3];
    const uint8_t* last = &rgb[size_t((height - 1) * width * 3) + 3];
    EXPECT_TRUE(first[0] > 150 && first[2] < 80 && last[0] < 80 && last[2] > 150)
        << int(first[0]) << " " << int(first[2]) << " " << int(last[0]) << " " << int(last[2]);

    // An unreadable picture gets a name (and a box); a null path nothing.
    setHeadlessMessages(true);
    uint32_t names[2] = {0, 12345};
    const int before = messageBoxCount();
    ::testing::internal::CaptureStderr();
    loadJpegTexture(names, "data/no-such-picture.jpg", 0);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(messageBoxCount(), before + 1);
    EXPECT_EQ(glIsTexture(names[0]), GL_TRUE);
    loadJpegTexture(names, nullptr, 1);
    EXPECT_EQ(names[1], 12345u);
    EXPECT_EQ(messageBoxCount(), before + 1);

    // The capture texture: black, 512 x 512, RGB; none for size 0.
    createBlankTexture(textureTable, 512, 3, GL_RGB, kTransitionSlot);
    ASSERT_NE(textureTable[kTransitionSlot], 0u);
    glBindTexture(GL_TEXTURE_2D, textureTable[kTransitionSlot]);
    EXPECT_EQ(parameter(GL_TEXTURE_WIDTH, 0), 512);
    EXPECT_EQ(parameter(GL_TEXTURE_HEIGHT, 0), 512);
    EXPECT_EQ(parameter(GL_TEXTURE_INTERNAL_FORMAT, 0), 3);
    EXPECT_EQ(parameter(GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    const std::vector<uint8_t> black = testgl::textureRgb(512, 512);
    EXPECT_EQ(std::count(black.begin(), black.end(), 0), long(black.size()));
    uint32_t untouched[1] = {77};
    createBlankTexture(untouched, 0, 3, GL_RGB, 0);
    EXPECT_EQ(untouched[0], 77u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
