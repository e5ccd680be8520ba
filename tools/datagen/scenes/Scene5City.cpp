// Scene 5: a night city flown over: lit towers on a street grid, amber
// street lamps, car lights streaking down the avenues, a beacon tower and
// two aircraft crossing.
#include <algorithm>

#include "art/Random.h"
#include "scenes/SceneKit.h"
#include "scenes/SceneTable.h"

namespace {
constexpr int kFactor = 1485;
constexpr int kLast = 1490;
constexpr int kStep = 10;
constexpr int kBlocks = 9;         // blocks per side
constexpr double kPitch = 400.0;   // block plus street
constexpr double kStreet = 100.0;  // street width
const double kHalfCity = kBlocks * kPitch / 2;

// Centre line of street i (0..kBlocks) along either axis.
double streetAt(int i) { return -kHalfCity + i * kPitch; }

void addBuildings(SceneDesc& s) {
    Random rnd(505);
    for (int bx = 0; bx < kBlocks; ++bx) {
        Mesh row = makeMesh("B$row" + std::to_string(bx + 1), tex(bx % 2 ? "window" : "window2"));
        for (int bz = 0; bz < kBlocks; ++bz) {
            double x0 = streetAt(bx) + kStreet / 2, z0 = streetAt(bz) + kStreet / 2;
            double span = kPitch - kStreet;
            bool plaza = (bx == 4 && bz == 4);
            int parts = plaza ? 0 : 1 + rnd.below(3);
            for (int p = 0; p < parts; ++p) {
                double w = span / parts;
                // Towers downtown, lower blocks where the camera flies.
                double h = 100 + rnd.unit() * rnd.unit() * 480;
                if (bx >= 3 && bx <= 5 && bz >= 3 && bz <= 5) h += 300;
                V3 c = v3(x0 + w * (p + 0.5), h / 2, z0 + span / 2);
                addBox(row, c, v3(w / 2 - 12, h / 2, span / 2 - 15 - rnd.unit() * 40), 90.0);
            }
        }
        s.meshes.push_back(row);
    }
}

// The beacon tower on the central plaza, its ring turning.
void addTower(SceneDesc& s, const V3& plaza) {
    Mesh tower = makeMesh("tower", tex("metal"));
    addLathe(tower, plaza, {{0, 0}, {90, 0}, {70, 200}, {40, 700}, {25, 1000}, {6, 1180}, {0, 1200}}, 16, 3.0, 6.0);
    s.meshes.push_back(tower);
    Mesh beacon = makeMesh("%$beacon", tex("ring2"));
    addTorus(beacon, plaza + v3(0, 900, 0), v3(1, 0, 0), v3(0, 0, 1), 90.0, 8.0, 48, 8, 6.0);
    keepRelit(beacon, plaza + v3(0, 900, 0), kLast);
    spin(beacon, kLast, kStep, v3(0, 1, 0), [](double f) { return f / kLast * 8 * kPi; });
    s.meshes.push_back(beacon);
}

// Street lamps at some crossings: a light each and a glowing point.
void addStreetLamps(SceneDesc& s) {
    for (int i = 1; i < kBlocks; i += 3) {
        for (int j = 1; j < kBlocks; j += 3) {
            V3 at = v3(streetAt(i), 60, streetAt(j));
            std::string n = std::to_string(i) + std::to_string(j);
            s.lights.push_back(makeLight("lamp" + n, at, rgb(1.0, 0.7, 0.35), 330));
            Mesh lamp = makeMesh("*00lamp" + n, tex("flare"));
            addMarker(lamp, at, 2.0);
            s.meshes.push_back(lamp);
        }
    }
}

// Car lights: type 2 points streaking round loops of streets.
void addCarLights(SceneDesc& s) {
    Random rnd(506);
    for (int k = 0; k < 12; ++k) {
        int i0 = rnd.below(kBlocks - 2), j0 = rnd.below(kBlocks - 2);
        int i1 = std::min(kBlocks, i0 + 2 + rnd.below(kBlocks - i0 - 1));
        int j1 = std::min(kBlocks, j0 + 2 + rnd.below(kBlocks - j0 - 1));
        double lane = (k % 2 ? 18.0 : -18.0);
        double x0 = streetAt(i0) + lane, x1 = streetAt(i1) - lane, z0 = streetAt(j0) + lane, z1 = streetAt(j1) - lane;
        double w = x1 - x0, d = z1 - z0, around = 2 * (w + d);
        double speed = (k % 2 ? 1 : -1) * rnd.range(3.0, 6.0), offset = rnd.range(0, around);
        auto path = [=](double f) {
            double s = std::fmod(std::fmod(offset + speed * f, around) + around, around);
            if (s < w) return v3(x0 + s, 8, z0);
            if (s < w + d) return v3(x1, 8, z0 + (s - w));
            if (s < 2 * w + d) return v3(x1 - (s - w - d), 8, z1);
            return v3(x0, 8, z1 - (s - 2 * w - d));
        };
        Mesh car = makeMesh("*21car" + std::to_string(k + 1), tex(k % 3 ? "flare" : "spark"));
        addMarker(car, path(0), 1.0);
        moveAlong(car, kLast, kStep, path);
        s.meshes.push_back(car);
    }
}

// Two aircraft crossing high, each with its light.
void addAircraft(SceneDesc& s) {
    for (int k = 0; k < 2; ++k) {
        double side = k ? 1.0 : -1.0;
        auto path = [=](double f) {
            double t = f / kLast;
            return v3(side * (-2600 + 5200 * t), 1100 + 150 * k, side * 900 - 1200 * t * side);
        };
        Mesh plane = makeMesh("plane" + std::to_string(k + 1), tex("metal"));
        addBox(plane, path(0), v3(40, 6, 8), 20.0);
        addBox(plane, path(0), v3(8, 3, 45), 20.0);
        moveAlong(plane, kLast, kStep, path);
        s.meshes.push_back(plane);
        Mesh light = makeMesh("*01planeLight" + std::to_string(k + 1), tex("spark"));
        addMarker(light, path(0) + v3(0, -10, 0), 1.0);
        moveAlong(light, kLast, kStep, [=](double f) { return path(f) + v3(0, -10, 0); });
        s.meshes.push_back(light);
    }
}

// A wide circle over the city, lowest half way, looking in and down.
V3 cityEye(double f) {
    double t = f / kLast;
    double a = 0.6 + t * 1.6 * kPi;
    double r = 2100 - 900 * std::sin(t * kPi);
    double h = 1000 - 300 * std::sin(t * kPi) * std::sin(t * kPi);
    return v3(r * std::cos(a), h, r * std::sin(a));
}

V3 cityTarget(double f) {
    double t = f / kLast;
    double a = 0.6 + t * 1.6 * kPi + 0.5;
    return v3(500 * std::cos(a), 250 + 150 * std::sin(t * 5), 500 * std::sin(a));
}

// Four sparks flying ahead of the camera, their trails streaming past it:
// the city's particles are small, so they show near the eye.
void addEscorts(SceneDesc& s) {
    for (int k = 0; k < 4; ++k) {
        double sx = (k % 2 ? 1 : -1) * 45, sy = (k < 2 ? 1 : -1) * 30;
        auto path = [=](double f) {
            V3 e = cityEye(f);
            V3 ahead = normalize(cityTarget(f) - e);
            V3 side = normalize(cross(ahead, v3(0, 1, 0)));
            double wobble = 1.0 + 0.3 * std::sin(f / 40.0 + k);
            return e + ahead * 220.0 + side * (sx * wobble) + v3(0, sy * wobble, 0);
        };
        Mesh spark = makeMesh("*01escort" + std::to_string(k + 1), tex(k % 2 ? "flare" : "spark"));
        addMarker(spark, path(0), 0.5);
        moveAlong(spark, kLast, kStep, path);
        s.meshes.push_back(spark);
    }
}
}  // namespace

SceneDesc makeScene5City() {
    SceneDesc s;
    s.file = "city.3ds";
    s.frameFactor = kFactor;
    Mesh ground = makeMesh("streets", tex("road"));
    addGround(ground, -kHalfCity - 600, -kHalfCity - 600, kHalfCity + 600, kHalfCity + 600, 0.0, 44, 44, kStreet);
    s.meshes.push_back(ground);
    addBuildings(s);
    const V3 plaza{streetAt(4) + kPitch / 2, 0, streetAt(4) + kPitch / 2};
    addTower(s, plaza);
    addStreetLamps(s);
    s.lights.push_back(makeLight("moon", v3(-3000, 3000, 1500), rgb(0.25, 0.3, 0.5), 6000));
    s.lights.push_back(makeLight("plaza", plaza + v3(0, 150, 0), rgb(0.4, 0.6, 1.0), 700));
    addCarLights(s);
    addAircraft(s);
    s.camera = makeCamera(kLast, kStep, cityEye, cityTarget);
    addEscorts(s);
    addSkyDome(s, "nightsky", 3200.0);
    return s;
}
