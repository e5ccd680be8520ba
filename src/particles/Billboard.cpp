// One camera-facing sprite quad.
#include "particles/Billboard.h"

#include <GL/gl.h>

void applyBillboardTransform(const Vec3& eyePosition, const Vec3& eyeRotation, const Vec3& at) {
    const float rx = static_cast<float>(eyeRotation.x);
    const float ry = static_cast<float>(eyeRotation.y);
    const float rz = static_cast<float>(eyeRotation.z);

    glRotatef(rx, 1.0f, 0.0f, 0.0f);
    glRotatef(ry, 0.0f, 1.0f, 0.0f);
    glRotatef(rz, 0.0f, 0.0f, 1.0f);
    glTranslatef(-static_cast<float>(eyePosition.x), -static_cast<float>(eyePosition.y),
                 -static_cast<float>(eyePosition.z));
    glTranslatef(static_cast<float>(at.x), static_cast<float>(at.y), static_cast<float>(at.z));
    glRotatef(-rx, 1.0f, 0.0f, 0.0f);
    glRotatef(-ry, 0.0f, 1.0f, 0.0f);
    glRotatef(-rz, 0.0f, 0.0f, 1.0f);
}

void drawBillboard(const Vec3& eyePosition, const Vec3& eyeRotation, const Vec3& at, float half, float level,
                   uint32_t texture) {
    applyBillboardTransform(eyePosition, eyeRotation, at);
    glBindTexture(GL_TEXTURE_2D, texture);
    glColor3f(level, level, level);
    // clang-format off
    glBegin(GL_QUADS);
        glTexCoord2f(0.0f, 1.0f); glVertex3f(-half, -half, 0.0f);
        glTexCoord2f(0.0f, 0.0f); glVertex3f(-half, half, 0.0f);
        glTexCoord2f(1.0f, 0.0f); glVertex3f(half, half, 0.0f);
        glTexCoord2f(1.0f, 1.0f); glVertex3f(half, -half, 0.0f);
    glEnd();
    // clang-format on
}
