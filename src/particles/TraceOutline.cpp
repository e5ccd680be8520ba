// The outline walker: writes the shapes of a 320x200 bitmap with particles,
// replaying its walk from the start point on every call up to a step budget
// that grows with the elapsed fraction. Visited pixels are marked 12 and
// never emit again.
#include <cmath>

#include "media/Textures.h"
#include "particles/Particles.h"

namespace {

constexpr uint8_t kVisitedMark = 12;

struct Direction {
    int dx;
    int dy;
};

// Neighbours in the order the turn rule tries them.
constexpr Direction kTurnOrder[8] = {
    {0, 1}, {0, -1}, {1, 0}, {-1, 0}, {1, 1}, {1, -1}, {-1, -1}, {-1, 1},
};

// Pixels outside the bitmap read as background: strokes touching the
// border stop there instead of reading past the buffer.
uint8_t pixelAt(const uint8_t* bitmap, int x, int y) {
    if (x < 0 || y < 0 || x >= kBitmapWidth || y >= kBitmapHeight) return 0;
    return bitmap[y * kBitmapWidth + x];
}

struct Walker {
    int x, y;
    int dx, dy;
    int homeX, homeY;
    bool walking;
};

// First set neighbour that is not straight back; (0, 0) at a dead end.
void turn(Walker& w, const uint8_t* bitmap) {
    for (const Direction& d : kTurnOrder) {
        if (d.dx == -w.dx && d.dy == -w.dy) continue;
        if (pixelAt(bitmap, w.x + d.dx, w.y + d.dy) != 0) {
            w.dx = d.dx;
            w.dy = d.dy;
            return;
        }
    }
    w.dx = 0;
    w.dy = 0;
}

void move(Walker& w, int homeStep) {
    if (w.walking) {
        w.x += w.dx;
        w.y += w.dy;
        if (w.x == w.homeX && w.y == w.homeY && (w.dx != 0 || w.dy != 0)) {
            w.walking = false;
            w.homeX += homeStep;
        }
        return;
    }
    w.y = w.homeY;
    if (w.x == w.homeX)
        w.walking = true;
    else
        w.x += 1;
}

// Number of steps: every whole i >= 0 with i < totalSteps * elapsed / duration.
long stepBudget(float elapsed, float duration, int totalSteps) {
    const float product = static_cast<float>(totalSteps) * elapsed / duration;
    if (!(product > 0.0f)) return 0;
    constexpr float kMaxSteps = 1.0e7f;  // bounds a zero or tiny duration; callers use at most a few thousand
    return static_cast<long>(std::ceil(product < kMaxSteps ? product : kMaxSteps));
}

}  // namespace

void traceOutline(float elapsed, float duration, uint8_t* bitmap, int totalSteps, ParticleSystem& system, int startX,
                  int startY, int homeStep) {
    const long steps = stepBudget(elapsed, duration, totalSteps);
    Walker w{startX, startY, 1, 0, startX, startY, true};
    for (long i = 0; i < steps; ++i) {
        if (w.walking && pixelAt(bitmap, w.x, w.y) == 0) w = Walker{startX, startY, 1, 0, startX, startY, true};
        if (pixelAt(bitmap, w.x + w.dx, w.y + w.dy) == 0) turn(w, bitmap);
        move(w, homeStep);
        const uint8_t pixel = pixelAt(bitmap, w.x, w.y);
        if (w.walking && pixel != 0 && pixel != kVisitedMark) {
            system.emitPosition = Vec3{2.0 * w.x - 320.0, 200.0 - 2.0 * w.y, 0.0};
            system.emitAt(system.emitPosition.x, system.emitPosition.y, system.emitPosition.z);
            bitmap[w.y * kBitmapWidth + w.x] = kVisitedMark;
        }
    }
}
