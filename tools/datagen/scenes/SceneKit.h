// Small helpers the scene builders share: texture paths, lights, camera
// paths and recurring props.
#pragma once

#include <cmath>
#include <string>

#include "art/Geometry.h"
#include "common/MathConstants.h"

// The material name of a texture: its path as the show opens it.
inline std::string tex(const char* name) { return std::string("data/") + name + ".jpg"; }

inline Mesh makeMesh(const std::string& name, const std::string& material) {
    Mesh m;
    m.name = name;
    m.material = material;
    return m;
}

// A light whose reach is `range`: its spotlight target lies that far below.
inline Light makeLight(const std::string& name, const V3& position, const Rgb& colour, double range) {
    return Light{name, position, colour, position + v3(0.0, -range, 0.0)};
}

// 0 before a, 1 after b, smooth in between.
inline double ease(double a, double b, double x) {
    double t = std::fmin(1.0, std::fmax(0.0, (x - a) / (b - a)));
    return t * t * (3.0 - 2.0 * t);
}

// Camera with eye and target paths sampled every `step` frames to past `last`.
template <typename Eye, typename Target>
Camera makeCamera(int last, int step, Eye eye, Target target) {
    Camera c;
    c.positionKeys = sampleTrack(last, step, eye);
    c.targetKeys = sampleTrack(last, step, target);
    return c;
}

// A mesh that stands still but carries two equal position keys, so the show
// relights it every frame (as if it moved).
inline void keepRelit(Mesh& mesh, const V3& at, int last) {
    mesh.positionKeys = {PositionKey{0, at}, PositionKey{last, at}};
}

// Moves a mesh along path(frame) with keys every `step` frames; the mesh's
// vertices must be modelled where path(0) puts it.
template <typename Path>
void moveAlong(Mesh& mesh, int last, int step, Path path) {
    mesh.positionKeys = sampleTrack(last, step, path);
}

// Spins a mesh about its first position key: angle(frame) radians about axis.
template <typename Angle>
void spin(Mesh& mesh, int last, int step, const V3& axis, Angle angle) {
    mesh.rotationKeys = sampleSpin(last, step, axis, angle);
}

// A sky dome that travels with the camera (its keys are the camera's), lit
// white and drawn far behind everything; the scene's camera must be set.
inline void addSkyDome(SceneDesc& s, const char* material, double radius) {
    Mesh dome = makeMesh("$sky", tex(material));
    V3 eye = s.camera.positionKeys.front().value;
    addSurface(
        dome, 32, 10,
        [&](double u, double v) {
            double a = u * 2 * kPi, e = (-0.25 + 1.25 * v) * kPi / 2;
            return eye +
                   v3(radius * std::cos(e) * std::cos(a), radius * std::sin(e), radius * std::cos(e) * std::sin(a));
        },
        2.0, 1.0);
    for (UV& t : dome.uvs) t.v = 1.0f - t.v;  // the picture's top row at the zenith
    dome.positionKeys = s.camera.positionKeys;
    s.meshes.push_back(dome);
}
