// Per-frame work of the object-attached emitters: feed each pool at its
// mesh, age and move the particles, order them far to near, and draw them
// as additive billboards in the scene's camera.
#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>

#include "particles/Billboard.h"
#include "particles/EmitterLimits.h"
#include "particles/Particles.h"
#include "platform/Platform.h"

namespace {

constexpr float kDepthOffsetSpan = 80.0f;  // world units: first sprite of a type 2/3 pool is pushed this far back

// Particles drawn so far per emitter in this frame. Lifetime: frame.
int drawnCount[kMaxDrawnEmitters];

bool shrinks(int type) { return type == 2 || type == 3; }
bool rises(int type) { return type == 1 || type == 3; }

// Type 3 takes x, y and z from three random vertices; a mesh without
// vertices emits at its position, like the other types.
void placeEmitPosition(ParticleSystem& system, const SceneObject& mesh) {
    if (system.emitterType != 3 || mesh.vertexCount == 0) {
        system.emitPosition = mesh.position;
        return;
    }
    const int n = mesh.vertexCount;
    system.emitPosition.x = mesh.vertices[std::rand() % n].x;
    system.emitPosition.y = mesh.vertices[std::rand() % n].y;
    system.emitPosition.z = mesh.vertices[std::rand() % n].z;
}

// Types 1 and 3 lift every particle by the part of its life already spent.
void raiseParticles(ParticleSystem& system, const SceneObject& mesh, float t) {
    for (int p = 0; p < system.count; ++p) {
        const float b = brightness(system.particles[p], t);
        system.particles[p].position.y = (system.rise - b * system.rise) + mesh.position.y;
    }
}

// One sprite: the optional depth offset, then the billboard in the camera's
// view, of half side b * size for the shrinking types.
void drawSprite(const ParticleSystem& system, const Particle& particle, const SceneObject& camera, int drawn, float t) {
    const float b = brightness(particle, t);
    const bool shrinking = shrinks(system.emitterType);
    const float half = shrinking ? b * system.size : system.size;

    glLoadIdentity();
    if (shrinking) glTranslatef(0.0f, 0.0f, static_cast<float>(drawn - system.count) * kDepthOffsetSpan / system.count);
    drawBillboard(camera.cameraPosition, camera.rotation, particle.position, half, b, system.texture);
}

}  // namespace

void Scene::updateEmitters() {
    const float t = tickSeconds();
    const int count = std::min(emitterCount, kMaxDrawnEmitters);
    for (int s = 0; s < count; ++s) {
        ParticleSystem* system = emitters[s];
        const SceneObject* mesh = emitterObjects[s];
        if (system == nullptr || mesh == nullptr) continue;
        placeEmitPosition(*system, *mesh);
        system->update();
        if (rises(system->emitterType)) raiseParticles(*system, *mesh, t);
    }
}

// Expects: modelview matrix mode, GL_TEXTURE_2D on. Leaves: the depth test
// as found (it is switched off while drawing when particleDepthTest is
// false, then on), blending off, blend function (GL_ONE, GL_ONE), colour
// white, the modelview of the last sprite.
void Scene::drawEmitters() {
    const float t = tickSeconds();
    static const SceneObject noCamera;
    const SceneObject& cam = camera != nullptr ? *camera : noCamera;

    updateEmitters();
    std::fill(drawnCount, drawnCount + kMaxDrawnEmitters, 0);
    buildDrawList(*this);

    if (!particleDepthTest) glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_BLEND);
    for (int e = 0; e < sortCount; ++e) {
        const SortEntry& entry = sortBuffer[e];
        const ParticleSystem& system = *emitters[entry.emitterIndex];
        drawSprite(system, system.particles[entry.particleIndex], cam, drawnCount[entry.emitterIndex], t);
        drawnCount[entry.emitterIndex] += 1;
    }
    if (!particleDepthTest) glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glColor3f(1.0f, 1.0f, 1.0f);
}
