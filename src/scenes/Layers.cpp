#include "scenes/Layers.h"

#include <GL/gl.h>

#include <cmath>

#include "media/Textures.h"
#include "particles/Particles.h"

namespace {

// One layer of the spinning backdrop: a 12x8 quad at depth z, turned by
// degrees about Z.
void drawBackdropLayer(float z, float degrees) {
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, z);
    glRotatef(degrees, 0.0f, 0.0f, 1.0f);
    glBindTexture(GL_TEXTURE_2D, textureTable[kBackdropSlot]);
    glDisable(GL_DEPTH_TEST);
    // clang-format off
    glBegin(GL_QUADS);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(0.0f, 1.0f); glVertex3f(-6.0f, 4.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(0.0f, 0.0f); glVertex3f(-6.0f, -4.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(1.0f, 0.0f); glVertex3f(6.0f, -4.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(1.0f, 1.0f); glVertex3f(6.0f, 4.0f, 0.0f);
    glEnd();
    // clang-format on
}

}  // namespace

// [SECTION] Backdrop ---------------------------------------------------------

void drawSpinningBackdrop(float elapsed, float duration) {
    glEnable(GL_BLEND);
    const double a = elapsed * kBackdropBobRadians / duration;
    const float spin = elapsed * kBackdropSpinDegrees / duration;
    drawBackdropLayer(static_cast<float>(2.0 * std::sin(a) - 4.0), spin);
    drawBackdropLayer(static_cast<float>(2.0 * std::cos(a) - 4.0), -spin);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
}

void drawBackdropBand() {
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, textureTable[kBackdropSlot]);
    glBlendFunc(GL_ONE, GL_ONE);
    glDisable(GL_DEPTH_TEST);
    // clang-format off
    glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 1.0f); glVertex3f(-1.5f, -0.5f, -2.0f);
        glTexCoord2f(0.0f, 0.0f); glVertex3f(-1.5f, 0.5f, -2.0f);
        glTexCoord2f(1.0f, 0.0f); glVertex3f(1.5f, 0.5f, -2.0f);
        glTexCoord2f(1.0f, 1.0f); glVertex3f(1.5f, -0.5f, -2.0f);
    glEnd();
    // clang-format on
    glEnable(GL_DEPTH_TEST);
}

// [SECTION] Pictures ---------------------------------------------------------

void drawTitle(float z, float angle) {
    // The blend function stays as render left it (one, one): the title adds.
    glEnable(GL_BLEND);
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, z);
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
    glBindTexture(GL_TEXTURE_2D, textureTable[kTitleSlot]);
    // clang-format off
    glBegin(GL_QUADS);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(0.0f, 1.0f); glVertex3f(-1.5f, -1.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(0.0f, 0.0f); glVertex3f(-1.5f, 1.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(1.0f, 0.0f); glVertex3f(1.5f, 1.0f, 0.0f);
        glColor3f(1.0f, 1.0f, 1.0f); glTexCoord2f(1.0f, 1.0f); glVertex3f(1.5f, -1.0f, 0.0f);
    glEnd();
    // clang-format on
    glDisable(GL_BLEND);
}

void drawCaptureQuad() {
    // clang-format off
    glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 1.0f); glVertex3f(-1.5f, 1.0f, 0.0f);
        glTexCoord2f(0.0f, 0.0f); glVertex3f(-1.5f, -1.0f, 0.0f);
        glTexCoord2f(1.0f, 0.0f); glVertex3f(1.5f, -1.0f, 0.0f);
        glTexCoord2f(1.0f, 1.0f); glVertex3f(1.5f, 1.0f, 0.0f);
    glEnd();
    // clang-format on
}

// [SECTION] Lettering --------------------------------------------------------

void writeLettering(uint8_t* bitmap, float t, float duration, int steps, int startX, int startY, ParticleSystem& pool) {
    if (!bitmap) return;
    traceOutline(t, duration, bitmap, steps, pool, startX, startY, kLetteringHomeStep);
}
