// Scene 8: a mine gallery shored with timber, lamps on the beams, carts on
// the rails and smoke rising from the floor; at its end a chamber whose back
// wall is the relief the show ripples from frame 800, faced by the camera.
#include "scenes/SceneKit.h"
#include "scenes/SceneTable.h"

namespace {
constexpr int kFactor = 1299;
constexpr int kLast = 1300;
constexpr int kStep = 10;
constexpr double kFloor = -100.0;
constexpr double kHalfW = 160.0;    // gallery half width
constexpr double kWallTop = 70.0;   // where the vault starts
constexpr double kVault = 60.0;     // vault rise
constexpr double kFar = 1700.0;     // gallery mouth
constexpr double kChamber = 260.0;  // chamber depth in front of the relief

// The relief wall: a dense grid in the plane z = 0 inside the rectangle the
// show ripples (-155 < x < 155, -95 < y < 100), textured to match the map.
Mesh reliefWall(int last) {
    Mesh m = makeMesh("reliefWall", tex("vesk"));
    const int nx = 104, ny = 66;
    for (int j = 0; j < ny; ++j) {
        for (int i = 0; i < nx; ++i) {
            double x = -154.0 + 308.0 * i / (nx - 1), y = -94.0 + 193.0 * j / (ny - 1);
            m.addVertex(v3(x, y, 0.0), (160.0 - x) / 320.0, (99.0 - y) / 200.0);
        }
    }
    for (int j = 0; j + 1 < ny; ++j) {
        for (int i = 0; i + 1 < nx; ++i) {
            int a = j * nx + i;
            m.addFace(a, a + 1, a + nx + 1);
            m.addFace(a, a + nx + 1, a + nx);
        }
    }
    keepRelit(m, v3(0, 0, 0), last);
    return m;
}

void addGallery(SceneDesc& s) {
    Mesh floor = makeMesh("floor", tex("rock"));
    addGround(floor, -240, -10, 240, kFar, kFloor, 8, 30, 120.0);
    s.meshes.push_back(floor);
    Mesh shell = makeMesh("gallery", tex("rock"));
    addSurface(
        shell, 14, 28,
        [](double u, double v) {
            double z = kChamber + (kFar - kChamber) * v;
            double a = u * kPi;
            double x = -kHalfW * std::cos(a);
            double y = (u < 0.2 || u > 0.8) ? kFloor + (kWallTop - kFloor) * std::fmin(u, 1 - u) / 0.2
                                            : kWallTop + kVault * std::sin((std::fmin(u, 1 - u) - 0.2) / 0.3 * kPi / 2);
            return v3(x, y, z);
        },
        5.0, 12.0);
    s.meshes.push_back(shell);
    // The chamber: a taller box of rock round the relief.
    Mesh chamber = makeMesh("chamber", tex("rock"));
    addSurface(
        chamber, 4, 4, [](double u, double v) { return v3(-235, kFloor + v * 300, u * kChamber); }, 2.0, 2.0);
    addSurface(
        chamber, 4, 4, [](double u, double v) { return v3(235, kFloor + v * 300, u * kChamber); }, 2.0, 2.0);
    addSurface(
        chamber, 6, 4, [](double u, double v) { return v3(-235 + 470 * u, 200, v * kChamber); }, 4.0, 2.0);
    addSurface(
        chamber, 6, 4, [](double u, double v) { return v3(-235 + 470 * u, kFloor + v * 300, -8); }, 4.0, 3.0);
    addSurface(
        chamber, 6, 3,
        [](double u, double v) {
            return v3(-235 + 470 * u, kWallTop + kVault + (200 - kWallTop - kVault) * v, kChamber);
        },
        4.0, 1.0);
    s.meshes.push_back(chamber);

    Mesh timber = makeMesh("timber", tex("wood"));
    Mesh rails = makeMesh("rails", tex("metal"));
    Mesh lamps = makeMesh("%$lamps", tex("lamp"));
    for (double z = kChamber + 80; z < kFar; z += 160) {
        for (double x : {-135.0, 135.0}) addBox(timber, v3(x, (kFloor + kWallTop) / 2 + 10, z), v3(9, 90, 9), 40.0);
        addBox(timber, v3(0, kWallTop + 25, z), v3(150, 9, 10), 60.0);
        addSphere(lamps, v3(0, kWallTop + 2, z), 8.0, 10, 6);
        s.lights.push_back(
            makeLight("lamp" + std::to_string(s.lights.size() + 1), v3(0, kWallTop, z), rgb(1.0, 0.72, 0.4), 300));
    }
    // Two tracks either side of the middle, where the camera walks.
    for (double x : {-98.0, -42.0, 42.0, 98.0})
        addBox(rails, v3(x, kFloor + 3, (kFar + 40) / 2), v3(3, 3, (kFar - 40) / 2), 40.0);
    for (double z = 60; z < kFar; z += 40)
        for (double x : {-70.0, 70.0}) addBox(timber, v3(x, kFloor + 1, z), v3(38, 1.5, 6), 30.0);
    s.meshes.push_back(timber);
    s.meshes.push_back(rails);
    s.meshes.push_back(lamps);
}

// Carts rolling on the rails.
void addCarts(SceneDesc& s) {
    for (int k = 0; k < 2; ++k) {
        auto path = [k](double f) {
            double z = k ? 1550 - 0.8 * f : 420 + 0.9 * f;  // the second stops short of the chamber
            return v3(k ? 70 : -70, kFloor + 24, std::fmin(kFar - 60, std::fmax(kChamber + 420, z)));
        };
        Mesh cart = makeMesh("cart" + std::to_string(k + 1), tex("metal"));
        V3 at = path(0);
        addBox(cart, at, v3(34, 18, 50), 40.0);
        addBox(cart, at + v3(0, 20, 0), v3(30, 4, 44), 40.0);
        moveAlong(cart, kLast, kStep, path);
        s.meshes.push_back(cart);
    }
}

// Smoke: type 1 columns from vents, type 3 haze over a patch of floor, and
// type 2 dust.
void addSmoke(SceneDesc& s) {
    const double vents[] = {1500, 1180, 860, 540};
    for (int i = 0; i < 4; ++i) {
        double x = (i % 2 ? 1 : -1) * 122;
        Mesh vent = makeMesh("*11smoke" + std::to_string(i + 1), tex("smoke"));
        addMarker(vent, v3(x, kFloor + 4, vents[i]), 2.0);
        s.meshes.push_back(vent);
    }
    Mesh haze = makeMesh("*31haze", tex("smoke"));
    addGround(haze, -120, kChamber + 20, 120, kChamber + 200, kFloor + 2, 2, 2, 100.0);
    s.meshes.push_back(haze);
    Mesh dust = makeMesh("*21dust", tex("smoke"));
    addMarker(dust, v3(0, kFloor + 10, 1000), 2.0);
    s.meshes.push_back(dust);
}

// The relief's two coloured lights and the chamber light; the camera walks
// down the gallery, then faces the relief.
void addLightsAndCamera(SceneDesc& s) {
    s.lights.push_back(makeLight("reliefA", v3(-110, 60, 150), rgb(1.0, 0.65, 0.35), 330));
    s.lights.push_back(makeLight("reliefB", v3(120, -40, 150), rgb(0.45, 0.7, 1.0), 320));
    s.lights.push_back(makeLight("chamberLight", v3(0, 150, 230), rgb(0.6, 0.55, 0.5), 450));
    s.camera = makeCamera(
        kLast, kStep,
        [](double f) {
            // Down the gallery until frame 760, then facing the relief.
            double walk = ease(0, 780, f);
            double z = 1650 - (1650 - 360) * walk;
            double settle = ease(700, 820, f);
            double drift = settle * 90 * std::sin((f - 800) / 90.0);
            return v3(30 * std::sin(f / 70.0) * (1 - settle) + drift, -20 + 25 * std::sin(f / 110.0), z);
        },
        [](double f) {
            double walk = ease(0, 780, f);
            double z = 1650 - (1650 - 360) * walk - 400;
            double settle = ease(700, 820, f);
            return v3(20 * std::sin(f / 50.0) * (1 - settle), -10, std::fmax(0.0, z));
        });
}

}  // namespace

SceneDesc makeScene8Mine() {
    SceneDesc s;
    s.file = "mine.3ds";
    s.frameFactor = kFactor;
    addGallery(s);
    s.meshes.push_back(reliefWall(kLast));
    addCarts(s);
    addSmoke(s);
    addLightsAndCamera(s);
    return s;
}
