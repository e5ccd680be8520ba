// One frame of scenes 1, 2, 4 and 5 at a chosen scene time, apart from their
// frame loops so that a single frame can be drawn and read back. Each draws
// into the back buffer and presents nothing; the caller has set the Scene's
// pose (frame, rewind, evaluateKeyframes) before.
#pragma once

#include "scene3ds/Scene.h"

// [SECTION] Scene 1: trails, backdrop band, spinning backdrop, title -------

// The title is drawn while elapsed is at most this, seconds.
constexpr float kTitleSeconds = 2.0f;

// Feedback pass in the 512x512 corner: render, add slot 0 at 0.9, copy the
// corner back into slot 0. Leaves the viewport at the corner.
void drawScene1Feedback(Scene& scene);
// The visible frame over the full window at time e of duration d.
void drawScene1Visible(Scene& scene, float e, float d);
// Both passes: one whole frame of scene 1.
void drawScene1Frame(Scene& scene, float e, float d);
// The closing step: the last visible frame again (a presented back buffer
// holds nothing defined), slot 0 added over it, the corner copied to slot 0.
void captureScene1(Scene& scene, float e, float d);

// [SECTION] Scene 2: the deforming mesh pair --------------------------------

// The transition frame recedes for this long, seconds, to this depth sum.
constexpr float kRecedeSeconds = 6.0f;
constexpr float kRecedeDepth = 700.0f;  // divided by 60, offset by -2

// The first two objects of the meta scene; both null unless they are two
// distinct meshes.
struct MeshPair {
    SceneObject* first = nullptr;
    SceneObject* second = nullptr;
};
MeshPair findMeshPair(Scene& scene);

// A face's first corner w pushed away from the partner's reference point p.
Vec3 spikeCorner(const Vec3& w, const Vec3& p);
// Eye-space depth of the receding transition frame at time e.
float recedeDepth(float e);

// Both meshes, additive, with the spikes; nothing without a pair.
void drawDeformedPair(Scene& scene, const MeshPair& pair);
// One whole frame of scene 2 (clears first).
void drawScene2Frame(Scene& scene, const MeshPair& pair, float e, float d);

// [SECTION] Scene 4: the tile burst -----------------------------------------

constexpr float kBurstSeconds = 3.0f;  // tiles drawn while elapsed <= this
void drawTileBurst(float e);
// One whole frame of scene 4 (clears first).
void drawScene4Frame(Scene& scene, float e);

// [SECTION] Scene 5: the turning transition ----------------------------------

constexpr float kCityTransitionSeconds = 4.0f;  // quad drawn while e <= this
void drawCityTransition(float e);
// One whole frame of scene 5 (clears first).
void drawScene5Frame(Scene& scene, float e);

// [SECTION] Shared --------------------------------------------------------

// One 3 by 2 quad for a captured frame (t = 0 at its lower edge) at the
// modelview's origin, facing +z; scenes 5 and 6 draw their transitions with it.
void drawCaptureQuad();

// A refused scene: black frames for its duration; a capturing scene then
// leaves a black picture in slot 0, its last frame.
void playRefusedScene(float duration, bool captures);
