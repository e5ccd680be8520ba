// The viewer's stand-in camera for a file without one: placed to show the
// whole scene in the show's 45-degree view.
#pragma once

#include "scene3ds/Scene.h"

// Box around every finite vertex of every mesh, as stored (frame 0 pose).
// False when no mesh has one.
bool meshBounds(const Scene& scene, Vec3& low, Vec3& high);

// Turns camera into a fixed camera (no keys) looking at the box's centre
// from above and to the side, far enough that every corner of the box lies
// inside a view of the given aspect (width / height) with a margin.
// Returns the distance from the eye to the farthest corner.
double frameBox(const Vec3& low, const Vec3& high, double aspect, SceneObject& camera);

// Last key frame of any mesh track: the length of a camera-less animation.
int meshAnimationLength(const Scene& scene);
