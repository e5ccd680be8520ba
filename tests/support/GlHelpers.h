// Small GL helpers for the render and particle GL tests: textures made in
// memory, reading a pixel's grey level, the GL state a draw leaves.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "support/GlTestContext.h"

namespace testgl {

constexpr int kWidth = 640;  // test window, pixels
constexpr int kHeight = 480;

// A side x side RGB texture filled by colourAt(x, y) -> 0xRRGGBB.
template <typename Fn>
GLuint makeTexture(int side, Fn colourAt, GLint filter = GL_NEAREST) {
    std::vector<uint8_t> rgb(static_cast<size_t>(side) * side * 3);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const uint32_t c = colourAt(x, y);
            uint8_t* p = &rgb[(static_cast<size_t>(y) * side + x) * 3];
            p[0] = static_cast<uint8_t>(c >> 16);
            p[1] = static_cast<uint8_t>(c >> 8);
            p[2] = static_cast<uint8_t>(c);
        }
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return name;
}

// 0xRRGGBB of one back-buffer pixel (GL window coordinates).
inline uint32_t pixel(int x, int y) {
    const std::vector<uint8_t> p = readFramebufferRgb(x, y, 1, 1);
    return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
}

// Level 0 of the bound texture as RGB bytes, row 0 first (99 where nothing was read).
inline std::vector<uint8_t> textureRgb(int width, int height) {
    std::vector<uint8_t> bytes(size_t(width) * height * 3, 99);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, bytes.data());
    return bytes;
}

inline int red(uint32_t c) { return static_cast<int>(c >> 16); }
inline int green(uint32_t c) { return static_cast<int>((c >> 8) & 0xff); }

inline uint32_t centre() { return pixel(kWidth / 2, kHeight / 2); }

// The state every draw of the scene promises to leave.
struct LeftState {
    bool blend;
    bool depthTest;
    GLint blendSrc;
    GLint blendDst;
    float colour[4];
};

inline LeftState leftState() {
    LeftState s{};
    s.blend = glIsEnabled(GL_BLEND) == GL_TRUE;
    s.depthTest = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
    glGetIntegerv(GL_BLEND_SRC, &s.blendSrc);
    glGetIntegerv(GL_BLEND_DST, &s.blendDst);
    glGetFloatv(GL_CURRENT_COLOR, s.colour);
    return s;
}

}  // namespace testgl
