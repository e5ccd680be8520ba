// Scene 3's pieces apart from its frame loop: the name lettering and the
// closing capture with the backdrop.
#pragma once

class ParticleSystem;
struct Scene;

// Walker steps over the whole scene, and the start pixel of the name.
constexpr int kNameSteps = 3000;
constexpr int kNameStartX = 52;  // bitmap pixels
constexpr int kNameStartY = 82;

// Writes the show's name into pool at scene time t of duration; nothing when
// the name bitmap is missing.
void writeNameLettering(float t, float duration, ParticleSystem& pool);

// One whole frame at scene time t (clears first, presents nothing); the
// caller has posed the Scene. Leaves depth test on, blending off.
void drawScene3Frame(Scene& scene, float t, float duration);

// The closing capture with the spinning backdrop over the render, at the
// last frame's time t. Expects the viewport of the window; leaves it so.
void captureEntrance(Scene& scene, float t, float duration);
