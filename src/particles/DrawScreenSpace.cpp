// Draws a pool from its own fixed eye (viewPosition, viewRotation), for the
// lettering of the shared pool. It does not age the pool.
#include <GL/gl.h>

#include "particles/Particles.h"

// Expects: modelview matrix mode, GL_TEXTURE_2D on. Leaves: depth test on,
// blending off, blend function (GL_ONE, GL_ONE), colour white, the modelview
// of the last sprite.
void drawScreenSpace(ParticleSystem& system)
{
    const float t = tickSeconds();
    const float rx = static_cast<float>(system.viewRotation.x);
    const float ry = static_cast<float>(system.viewRotation.y);
    const float rz = static_cast<float>(system.viewRotation.z);
    const float s = system.size;

    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    if (system.depthTest)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    for (int i = 0; system.particles != nullptr && i < system.count; ++i) {
        const Particle& particle = system.particles[i];
        const float b = brightness(particle, t);
        glLoadIdentity();
        glRotatef(rx, 1.0f, 0.0f, 0.0f);
        glRotatef(ry, 0.0f, 1.0f, 0.0f);
        glRotatef(rz, 0.0f, 0.0f, 1.0f);
        glTranslatef(-static_cast<float>(system.viewPosition.x), -static_cast<float>(system.viewPosition.y),
                     -static_cast<float>(system.viewPosition.z));
        glTranslatef(static_cast<float>(particle.position.x), static_cast<float>(particle.position.y),
                     static_cast<float>(particle.position.z));
        glRotatef(-rx, 1.0f, 0.0f, 0.0f);
        glRotatef(-ry, 0.0f, 1.0f, 0.0f);
        glRotatef(-rz, 0.0f, 0.0f, 1.0f);
        glBindTexture(GL_TEXTURE_2D, system.texture);
        glColor3f(b, b, b);
        glBegin(GL_QUADS);
            glTexCoord2f(0.0f, 1.0f); glVertex3f(-s, -s, 0.0f);
            glTexCoord2f(0.0f, 0.0f); glVertex3f(-s, s, 0.0f);
            glTexCoord2f(1.0f, 0.0f); glVertex3f(s, s, 0.0f);
            glTexCoord2f(1.0f, 1.0f); glVertex3f(s, -s, 0.0f);
        glEnd();
    }
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
}
