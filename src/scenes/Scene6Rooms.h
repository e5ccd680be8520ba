// Scene 6's pieces apart from its frame loop: the fly-in and the three
// credit windows.
#pragma once

class ParticleSystem;
struct Scene;

// Seconds of the fly-in at the scene's start.
constexpr float kFlyInSeconds = 1.0f;
constexpr int kCreditWindowCount = 3;
constexpr float kCreditSeconds = 10.0f;  // length of each window
constexpr int kCreditSteps = 3000;       // walker steps per window

// The credit lettering: which window holds a scene time, and the phase that
// makes each window clear the shared pool exactly once.
// Lifetime: one call of playScene6.
struct CreditLettering {
    int phase = 0;  // windows that have begun (and cleared the pool)

    // Index of the window holding t (bounds inclusive), or -1 outside them.
    static int windowAt(float t);
    // Clears pool at the first frame of a window (when the window before it
    // did too) and runs the walker on the window's bitmap. False outside the
    // windows: nothing of the lettering is drawn then.
    bool write(float t, ParticleSystem& pool);
};

// The fly-in at scene time t < 1: the scene rendered into slot 7, shown on a
// quad that comes forward and turns square over the still slot 0.
void drawFlyIn(Scene& scene, float t);

// One whole frame at scene time t (clears first, presents nothing): the
// fly-in or the render, then the credit lettering; the caller has posed the
// Scene. Leaves depth test on, blending off.
void drawScene6Frame(Scene& scene, CreditLettering& credits, float t);
