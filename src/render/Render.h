// Animation and rendering helpers beyond the Scene members (evaluateKeyframes
// and render live on Scene): the per-frame relighting of one mesh, public for
// tests and benchmarks.
#pragma once

#include "scene3ds/Scene.h"

// Recomputes a mesh's vertex colours from the scene's lights at the mesh's
// current displacement (position - basePosition; rotation ignored).
void relightMesh(const Scene& scene, SceneObject& mesh);

// True when render relights this mesh each frame: it moves, lighting is on
// and its name carries no "$" (first or second character) or "*" mark.
bool relitEachFrame(const SceneObject& mesh, bool noLights);
