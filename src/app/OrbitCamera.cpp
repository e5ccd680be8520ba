// Orbit arithmetic. The renderer turns the view by rotation.x about x, then
// rotation.y about y, then moves the eye to the origin; for that view to look
// from the eye at the target, the eye sits at
//   target + distance (-cos p sin y, sin p, cos p cos y).
#include "app/OrbitCamera.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegrees = 180.0 / kPi;
constexpr double kDegreesPerPixel = 0.4;   // turning speed of a drag
constexpr double kMaxPitch = 89.0;         // the view never looks straight down (no yaw there)
constexpr double kZoomPerNotch = 0.85;     // distance factor of one wheel notch
constexpr double kMinDistance = 1e-3;      // scene units
constexpr double kHalfFieldOfView = 22.5;  // degrees, half of the show's 45
constexpr double kMaxDistance = 1e7;       // scene units

Vec3 offsetAlong(const OrbitCamera& o, double length) {
    const double y = o.yaw / kDegrees, p = o.pitch / kDegrees;
    return {-std::cos(p) * std::sin(y) * length, std::sin(p) * length, std::cos(p) * std::cos(y) * length};
}

}  // namespace

OrbitCamera orbitFrom(const Vec3& eye, const Vec3& target) {
    OrbitCamera o;
    o.target = target;
    const Vec3 d{eye.x - target.x, eye.y - target.y, eye.z - target.z};
    const double length = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    if (!(length > kMinDistance) || !std::isfinite(length)) return o;
    o.distance = length;
    o.pitch = std::clamp(std::asin(std::clamp(d.y / length, -1.0, 1.0)) * kDegrees, -kMaxPitch, kMaxPitch);
    o.yaw = std::atan2(-d.x, d.z) * kDegrees;
    return o;
}

Vec3 orbitEye(const OrbitCamera& o) {
    const Vec3 back = offsetAlong(o, o.distance);
    return {o.target.x + back.x, o.target.y + back.y, o.target.z + back.z};
}

void turnOrbit(OrbitCamera& o, int dx, int dy) {
    o.yaw = std::remainder(o.yaw - dx * kDegreesPerPixel, 360.0);
    o.pitch = std::clamp(o.pitch + dy * kDegreesPerPixel, -kMaxPitch, kMaxPitch);
}

void panOrbit(OrbitCamera& o, int dx, int dy, int windowHeight) {
    const double y = o.yaw / kDegrees, p = o.pitch / kDegrees;
    const double perPixel = 2.0 * o.distance * std::tan(kHalfFieldOfView / kDegrees) / std::max(windowHeight, 1);
    const Vec3 right{std::cos(y), 0.0, std::sin(y)};
    const Vec3 up{std::sin(p) * std::sin(y), std::cos(p), -std::sin(p) * std::cos(y)};
    // The model follows the pointer: the target moves the other way.
    const double r = -dx * perPixel, u = dy * perPixel;
    o.target = {o.target.x + right.x * r + up.x * u, o.target.y + right.y * r + up.y * u,
                o.target.z + right.z * r + up.z * u};
}

void zoomOrbit(OrbitCamera& o, int notches) {
    o.distance = std::clamp(o.distance * std::pow(kZoomPerNotch, notches), kMinDistance, kMaxDistance);
}

void placeCamera(const OrbitCamera& o, SceneObject& camera) {
    camera.kind = ObjectKind::Camera;
    camera.cameraTarget = o.target;
    camera.cameraPosition = orbitEye(o);
    camera.rotation = {o.pitch, o.yaw, 0.0};
}
