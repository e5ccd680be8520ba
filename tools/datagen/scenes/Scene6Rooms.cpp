// Scene 6: five rooms in a row, each in its own materials, lit by torches
// on the walls; the camera walks through their doorways and looks round
// at what moves in each.
#include <algorithm>

#include "scenes/SceneKit.h"
#include "scenes/SceneTable.h"

namespace {
constexpr int kFactor = 1590;
constexpr int kLast = 1590;
constexpr int kStep = 10;
constexpr int kRooms = 5;
constexpr double kDepth = 500.0;  // each room along -z
constexpr double kHalfW = 220.0;  // half width
constexpr double kHeight = 280.0;
constexpr double kDoorHalf = 75.0;
constexpr double kDoorHeight = 210.0;

struct RoomLook {
    const char* floor;
    const char* walls;
    Rgb torch;
};
const RoomLook kLooks[kRooms] = {
    {"wood", "brick", rgb(1.0, 0.6, 0.25)},      {"tiles", "stone", rgb(1.0, 0.75, 0.4)},
    {"marble", "darkbrick", rgb(0.5, 0.7, 1.0)}, {"stone", "wood", rgb(1.0, 0.5, 0.2)},
    {"metal", "metal", rgb(0.7, 0.4, 1.0)},
};

// Wall across the corridor at z, with a doorway in the middle.
void addCrossWall(Mesh& m, double z) {
    double side = (kHalfW - kDoorHalf) / 2;
    addBox(m, v3(-kHalfW + side, kHeight / 2, z), v3(side, kHeight / 2, 12), 100.0);
    addBox(m, v3(kHalfW - side, kHeight / 2, z), v3(side, kHeight / 2, 12), 100.0);
    addBox(m, v3(0, (kHeight + kDoorHeight) / 2, z), v3(kDoorHalf, (kHeight - kDoorHeight) / 2, 12), 100.0);
}

void addRoom(SceneDesc& s, int k) {
    const RoomLook& look = kLooks[k];
    double z0 = -k * kDepth, z1 = z0 - kDepth;
    std::string n = std::to_string(k + 1);
    Mesh floor = makeMesh("floor" + n, tex(look.floor));
    addGround(floor, -kHalfW, z1, kHalfW, z0, 0.0, 8, 10, 110.0);
    s.meshes.push_back(floor);
    Mesh ceiling = makeMesh("ceiling" + n, tex("stone"));
    addGround(ceiling, -kHalfW, z1, kHalfW, z0, kHeight, 6, 8, 160.0);
    s.meshes.push_back(ceiling);
    Mesh walls = makeMesh("walls" + n, tex(look.walls));
    for (double sx : {-1.0, 1.0}) {
        addSurface(
            walls, 10, 6, [=](double u, double v) { return v3(sx * kHalfW, v * kHeight, z0 - u * kDepth); },
            kDepth / 120.0, kHeight / 120.0);
    }
    addCrossWall(walls, z0);
    if (k == kRooms - 1) addBox(walls, v3(0, kHeight / 2, z1), v3(kHalfW, kHeight / 2, 12), 100.0);
    s.meshes.push_back(walls);

    // Two torches a side: a bracket, a flame emitter and its light.
    Mesh brackets = makeMesh("brackets" + n, tex("metal"));
    for (double sx : {-1.0, 1.0}) {
        for (double dz : {0.3, 0.7}) {
            V3 at = v3(sx * (kHalfW - 18), 170, z0 - dz * kDepth);
            addBox(brackets, at + v3(sx * 6, -14, 0), v3(8, 14, 5), 20.0);
            std::string t = n + (sx < 0 ? "L" : "R") + (dz < 0.5 ? "a" : "b");
            Mesh flame = makeMesh("*21torch" + t, tex("flame"));
            addMarker(flame, at + v3(0, 6, 0), 1.5);
            s.meshes.push_back(flame);
            s.lights.push_back(makeLight("torch" + t, at + v3(-sx * 20, 0, 0), look.torch, 380));
        }
    }
    s.meshes.push_back(brackets);
}

// What moves in each room, about its centre.
void addCentrepieces(SceneDesc& s) {
    auto centre = [](int k) { return v3(0, 120, -k * kDepth - kDepth / 2); };
    Mesh knot = makeMesh("knot", tex("gold"));
    addTorus(knot, centre(0), v3(1, 0, 0), v3(0, 1, 0), 42, 8, 48, 10, 6.0);
    addTorus(knot, centre(0), v3(0, 0, 1), v3(0, 1, 0), 42, 8, 48, 10, 6.0);
    keepRelit(knot, centre(0), kLast);
    spin(knot, kLast, kStep, v3(0, 1, 0), [](double f) { return f / kLast * 6 * kPi; });
    s.meshes.push_back(knot);

    // A lamp swinging from the ceiling of room 2.
    V3 hook = v3(0, kHeight, -kDepth * 1.5);
    Mesh pendulum = makeMesh("%$pendulum", tex("lamp"));
    addBox(pendulum, hook + v3(0, -70, 0), v3(1.5, 70, 1.5), 20.0);
    addSphere(pendulum, hook + v3(0, -150, 0), 18.0, 14, 10);
    keepRelit(pendulum, hook, kLast);
    spin(pendulum, kLast, kStep, v3(0, 0, 1), [](double f) { return 0.6 * std::sin(f / 35.0); });
    s.meshes.push_back(pendulum);

    for (int i = 0; i < 6; ++i) {
        auto path = [i, centre](double f) {
            double a = i * kPi / 3 + f / 120.0;
            return centre(2) + v3(70 * std::cos(a), 30 * std::sin(a * 2), 70 * std::sin(a));
        };
        Mesh cube = makeMesh("orbiter" + std::to_string(i + 1), tex(i % 2 ? "marble" : "metal"));
        addBox(cube, path(0), v3(11, 11, 11), 22.0);
        moveAlong(cube, kLast, kStep, path);
        spin(cube, kLast, kStep, v3(1, 1, 0), [i](double f) { return f / (40.0 + i * 7); });
        s.meshes.push_back(cube);
    }

    Mesh statue = makeMesh("statue", tex("marble"));
    addLathe(statue, centre(3) + v3(0, -120, 0),
             {{0, 0}, {40, 0}, {40, 20}, {24, 28}, {17, 80}, {30, 110}, {15, 140}, {20, 158}, {0, 172}}, 24, 2.0, 2.0);
    keepRelit(statue, centre(3), kLast);
    spin(statue, kLast, kStep, v3(0, 1, 0), [](double f) { return f / kLast * 4 * kPi; });
    s.meshes.push_back(statue);

    Mesh portal = makeMesh("%$portal", tex("ring"));
    addTorus(portal, centre(4) + v3(0, 10, 0), v3(1, 0, 0), v3(0, 1, 0), 80, 6, 64, 8, 10.0);
    keepRelit(portal, centre(4) + v3(0, 10, 0), kLast);
    spin(portal, kLast, kStep, v3(0, 0, 1), [](double f) { return f / kLast * 10 * kPi; });
    s.meshes.push_back(portal);
}
}  // namespace

SceneDesc makeScene6Rooms() {
    SceneDesc s;
    s.file = "rooms.3ds";
    s.frameFactor = kFactor;
    for (int k = 0; k < kRooms; ++k) addRoom(s, k);
    addCentrepieces(s);
    // Through each doorway on the axis, round the room's centrepiece on
    // alternate sides while turning to watch it, on to the next doorway.
    auto walk = [](double f, double& local, int& k) {
        double t = std::fmin(f / kLast * (kRooms - 0.45), kRooms - 0.45);
        k = std::min(kRooms - 1, static_cast<int>(t));
        local = t - k;
    };
    auto eye = [walk](double f) {
        double local;
        int k;
        walk(f, local, k);
        double side = (k % 2) ? 1.0 : -1.0;
        double z = 20 - (k + local) * kDepth;
        return v3(side * 165 * std::sin(kPi * local), 150 + 15 * std::sin(f / 60.0), z);
    };
    s.camera = makeCamera(kLast, kStep, eye, [eye, walk](double f) {
        double local;
        int k;
        walk(f, local, k);
        V3 ahead = eye(f) + v3(0, -25, -320);
        V3 piece = v3(0, 120, -k * kDepth - kDepth / 2);
        double w = std::pow(std::sin(kPi * local), 2.0) * 0.6;
        return lerp(ahead, piece, w);
    });
    return s;
}
