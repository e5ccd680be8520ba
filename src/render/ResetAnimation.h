// Puts a loaded Scene's animation back where loading left it, so that a
// player can run the same frames again (the evaluation only moves forward).
#pragma once

#include "scene3ds/Scene.h"

// Meshes: segment indices 0, pose at their first keys, rotationBase the
// first rotation key. Camera: indices 1, eye and target at their first keys
// when the track has two or more (a single key leaves the editor's values,
// as loading does). Frame 0. Lights, colours and emitters are untouched.
void resetAnimation(Scene& scene);
