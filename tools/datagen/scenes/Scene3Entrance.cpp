// Scene 3: a walled courtyard whose gate swings open as the camera walks up
// the path, passes under the lintel and goes on down a colonnade inside.
#include "scenes/SceneKit.h"
#include "scenes/SceneTable.h"

namespace {
constexpr int kFactor = 799;
constexpr int kLast = 800;
constexpr int kStep = 10;
constexpr double kGateHalf = 140.0;  // half width of the opening
constexpr double kWallHeight = 300.0;

void addWalls(SceneDesc& s) {
    Mesh wall = makeMesh("walls", tex("brick"));
    addBox(wall, v3(-570, kWallHeight / 2, 0), v3(430, kWallHeight / 2, 30), 120.0);
    addBox(wall, v3(570, kWallHeight / 2, 0), v3(430, kWallHeight / 2, 30), 120.0);
    addBox(wall, v3(-1000, kWallHeight / 2, -800), v3(30, kWallHeight / 2, 800), 120.0);
    addBox(wall, v3(1000, kWallHeight / 2, -800), v3(30, kWallHeight / 2, 800), 120.0);
    addBox(wall, v3(0, kWallHeight / 2, -1600), v3(1000, kWallHeight / 2, 30), 120.0);
    s.meshes.push_back(wall);
    Mesh gate = makeMesh("gatehouse", tex("darkbrick"));
    addBox(gate, v3(-200, 210, 0), v3(60, 210, 60), 80.0);
    addBox(gate, v3(200, 210, 0), v3(60, 210, 60), 80.0);
    addBox(gate, v3(0, 320, 0), v3(260, 40, 50), 80.0);
    addBox(gate, v3(0, 435, 0), v3(280, 15, 70), 80.0);
    s.meshes.push_back(gate);
}

// A door leaf hinged at x = hinge, swinging inwards between frames 80 and 420.
void addDoor(SceneDesc& s, const char* name, double hinge, double sign) {
    Mesh door = makeMesh(name, tex("wood"));
    double x0 = hinge, x1 = hinge - sign * kGateHalf;
    addBox(door, v3((x0 + x1) / 2, 140, 0), v3(kGateHalf / 2, 140, 8), 70.0);
    keepRelit(door, v3(hinge, 0, 0), kLast);
    spin(door, kLast, kStep, v3(0, 1, 0), [sign](double f) { return sign * 1.9 * ease(80, 420, f); });
    s.meshes.push_back(door);
}

// Torches on the gate towers, the colonnade, glowing orbs drifting over it.
void addColonnade(SceneDesc& s) {
    Mesh torches = makeMesh("%$torches", tex("lamp"));
    for (double x : {-200.0, 200.0}) addSphere(torches, v3(x, 300, 75), 14.0, 12, 8);
    s.meshes.push_back(torches);
    Mesh columns = makeMesh("colonnade", tex("marble"));
    for (int i = 0; i < 6; ++i) {
        for (double x : {-260.0, 260.0}) {
            double z = -250.0 - i * 220.0;
            addCylinder(columns, v3(x, 0, z), 26.0, 280.0, 16, 2.0);
            addBox(columns, v3(x, 290, z), v3(36, 10, 36), 40.0);
        }
    }
    s.meshes.push_back(columns);
    for (int i = 0; i < 5; ++i) {
        double z = -300.0 - i * 250.0, x = (i % 2 ? 1 : -1) * 150.0;
        auto path = [=](double f) { return v3(x * std::cos(f / 90.0 + i), 190 + 40 * std::sin(f / 60.0 + i), z); };
        Mesh orb = makeMesh("%$orb" + std::to_string(i + 1), tex(i % 2 ? "bluelamp" : "lamp"));
        addSphere(orb, path(0), 12.0, 12, 8);
        moveAlong(orb, kLast, kStep, path);
        s.meshes.push_back(orb);
    }
}

// The statue at the end of the colonnade under its turning halo.
void addStatue(SceneDesc& s) {
    Mesh statue = makeMesh("statue", tex("gold"));
    addBox(statue, v3(0, 30, -1400), v3(70, 30, 70), 60.0);
    addLathe(statue, v3(0, 60, -1400), {{0, 0}, {40, 0}, {26, 60}, {34, 120}, {18, 170}, {30, 210}, {0, 240}}, 24, 3.0,
             2.0);
    s.meshes.push_back(statue);
    Mesh halo = makeMesh("%$halo", tex("ring2"));
    addTorus(halo, v3(0, 330, -1400), v3(1, 0, 0), v3(0, 1, 0), 70.0, 5.0, 64, 8, 8.0);
    keepRelit(halo, v3(0, 330, -1400), kLast);
    spin(halo, kLast, kStep, v3(0, 1, 0), [](double f) { return f / kLast * 3 * kPi; });
    s.meshes.push_back(halo);
}

// Torch light at the gate, moonlight, and two lights down the hall.
void addLights(SceneDesc& s) {
    s.lights = {
        makeLight("torchL", v3(-200, 300, 110), rgb(1.0, 0.6, 0.25), 520),
        makeLight("torchR", v3(200, 300, 110), rgb(1.0, 0.6, 0.25), 520),
        makeLight("moon", v3(-600, 1200, 1200), rgb(0.35, 0.4, 0.6), 3200),
        makeLight("hallA", v3(0, 250, -500), rgb(0.5, 0.6, 1.0), 560),
        makeLight("hallB", v3(0, 250, -1150), rgb(1.0, 0.8, 0.5), 620),
    };
}

// Up the path, under the lintel, and down the colonnade.
void addCamera(SceneDesc& s) {
    s.camera = makeCamera(
        kLast, kStep,
        [](double f) {
            double t = f / kLast;
            double z = 1300 - 2400 * (t * 0.85 + 0.15 * t * t);
            return v3(120 * std::sin(t * 3.0) * (1 - t), 150 + 60 * std::cos(t * 4.0), z);
        },
        [](double f) {
            double t = f / kLast;
            double z = 1300 - 2400 * (t * 0.85 + 0.15 * t * t) - 500;
            return v3(60 * std::sin(t * 5.0), 170 + 40 * std::sin(t * 2.0), z);
        });
}

}  // namespace

SceneDesc makeScene3Entrance() {
    SceneDesc s;
    s.file = "entree.3ds";
    s.frameFactor = kFactor;

    Mesh ground = makeMesh("ground", tex("grass"));
    addGround(ground, -1500, -1700, 1500, 1500, 0.0, 30, 32, 200.0);
    s.meshes.push_back(ground);
    Mesh path = makeMesh("path", tex("stone"));
    addGround(path, -110, -1550, 110, 1400, 1.0, 2, 40, 110.0);
    s.meshes.push_back(path);
    addWalls(s);
    addDoor(s, "doorL", -kGateHalf, -1.0);
    addDoor(s, "doorR", kGateHalf, 1.0);
    addColonnade(s);
    addStatue(s);
    addLights(s);
    addCamera(s);
    return s;
}
