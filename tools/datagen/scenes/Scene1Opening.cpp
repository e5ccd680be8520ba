// Scene 1: a golden figure on a marble plinth, circled by glowing rings that
// turn about different axes and leave trails in the show's feedback.
#include "scenes/SceneKit.h"
#include "scenes/SceneTable.h"

namespace {
constexpr int kFactor = 699;  // frames the show plays
constexpr int kLast = 700;    // last camera key, past the factor
constexpr int kStep = 10;     // frames between keys
const V3 kCentre{0.0, 170.0, 0.0};

void addRing(SceneDesc& s, const char* name, const char* material, double radius, const V3& a, const V3& b,
             const V3& axis, double turns, double bob) {
    Mesh ring = makeMesh(name, tex(material));
    addTorus(ring, kCentre, normalize(a), normalize(b), radius, 4.0, 96, 8, 12.0);
    moveAlong(ring, kLast, kStep, [&](double f) { return kCentre + v3(0, bob * std::sin(f / kLast * 4 * kPi), 0); });
    spin(ring, kLast, kStep, axis, [&](double f) { return turns * 2 * kPi * f / kLast; });
    s.meshes.push_back(ring);
}
// Columns around the plinth, metal cubes orbiting between them and a
// glowing orb circling the figure.
void addSurroundings(SceneDesc& s) {
    Mesh columns = makeMesh("columns", tex("marble"));
    for (int i = 0; i < 8; ++i) {
        double a = i * kPi / 4.0;
        addCylinder(columns, v3(420 * std::cos(a), 0, 420 * std::sin(a)), 24.0, 320.0, 16, 2.0);
        addBox(columns, v3(420 * std::cos(a), 330, 420 * std::sin(a)), v3(34, 10, 34), 40.0);
    }
    s.meshes.push_back(columns);
    for (int i = 0; i < 4; ++i) {
        double phase = i * kPi / 2.0;
        auto path = [phase](double f) {
            double a = phase + f / kLast * 2 * kPi;
            return v3(280 * std::cos(a), 120 + 40 * std::sin(a * 3.0), 280 * std::sin(a));
        };
        Mesh cube = makeMesh("cube" + std::to_string(i + 1), tex("metal"));
        addBox(cube, path(0), v3(16, 16, 16), 32.0);
        moveAlong(cube, kLast, kStep, path);
        spin(cube, kLast, kStep, v3(0.6, 1, 0.2), [i](double f) { return (2.0 + i) * 2 * kPi * f / kLast; });
        s.meshes.push_back(cube);
    }
    Mesh orb = makeMesh("%$orb", tex("bluelamp"));
    auto orbPath = [](double f) {
        double a = f / kLast * 6 * kPi;
        return kCentre + v3(210 * std::cos(a), 70 * std::sin(a * 0.5), 210 * std::sin(a));
    };
    addSphere(orb, orbPath(0), 10.0, 12, 8);
    moveAlong(orb, kLast, kStep, orbPath);
    s.meshes.push_back(orb);
}

// The figure on its plinth: a turned silhouette, head bowed on broad
// shoulders.
void addFigure(SceneDesc& s) {
    Mesh plinth = makeMesh("plinth", tex("marble"));
    addBox(plinth, v3(0, 15, 0), v3(90, 15, 90), 90.0);
    addBox(plinth, v3(0, 50, 0), v3(60, 20, 60), 60.0);
    s.meshes.push_back(plinth);

    Mesh figure = makeMesh("figure", tex("gold"));
    addLathe(figure, v3(0, 70, 0),
             {{0, 0},
              {38, 0},
              {34, 20},
              {24, 45},
              {22, 75},
              {36, 100},
              {40, 118},
              {30, 130},
              {13, 138},
              {14, 146},
              {26, 156},
              {30, 172},
              {26, 190},
              {14, 200},
              {0, 204}},
             32, 3.0, 2.0);
    s.meshes.push_back(figure);
    Mesh ears = makeMesh("ears", tex("gold"));
    addBox(ears, v3(-40, 245, 0), v3(18, 4, 6), 30.0);
    addBox(ears, v3(40, 245, 0), v3(18, 4, 6), 30.0);
    s.meshes.push_back(ears);
}

// The camera circles in towards the figure.
void addLightsAndCamera(SceneDesc& s) {
    // Dim lights: the show's feedback adds nine tenths of the last frame to
    // every frame, so what stays still on screen brightens up to ten times.
    s.lights = {
        makeLight("warm", v3(250, 320, 250), rgb(0.16, 0.11, 0.06), 700),
        makeLight("cold", v3(-300, 260, -150), rgb(0.05, 0.08, 0.16), 650),
        makeLight("rose", v3(100, 80, -350), rgb(0.12, 0.04, 0.08), 550),
        makeLight("fill", v3(0, 700, 0), rgb(0.04, 0.04, 0.05), 1400),
    };
    s.camera = makeCamera(
        kLast, kStep,
        [](double f) {
            double a = 0.3 + f / kLast * 1.3 * kPi;
            double r = 560 - 120 * f / kLast;
            return v3(r * std::cos(a), 250 + 80 * std::sin(f / kLast * kPi), r * std::sin(a));
        },
        [](double f) { return v3(0, 150 + 20 * f / kLast, 0); });
}

}  // namespace

SceneDesc makeScene1Opening() {
    SceneDesc s;
    s.file = "yoda.3ds";
    s.frameFactor = kFactor;

    Mesh floor = makeMesh("floor", tex("stone"));
    addGround(floor, -900, -900, 900, 900, 0.0, 24, 24, 150.0);
    s.meshes.push_back(floor);

    addFigure(s);
    addRing(s, "%$ring1", "ring", 115.0, v3(1, 0.25, 0), v3(0, 0, 1), v3(0, 1, 0), 1.5, 12.0);
    addRing(s, "%$ring2", "ring2", 150.0, v3(1, 0, 0), v3(0, 1, 0.3), v3(1, 0, 0), -1.0, 18.0);
    addRing(s, "%$ring3", "ring", 185.0, v3(0, 1, 0), v3(0.3, 0, 1), v3(0, 0, 1), 0.75, 10.0);

    addSurroundings(s);
    addLightsAndCamera(s);
    return s;
}
