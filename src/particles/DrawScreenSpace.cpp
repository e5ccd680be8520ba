// Draws a pool from its own fixed eye (viewPosition, viewRotation), for the
// lettering of the shared pool. It does not age the pool.
#include <GL/gl.h>

#include "particles/Billboard.h"
#include "particles/Particles.h"

// Expects: modelview matrix mode, GL_TEXTURE_2D on. Leaves: depth test on,
// blending off, blend function (GL_ONE, GL_ONE), colour white, the modelview
// of the last sprite.
void drawScreenSpace(ParticleSystem& system)
{
    const float t = tickSeconds();
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
        drawBillboard(system.viewPosition, system.viewRotation, particle.position, s, b, system.texture);
    }
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
}
