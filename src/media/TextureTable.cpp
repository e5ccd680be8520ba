// The texture table and the two ways textures are made: mipmapped pictures
// and blank capture targets.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstddef>
#include <vector>

#include "media/Textures.h"

uint32_t textureTable[kTextureSlots] = {};

namespace {

constexpr int kMaxBlankSide = 4096;  // pixels

}  // namespace

int loadJpegTexture(uint32_t* table, const char* path, int slot) {
    if (path == nullptr || table == nullptr || slot < 0) return 0;
    RgbImage* image = decodeJpegFile(path);
    GLuint name = 0;
    glGenTextures(1, &name);
    table[slot] = name;
    glBindTexture(GL_TEXTURE_2D, name);
    if (image != nullptr) {
        // Rows are packed without padding whatever their width.
        GLint alignment = 4;
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, image->width, image->height, GL_RGB, GL_UNSIGNED_BYTE, image->pixels);
        glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    releaseRgbImage(image);
    return image != nullptr ? 1 : 0;
}

void createBlankTexture(uint32_t* table, int side, int components, unsigned format, int slot) {
    if (table == nullptr || slot < 0 || side <= 0 || side > kMaxBlankSide || components < 1 || components > 4) {
        return;
    }
    // Loading time only: the zero buffer lives for this call.
    std::vector<GLuint> zeros(static_cast<size_t>(side) * static_cast<size_t>(side) * components, 0);
    GLuint name = 0;
    glGenTextures(1, &name);
    table[slot] = name;
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, components, side, side, 0, format, GL_UNSIGNED_INT, zeros.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}
