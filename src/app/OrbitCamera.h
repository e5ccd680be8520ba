// The scene viewer's own camera: it circles a target point at a distance,
// turned by yaw (about the up axis) and pitch (above the target's level).
#pragma once

#include "scene3ds/Scene.h"

struct OrbitCamera {
    Vec3 target{0.0, 0.0, 0.0};
    double yaw = 0.0;    // degrees; 0 looks along -z
    double pitch = 0.0;  // degrees, -89 to 89; positive looks down on the target
    double distance = 1.0;
};

// The orbit whose eye and target these are.
OrbitCamera orbitFrom(const Vec3& eye, const Vec3& target);
Vec3 orbitEye(const OrbitCamera& orbit);
// Drag of dx, dy pixels: turning, or moving the target across the view (a
// window height of pixels spans the view's height at the target).
void turnOrbit(OrbitCamera& orbit, int dx, int dy);
void panOrbit(OrbitCamera& orbit, int dx, int dy, int windowHeight);
// Wheel notches: positive comes closer.
void zoomOrbit(OrbitCamera& orbit, int notches);
// A camera object the renderer draws from (no keys: never evaluated).
void placeCamera(const OrbitCamera& orbit, SceneObject& camera);
