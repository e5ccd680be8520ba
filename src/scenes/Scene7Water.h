// The water scene's own pieces, and the title quad that scenes 1, 7 and 8 share.
#pragma once

struct Scene;

// Seconds before the scene's end when the title starts to come back.
constexpr float kTitleReturnSeconds = 2.0f;

// True while the returning title is drawn: the last 2 s of the scene.
bool returningTitleShown(float e, float duration);

// The title picture (slot 5) at depth z turned by angle degrees about y,
// added to the frame. Expects blending off; keeps the caller's depth test
// (scenes 7 and 8 leave it on, so nearer geometry hides the title); leaves
// blending off.
void drawTitle(float z, float angle);

// One whole frame at elapsed time e (clears first, presents nothing); the
// caller has posed the Scene. Leaves depth test on, blending off.
void drawScene7Frame(Scene& scene, float e, float duration);
