// The per-scene particle draw list: every live particle of every emitter,
// farthest from the camera first when the particle depth test is on.
#include <algorithm>
#include <cmath>

#include "particles/EmitterLimits.h"
#include "particles/Particles.h"

namespace {

// City-block distance, each difference rounded to float before summing.
float cityBlockDistance(const Vec3& p, const Vec3& eye) {
    const float dx = std::fabs(static_cast<float>(p.x - eye.x));
    const float dy = std::fabs(static_cast<float>(p.y - eye.y));
    const float dz = std::fabs(static_cast<float>(p.z - eye.z));
    float sum = dx + dy;
    sum = sum + dz;
    return sum;
}

}  // namespace

void buildDrawList(Scene& scene) {
    scene.sortCount = 0;
    if (scene.sortBuffer == nullptr) return;
    const Vec3 eye = scene.camera != nullptr ? scene.camera->cameraPosition : Vec3{};
    const int emitterCount = std::min(scene.emitterCount, kMaxDrawnEmitters);
    for (int s = 0; s < emitterCount; ++s) {
        const ParticleSystem* system = scene.emitters[s];
        if (system == nullptr || system->particles == nullptr) continue;
        // The buffer holds capacity x (emitters + 1) entries for pools of
        // one capacity; a pool never holds more than capacity - 1.
        const int live = std::min(system->count, system->capacity - 1);
        for (int p = 0; p < live; ++p) {
            SortEntry& entry = scene.sortBuffer[scene.sortCount++];
            entry.emitterIndex = s;
            entry.particleIndex = p;
            entry.distance = cityBlockDistance(system->particles[p].position, eye);
        }
    }
    if (particleDepthTest) sortDrawList(scene, 0, scene.sortCount - 1);
}

void sortDrawList(Scene& scene, int lo, int hi) {
    SortEntry* entries = scene.sortBuffer;
    // The second recursive call is a loop: same order of work, less stack.
    while (lo < hi) {
        const float pivot = entries[(lo + hi) / 2].distance;
        int i = lo;
        int j = hi;
        while (i <= j) {
            while (entries[i].distance > pivot) ++i;
            while (entries[j].distance < pivot) --j;
            if (i <= j) {
                std::swap(entries[i], entries[j]);
                ++i;
                --j;
            }
        }
        if (i < hi) sortDrawList(scene, i, hi);
        hi = j;
    }
}
