// Scene 2: two lumpy bodies drift together, bristle with spikes where they
// meet, and part again. The show draws only the first two meshes, each
// turned about the place its vertex origin moves to, so both are modelled
// around the origin and their first key sits there too.
#include "art/Noise.h"
#include "scenes/SceneKit.h"
#include "scenes/SceneTable.h"

namespace {
constexpr int kFactor = 199;
constexpr int kLast = 200;
constexpr int kStep = 5;
constexpr double kRadius = 70.0;

Mesh blob(const char* name, uint32_t seed) {
    Mesh m = makeMesh(name, tex("plasma"));
    addSurface(
        m, 48, 28,
        [seed](double u, double v) {
            double t = u * 2 * kPi, p = (v - 0.5) * kPi;
            V3 d{std::cos(p) * std::cos(t), std::sin(p), std::cos(p) * std::sin(t)};
            double n = fractalNoise(d.x * 2 + 3, d.y * 2 + d.z * 1.7 + 3, 3, 0, seed);
            return d * (kRadius * (0.8 + 0.45 * n));
        },
        3.0, 2.0);
    return m;
}

// The keys: the first at the origin (the vertex space), the body's real path
// from frame 1 on, hidden under the previous scene's picture at first.
void fly(Mesh& m, double side) {
    m.positionKeys.push_back(PositionKey{0, V3{}});
    for (int f = 1; f <= kLast; f += (f == 1 ? kStep - 1 : kStep)) {
        double t = static_cast<double>(f) / kLast;
        double closeness = std::sin(t * kPi);  // 0 apart, 1 closest at mid-scene
        double x = side * (330 - 280 * closeness);
        double y = side * (60 * std::cos(t * kPi)) - 95;  // meet below the receding picture
        double z = -40 * closeness + side * 30 * std::sin(t * 2 * kPi);
        m.positionKeys.push_back(PositionKey{f, v3(x, y, z)});
    }
}
}  // namespace

SceneDesc makeScene2MeshPair() {
    SceneDesc s;
    s.file = "meta.3ds";
    s.frameFactor = kFactor;
    Mesh a = blob("bodyA", 301);
    Mesh b = blob("bodyB", 302);
    fly(a, -1.0);
    fly(b, 1.0);
    spin(a, kLast, kStep, v3(0, 1, 0), [](double f) { return f / kLast * 2 * kPi; });
    spin(b, kLast, kStep, v3(1, 0, 0), [](double f) { return -f / kLast * 2 * kPi; });
    s.meshes = {a, b};
    s.lights = {makeLight("glow", v3(0, 300, 300), rgb(1, 1, 1), 900)};
    s.camera = makeCamera(
        kLast, kStep,
        [](double f) {
            double a = -0.25 + 0.5 * f / kLast;
            return v3(520 * std::sin(a), 90 - 40 * f / kLast, 520 * std::cos(a));
        },
        [](double) { return v3(0, -20, 0); });
    return s;
}
