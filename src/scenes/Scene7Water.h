// Scene 7's pieces apart from its frame loop: the returning title.
#pragma once

struct Scene;

// Seconds before the scene's end when the title starts to come back.
constexpr float kTitleReturnSeconds = 2.0f;

// True while the returning title is drawn: the last 2 s of the scene.
bool returningTitleShown(float e, float duration);

// One whole frame at elapsed time e (clears first, presents nothing); the
// caller has posed the Scene. Leaves depth test on, blending off.
void drawScene7Frame(Scene& scene, float e, float duration);
