// Scene 1's pieces apart from its frame loop, so that a single frame can be
// drawn and read back: trails, backdrop band, spinning backdrop, title. Each
// draws into the back buffer and presents nothing; the caller has posed the
// Scene (frame, rewind, evaluateKeyframes).
#pragma once

struct Scene;

// The title is drawn while elapsed is at most this, seconds.
constexpr float kTitleSeconds = 2.0f;

// Feedback pass in the corner: render, add slot 0 at 0.9, copy the corner
// back into slot 0. Leaves the viewport at the corner.
void drawScene1Feedback(Scene& scene);
// The visible frame over the full window at time e of duration d.
void drawScene1Visible(Scene& scene, float e, float d);
// Both passes: one whole frame of scene 1.
void drawScene1Frame(Scene& scene, float e, float d);
// The closing step: the last visible frame again (a presented back buffer
// holds nothing defined), slot 0 added over it, the corner copied to slot 0.
void captureScene1(Scene& scene, float e, float d);
