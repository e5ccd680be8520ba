// Scene 4: four cars race round an oval under floodlights, each trailing
// exhaust sparks; the camera chases, rises over the stadium and watches
// them pass from the kerb.
#include <vector>

#include "scenes/SceneKit.h"
#include "scenes/SceneTable.h"

namespace {
constexpr int kFactor = 215;
constexpr int kLast = 216;
constexpr int kStep = 3;
constexpr double kStraight = 800.0;  // length of each straight
constexpr double kBend = 350.0;      // bend radius of the centre line
constexpr double kTrackHalf = 70.0;  // half width of the track
const double kLap = 2 * kStraight + 2 * kPi * kBend;

// Point of the centre line at distance s, with the lane offset `lane` to
// the left, and the unit direction of travel.
void oval(double s, double lane, V3& at, V3& dir) {
    s = std::fmod(std::fmod(s, kLap) + kLap, kLap);
    double h = kStraight / 2;
    double r = kBend + lane;
    if (s < kStraight) {
        at = v3(-h + s, 0, r);
        dir = v3(1, 0, 0);
    } else if (s < kStraight + kPi * kBend) {
        double a = (s - kStraight) / kBend;
        at = v3(h + r * std::sin(a), 0, r * std::cos(a));
        dir = v3(std::cos(a), 0, -std::sin(a));
    } else if (s < 2 * kStraight + kPi * kBend) {
        double d = s - kStraight - kPi * kBend;
        at = v3(h - d, 0, -r);
        dir = v3(-1, 0, 0);
    } else {
        double a = (s - 2 * kStraight - kPi * kBend) / kBend;
        at = v3(-h - r * std::sin(a), 0, -r * std::cos(a));
        dir = v3(-std::cos(a), 0, std::sin(a));
    }
}

struct Racer {
    const char* name;
    const char* paint;
    double start, speed, lane, weave;
    double distance(double f) const { return start + speed * f + 25 * std::sin(f / 40.0 + weave); }
    double laneAt(double f) const { return lane + 15 * std::sin(f / 25.0 + weave); }
    V3 place(double f) const {
        V3 at, dir;
        oval(distance(f), laneAt(f), at, dir);
        return at + v3(0, 12, 0);
    }
    // Heading as a turn about the vertical axis: x' = x cos a + z sin a.
    double heading(double f) const {
        V3 at, dir;
        oval(distance(f), laneAt(f), at, dir);
        return std::atan2(-dir.z, dir.x);
    }
};

const Racer kRacers[] = {
    // Alternate lanes and 150 units apart, so that nobody drives through anybody.
    {"carRed", "carred", 450, 24.0, -35, 0.0},
    {"carBlue", "carblue", 300, 24.1, 35, 1.7},
    {"carYellow", "caryellow", 150, 24.2, -35, 3.1},
    {"carGreen", "cargreen", 0, 24.3, 35, 4.4},
};

// Unwrapped heading in radians at each key frame.
std::vector<double> headings(const Racer& r) {
    std::vector<double> out;
    double previous = 0.0;
    for (int f = 0;; f += kStep) {
        double a = r.heading(f);
        if (!out.empty()) {
            while (a - previous > kPi) a -= 2 * kPi;
            while (a - previous < -kPi) a += 2 * kPi;
        }
        out.push_back(a);
        previous = a;
        if (f >= kLast) break;
    }
    return out;
}

void addCar(SceneDesc& s, const Racer& r) {
    Mesh car = makeMesh(r.name, tex(r.paint));
    std::vector<double> turn = headings(r);
    double a = turn[0];
    V3 at = r.place(0);
    // Built along +x, then turned to the first heading about its place.
    Mesh local;
    addBox(local, v3(0, 0, 0), v3(32, 7, 15), 40.0);
    addBox(local, v3(-4, 11, 0), v3(14, 5, 12), 30.0);
    addBox(local, v3(-30, 14, 0), v3(4, 2, 16), 20.0);
    for (double x : {-20.0, 20.0})
        for (double z : {-16.0, 16.0}) addBox(local, v3(x, -6, z), v3(7, 6, 3), 14.0);
    for (size_t i = 0; i < local.vertices.size(); ++i) {
        const V3& p = local.vertices[i];
        V3 q{p.x * std::cos(a) + p.z * std::sin(a), p.y, -p.x * std::sin(a) + p.z * std::cos(a)};
        car.addVertex(at + q, local.uvs[i].u, local.uvs[i].v);
    }
    car.faces = local.faces;
    moveAlong(car, kLast, kStep, [&r](double f) { return r.place(f); });
    car.rotationKeys =
        sampleSpin(kLast, kStep, v3(0, -1, 0), [&](double f) { return turn[static_cast<size_t>(f) / kStep]; });
    s.meshes.push_back(car);

    // Exhaust: type 2 sparks that shrink where they were dropped.
    auto tail = [&r](double f) {
        V3 at, dir;
        oval(r.distance(f), r.laneAt(f), at, dir);
        return at - dir * 36.0 + v3(0, 8, 0);
    };
    Mesh exhaust = makeMesh(std::string("*21") + r.name + "Exhaust", tex("spark"));
    addMarker(exhaust, tail(0), 1.5);
    moveAlong(exhaust, kLast, kStep, tail);
    s.meshes.push_back(exhaust);
}

// The field and the oval track laid on it.
void addCircuit(SceneDesc& s) {
    Mesh field = makeMesh("field", tex("grass"));
    addGround(field, -1600, -1000, 1600, 1000, -1.0, 32, 20, 160.0);
    s.meshes.push_back(field);
    Mesh track = makeMesh("track", tex("track"));
    addSurface(
        track, 160, 2,
        [](double u, double v) {
            V3 at, dir;
            oval(u * kLap, (v - 0.5) * 2 * kTrackHalf, at, dir);
            return at;
        },
        kLap / 140.0, 1.0);
    s.meshes.push_back(track);
}

// The grandstand and its crowd behind the straight.
void addStands(SceneDesc& s) {
    Mesh stand = makeMesh("grandstand", tex("metal"));
    for (int i = 0; i < 6; ++i) addBox(stand, v3(0, 12 + i * 24, -560 - i * 30), v3(500, 12 + i * 12, 15), 60.0);
    addBox(stand, v3(0, 200, -760), v3(520, 8, 90), 80.0);
    s.meshes.push_back(stand);
    Mesh crowd = makeMesh("crowd", tex("window2"));
    for (int i = 0; i < 6; ++i) addBox(crowd, v3(0, 30 + i * 24 + i * 12, -555 - i * 30), v3(480, 6, 4), 50.0);
    s.meshes.push_back(crowd);
}

// Floodlights at the four corners, and the start and finish lights.
void addFloodlights(SceneDesc& s) {
    Mesh poles = makeMesh("poles", tex("metal"));
    Mesh heads = makeMesh("%$floodlights", tex("lamp"));
    const V3 corners[] = {v3(-900, 0, 650), v3(900, 0, 650), v3(-900, 0, -650), v3(900, 0, -650)};
    for (const V3& c : corners) {
        addCylinder(poles, c, 8.0, 420.0, 8, 1.0);
        addBox(heads, c + v3(0, 430, 0), v3(30, 14, 30), 30.0);
        s.lights.push_back(
            makeLight("flood" + std::to_string(s.lights.size() + 1), c + v3(0, 420, 0), rgb(0.95, 0.92, 0.85), 1300));
    }
    s.meshes.push_back(poles);
    s.meshes.push_back(heads);
    s.lights.push_back(makeLight("start", v3(-300, 120, 350), rgb(1.0, 0.4, 0.2), 420));
    s.lights.push_back(makeLight("finish", v3(300, 120, -350), rgb(0.3, 0.5, 1.0), 420));
}

// Chasing the leading car, rising over the circuit, then down at the kerb.
void addCamera(SceneDesc& s) {
    const Racer& lead = kRacers[0];
    s.camera = makeCamera(
        kLast, kStep,
        [&lead](double f) {
            V3 at, dir;
            oval(lead.distance(f) - 160, lead.laneAt(f), at, dir);
            V3 chase = at + v3(0, 55, 0);
            double a = f / kLast * 2 * kPi;
            V3 high = v3(1300 * std::cos(a * 0.6 + 1.0), 750, 1100 * std::sin(a * 0.6 + 1.0));
            V3 kerb = v3(-kStraight / 2 + 250, 90, kBend + kTrackHalf + 160);
            double w1 = ease(60, 100, f) - ease(130, 165, f);
            double w2 = ease(140, 175, f);
            return lerp(lerp(chase, high, w1), kerb, w2);
        },
        [&lead](double f) {
            V3 at, dir;
            oval(lead.distance(f) + 120, lead.laneAt(f), at, dir);
            V3 ahead = at + v3(0, 20, 0);
            V3 centre = v3(0, 0, 0);
            V3 lead3 = lead.place(f);
            double w1 = ease(60, 100, f) - ease(130, 165, f);
            double w2 = ease(140, 175, f);
            return lerp(lerp(ahead, centre, w1), lead3, w2);
        });
}

}  // namespace

SceneDesc makeScene4Race() {
    SceneDesc s;
    s.file = "race.3ds";
    s.frameFactor = kFactor;

    addCircuit(s);
    addStands(s);
    addFloodlights(s);
    for (const Racer& r : kRacers) addCar(s, r);
    addCamera(s);
    addSkyDome(s, "nightsky", 3000.0);
    return s;
}
