#include "media/Overlay.h"

#include <GL/gl.h>

#include "media/Textures.h"

void beginOverlay2D(int left, int top, int right, int bottom) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(left, right, bottom, top, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void endOverlay2D() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void drawFullscreenOverlay(int slot) {
    if (slot < 0 || slot >= kTextureSlots) return;
    glPushMatrix();
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, textureTable[slot]);
    glColor4f(1.0f, 1.0f, 1.0f, kOverlayAlpha);
    beginOverlay2D(0, 0, kOverlayWidth, kOverlayHeight);
    // t = 1 at the top edge: a captured frame (row 0 at the bottom) stands upright.
    // clang-format off
    glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 1.0f); glVertex2f(0.0f, 0.0f);
        glTexCoord2f(0.0f, 0.0f); glVertex2f(0.0f, kOverlayHeight);
        glTexCoord2f(1.0f, 0.0f); glVertex2f(kOverlayWidth, kOverlayHeight);
        glTexCoord2f(1.0f, 1.0f); glVertex2f(kOverlayWidth, 0.0f);
    glEnd();
    // clang-format on
    endOverlay2D();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glPopMatrix();
}
