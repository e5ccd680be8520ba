// A fixed-capacity particle pool: emission, ageing and removal. The records
// are allocated once by the constructor; nothing here allocates afterwards.
#include "particles/Particles.h"

#include <algorithm>

#include "media/Textures.h"
#include "platform/Platform.h"

float brightness(const Particle& particle, float t) {
    return (t - particle.deathTime) / (particle.birthTime - particle.deathTime);
}

ParticleSystem::ParticleSystem(int capacity_, const char* texturePath, float lifetime_, int rate_, float size_,
                               float rise_) {
    capacity = capacity_ > 0 ? capacity_ : 0;
    count = 0;
    rate = rate_;
    lifetime = lifetime_;
    lastEmitTime = 0.0f;
    // A null path is a pool without a sprite (tests, or a mesh without a
    // material): no texture name is made.
    if (texturePath != nullptr) loadJpegTexture(&texture, texturePath, 0);
    particles = new Particle[capacity > 0 ? capacity : 1];
    size = size_;
    rise = rise_;
}

ParticleSystem::~ParticleSystem() { release(); }

void ParticleSystem::release() {
    delete[] particles;
    particles = nullptr;
    count = 0;
}

// Appends one particle born at t; the last record is never used, so a pool
// of capacity N holds at most N - 1 particles.
static void appendParticle(ParticleSystem& system, double x, double y, double z, float t) {
    Particle& p = system.particles[system.count];
    p.position.x = x;
    p.position.y = y;
    p.position.z = z;
    p.birthTime = t;
    p.deathTime = t + system.lifetime;
    system.count += 1;
}

void ParticleSystem::emitAt(double x, double y, double z) {
    const float t = tickSeconds();
    if (particles == nullptr || count + 1 >= capacity) return;
    appendParticle(*this, x, y, z, t);
}

void ParticleSystem::update() {
    const float t = tickSeconds();
    if (lastEmitTime == 0.0f) lastEmitTime = t;
    if (particles == nullptr) return;
    // The whole part of (t - last) * rate is at least 1 exactly when the
    // product is; comparing the float avoids an out-of-range conversion.
    if ((t - lastEmitTime) * static_cast<float>(rate) >= 1.0f && count + 1 < capacity) {
        appendParticle(*this, emitPosition.x, emitPosition.y, emitPosition.z, t);
        lastEmitTime = t;
    }
    // Remove the dead in one pass, keeping the order of the living: the same
    // result as removeAt on each, without shifting the tail once per death.
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (particles[i].deathTime <= t) continue;
        if (kept != i) particles[kept] = particles[i];
        ++kept;
    }
    count = kept;
}

void ParticleSystem::removeAt(int i) {
    if (particles == nullptr || i < 0 || i >= count) return;
    std::copy(particles + i + 1, particles + count, particles + i);
    count -= 1;
}
