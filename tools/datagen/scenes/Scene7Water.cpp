// Scene 7: a lake at dusk with five fountains throwing rising spray, lily
// lanterns bobbing on the water and two boats gliding past; the camera
// skims the surface and circles the great fountain.
#include "scenes/SceneKit.h"
#include "scenes/SceneTable.h"

namespace {
constexpr int kFactor = 1500;
constexpr int kLast = 1500;
constexpr int kStep = 10;
constexpr double kLake = 1800.0;  // half size of the water plane

void addFountain(SceneDesc& s, const V3& at, double scale, int index) {
    std::string n = std::to_string(index);
    Mesh basin = makeMesh("basin" + n, tex("marble"));
    addLathe(basin, at + v3(0, -10, 0),
             {{0, 0}, {110 * scale, 0}, {110 * scale, 30}, {98 * scale, 30}, {98 * scale, 12}, {0, 12}}, 32, 6.0, 1.0);
    addLathe(basin, at,
             {{0, 0},
              {18 * scale, 0},
              {12 * scale, 70 * scale},
              {45 * scale, 80 * scale},
              {40 * scale, 90 * scale},
              {8 * scale, 92 * scale},
              {0, 100 * scale}},
             20, 2.0, 1.0);
    s.meshes.push_back(basin);
    // Three jets from the top, spray rising from the bowl's rim and from the
    // basin: each emitter holds only a few drops, so a fountain has several.
    for (int j = 0; j < 3; ++j) {
        double a = j * 2 * kPi / 3;
        Mesh jet = makeMesh("*11jet" + n + static_cast<char>('a' + j), tex("drop"));
        addMarker(jet, at + v3(6 * scale * std::cos(a), 100 * scale, 6 * scale * std::sin(a)), 1.0);
        s.meshes.push_back(jet);
    }
    for (int j = 0; j < 2; ++j) {
        Mesh spray = makeMesh("*31spray" + n + static_cast<char>('a' + j), tex("drop"));
        addTorus(spray, at + v3(0, 88 * scale, 0), v3(1, 0, 0), v3(0, 0, 1), (30 + 12 * j) * scale, 2.0, 16, 4, 2.0);
        s.meshes.push_back(spray);
    }
    Mesh pool = makeMesh("*31pool" + n, tex("drop"));
    addTorus(pool, at + v3(0, 25, 0), v3(1, 0, 0), v3(0, 0, 1), 95 * scale, 2.0, 24, 4, 2.0);
    s.meshes.push_back(pool);
    s.lights.push_back(makeLight("fountain" + n, at + v3(0, 60, 0), rgb(0.5, 0.75, 1.0), 420 * scale));
}
// Lanterns on lily pads, bobbing and turning.
void addLanterns(SceneDesc& s) {
    for (int i = 0; i < 10; ++i) {
        double a = i * 2 * kPi / 10 + 0.3;
        double r = 330 + 90 * (i % 3);
        V3 at = v3(r * std::cos(a), 4, r * std::sin(a));
        auto path = [=](double f) { return at + v3(20 * std::sin(f / 90.0 + i), 4 * std::sin(f / 20.0 + i), 0); };
        Mesh pad = makeMesh("pad" + std::to_string(i + 1), tex("grass"));
        addLathe(pad, at, {{0, 0}, {26, 0}, {24, 3}, {0, 3}}, 16, 2.0, 1.0);
        moveAlong(pad, kLast, kStep, path);
        spin(pad, kLast, kStep, v3(0, 1, 0), [i](double f) { return f / (200.0 + 30 * i); });
        s.meshes.push_back(pad);
        Mesh lantern = makeMesh("%$lantern" + std::to_string(i + 1), tex(i % 2 ? "lamp" : "bluelamp"));
        addSphere(lantern, at + v3(0, 14, 0), 9.0, 10, 6);
        moveAlong(lantern, kLast, kStep, [=](double f) { return path(f) + v3(0, 14, 0); });
        s.meshes.push_back(lantern);
    }
}

// Two boats crossing the lake.
void addBoats(SceneDesc& s) {
    for (int k = 0; k < 2; ++k) {
        double side = k ? -1.0 : 1.0;
        auto path = [=](double f) {
            double t = f / kLast;
            return v3(side * (-1400 + 2800 * t), 6, side * (900 - 300 * t));
        };
        Mesh boat = makeMesh("boat" + std::to_string(k + 1), tex("wood"));
        V3 at = path(0);
        addBox(boat, at, v3(50, 8, 16), 30.0);
        addBox(boat, at + v3(side * 40, 4, 0), v3(12, 6, 12), 20.0);
        addBox(boat, at + v3(0, 30, 0), v3(2, 28, 2), 20.0);
        moveAlong(boat, kLast, kStep, path);
        spin(boat, kLast, kStep, v3(1, 0, 0), [](double f) { return 0.06 * std::sin(f / 15.0); });
        s.meshes.push_back(boat);
    }
}

// Lamp posts round the shore, each with its light.
void addShoreLamps(SceneDesc& s) {
    Mesh posts = makeMesh("posts", tex("metal"));
    Mesh lamps = makeMesh("%$shorelamps", tex("lamp"));
    for (int i = 0; i < 12; ++i) {
        double a = i * 2 * kPi / 12;
        V3 at = v3(kLake * 0.93 * std::cos(a), 0, kLake * 0.93 * std::sin(a));
        addCylinder(posts, at, 5.0, 160.0, 8, 1.0);
        addSphere(lamps, at + v3(0, 170, 0), 14.0, 10, 6);
        s.lights.push_back(makeLight("shore" + std::to_string(i + 1), at + v3(0, 170, 0), rgb(1.0, 0.7, 0.4), 650));
    }
    s.meshes.push_back(posts);
    s.meshes.push_back(lamps);
}

}  // namespace

SceneDesc makeScene7Water() {
    SceneDesc s;
    s.file = "water.3ds";
    s.frameFactor = kFactor;

    Mesh lake = makeMesh("lake", tex("water"));
    addGround(lake, -kLake, -kLake, kLake, kLake, 0.0, 36, 36, 220.0);
    s.meshes.push_back(lake);
    Mesh shore = makeMesh("shore", tex("grass"));
    addLathe(shore, v3(0, -20, 0), {{kLake * 0.95, 0}, {kLake * 1.1, 140}, {kLake * 1.4, 260}, {kLake * 2.2, 300}}, 48,
             24.0, 2.0);
    s.meshes.push_back(shore);

    addFountain(s, v3(0, 0, 0), 2.0, 1);
    const V3 ring[] = {v3(650, 0, 300), v3(-600, 0, 420), v3(-350, 0, -700), v3(500, 0, -620)};
    for (int i = 0; i < 4; ++i) addFountain(s, ring[i], 1.0, i + 2);

    addLanterns(s);
    addBoats(s);
    addShoreLamps(s);
    s.lights.push_back(makeLight("dusk", v3(1500, 2000, -2500), rgb(0.45, 0.35, 0.55), 5200));

    s.camera = makeCamera(
        kLast, kStep,
        [](double f) {
            double t = f / kLast;
            double a = -0.4 + t * 1.5 * kPi;
            double r = 1200 - 600 * std::sin(t * kPi);
            return v3(r * std::cos(a), 70 + 90 * std::sin(t * 3 * kPi) * std::sin(t * 3 * kPi), r * std::sin(a));
        },
        [](double f) {
            double t = f / kLast;
            double a = -0.4 + t * 1.5 * kPi + 0.9;
            return v3(250 * std::cos(a), 120, 250 * std::sin(a));
        });
    addSkyDome(s, "dusk", 3000.0);
    return s;
}
