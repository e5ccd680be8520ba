// Scene 2's pieces apart from its frame loop: the deforming mesh pair and
// the receding frame of scene 1. Each draws into the back buffer and presents
// nothing; the caller has posed the Scene.
#pragma once

#include "scene3ds/Scene.h"

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
