// Scene 4's pieces apart from its frame loop: the tile burst of scene 3's
// last frame. Each draws into the back buffer and presents nothing; the
// caller has posed the Scene.
#pragma once

struct Scene;

constexpr float kBurstSeconds = 3.0f;  // tiles drawn while elapsed <= this
void drawTileBurst(float e);
// One whole frame of scene 4 (clears first).
void drawScene4Frame(Scene& scene, float e);
