// Scene 5's pieces apart from its frame loop: scene 4's last frame turning
// away. Each draws into the back buffer and presents nothing; the caller has
// posed the Scene.
#pragma once

struct Scene;

constexpr float kCityTransitionSeconds = 4.0f;  // quad drawn while e <= this
void drawCityTransition(float e);
// One whole frame of scene 5 (clears first).
void drawScene5Frame(Scene& scene, float e);
