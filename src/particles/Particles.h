// Particle pools: fixed-capacity sets of fading, additive sprites, fed by
// object emitters (per scene) or by the outline walker (the shared pool).
#pragma once

#include <cstdint>

#include "scene3ds/Scene.h"

struct Particle {
    Vec3 position;
    float birthTime = 0.0f;
    float deathTime = 0.0f;
};

// 1 at birth, 0 at death, negative afterwards (not clamped).
float brightness(const Particle& particle, float t);

class ParticleSystem {
public:
    // Loads texturePath as the sprite (a null path loads nothing and makes
    // no GL call) and allocates capacity records.
    ParticleSystem(int capacity, const char* texturePath, float lifetime, int rate, float size, float rise);
    ~ParticleSystem();
    ParticleSystem(const ParticleSystem&) = delete;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    void release();
    void emitAt(double x, double y, double z);
    void update();
    void removeAt(int i);

    Particle* particles = nullptr;
    float lifetime = 0.0f;
    float lastEmitTime = 0.0f;
    int rate = 0;
    int capacity = 0;
    int count = 0;
    int emitterType = 0;
    bool depthTest = false;
    float size = 0.0f;
    float rise = 0.0f;
    uint32_t texture = 0;
    Vec3 viewPosition;
    Vec3 viewRotation;
    Vec3 emitPosition;
};

// Per-scene draw list over all emitters of a Scene, farthest first when the
// particle depth test is on.
void buildDrawList(Scene& scene);
void sortDrawList(Scene& scene, int lo, int hi);

// Program-wide: true except while the city scene plays.
extern bool particleDepthTest;
void particleDepthTestOn();
void particleDepthTestOff();

// [SECTION] Lettering --------------------------------------------------------

// Writes the shapes of a 320x200 bitmap with particles, progressively.
void traceOutline(float elapsed, float duration, uint8_t* bitmap, int totalSteps, ParticleSystem& system, int startX,
                  int startY, int homeStep);

// Draws every particle of a pool from the pool's own fixed eye; without the
// depth test, particles past their lifetime (which would add black) are not
// sent. An unturned eye sends runs of one grey level as single draws.
void drawScreenSpace(ParticleSystem& system);
