// Draws a pool from its own fixed eye (viewPosition, viewRotation), for the
// lettering of the shared pool. It does not age the pool.
#include <GL/gl.h>

#include "particles/Billboard.h"
#include "particles/Particles.h"
#include "particles/SpriteBatch.h"
#include "platform/Platform.h"

namespace {

// A sprite past its lifetime is drawn black; added with (GL_ONE, GL_ONE)
// and no depth test it leaves every pixel as it was, so it is not sent.
bool invisible(const ParticleSystem& system, float level) { return !system.depthTest && level <= 0.0f; }

// One run of sprites of the same grey level, from `first` (always drawn,
// even at a NaN level), in one glBegin/glEnd; returns the index after it.
// The level is set as the current colour before glBegin, as a billboard
// sets it: the GL then takes it as a constant, not as a colour interpolated
// across the quad, which would round differently. The identity loaded first
// ends the previous run's draw; without it the GL may join runs into one
// draw where the colour becomes a per-vertex value.
int drawRun(const ParticleSystem& system, SpriteTransform& transform, int first, float level, float t) {
    const float s = system.size;
    // Corners and texture coordinates in the billboard's order.
    const float corners[4][4] = {{-s, -s, 0.0f, 1.0f}, {-s, s, 0.0f, 0.0f}, {s, s, 1.0f, 0.0f}, {s, -s, 1.0f, 1.0f}};
    glLoadIdentity();
    glColor3f(level, level, level);
    // clang-format off
    glBegin(GL_QUADS);
    int i = first;
    for (; i < system.count && (i == first || brightness(system.particles[i], t) == level); ++i) {
        placeSprite(transform, system.viewPosition, system.particles[i].position);
        for (const float* corner : corners) {
            float clip[4];
            clipCorner(transform, corner[0], corner[1], clip);
            glTexCoord2f(corner[2], corner[3]);
            glVertex4f(clip[0], clip[1], clip[2], clip[3]);
        }
    }
    glEnd();
    // clang-format on
    return i;
}

// The unturned eye: runs of sprites of one grey level (the particles born
// in one frame) each in one glBegin/glEnd, their corners given in clip space
// under identity matrices (see SpriteBatch.h). Leaves the projection as
// found, an identity modelview.
void drawBatched(const ParticleSystem& system, float t) {
    SpriteTransform transform;
    glGetFloatv(GL_PROJECTION_MATRIX, transform.projection);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, system.texture);
    int i = 0;
    while (i < system.count) {
        const float b = brightness(system.particles[i], t);
        i = invisible(system, b) ? i + 1 : drawRun(system, transform, i, b, t);
    }
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

// A turned eye: one billboard, with its own matrix, per sprite.
void drawOneByOne(const ParticleSystem& system, float t) {
    for (int i = 0; i < system.count; ++i) {
        const Particle& particle = system.particles[i];
        const float b = brightness(particle, t);
        if (invisible(system, b)) continue;
        glLoadIdentity();
        drawBillboard(system.viewPosition, system.viewRotation, particle.position, system.size, b, system.texture);
    }
}

// The modelview of the pool's last sprite, as one billboard would leave it.
void loadLastSpriteMatrix(const ParticleSystem& system) {
    glLoadIdentity();
    applyBillboardTransform(system.viewPosition, system.viewRotation, system.particles[system.count - 1].position);
}

}  // namespace

// Expects: modelview matrix mode, GL_TEXTURE_2D on. Leaves: depth test on,
// blending off, blend function (GL_ONE, GL_ONE), colour white, the modelview
// of the pool's last sprite (unchanged for an empty pool), the projection
// as found.
void drawScreenSpace(ParticleSystem& system) {
    const float t = tickSeconds();

    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    if (system.depthTest)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    if (system.particles != nullptr && system.count > 0) {
        if (eyeFacesStraight(system.viewRotation))
            drawBatched(system, t);
        else
            drawOneByOne(system, t);
        loadLastSpriteMatrix(system);
    }
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
}
