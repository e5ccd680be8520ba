// Framing a whole scene: the eye sits on a fixed slanted direction from the
// box's centre, at the smallest distance at which all eight corners fit the
// view's height and width, plus a margin.
#include "app/SceneViewerCamera.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kHalfFieldOfView = 22.5 * kPi / 180.0;  // radians, half of the show's 45 degrees
constexpr double kMargin = 1.1;                          // room left around the box, as a factor
constexpr double kNearRoom = 1.0;                        // scene units kept in front of the near plane
constexpr double kAzimuth = 30.0 * kPi / 180.0;          // radians, eye to the right of the front
constexpr double kElevation = 30.0 * kPi / 180.0;        // radians, eye above the centre

Vec3 sub(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec3 scaled(const Vec3& a, double s) { return {a.x * s, a.y * s, a.z * s}; }
Vec3 unit(const Vec3& a) { return scaled(a, 1.0 / std::sqrt(dot(a, a))); }

}  // namespace

bool meshBounds(const Scene& scene, Vec3& low, Vec3& high) {
    bool any = false;
    const SceneObject* object = &scene;
    for (int n = 0; n < scene.objectCount && object != nullptr; ++n, object = object->next) {
        if (object->kind != ObjectKind::Mesh) continue;
        const size_t count = std::min<size_t>(object->vertexCount, object->vertices.size());
        for (size_t i = 0; i < count; ++i) {
            const Vec3& v = object->vertices[i];
            // A vertex at infinity or NaN (a broken file) would spoil the whole box.
            if (!std::isfinite(v.x) || !std::isfinite(v.y) || !std::isfinite(v.z)) continue;
            if (!any) low = high = v;
            any = true;
            low = {std::min(low.x, v.x), std::min(low.y, v.y), std::min(low.z, v.z)};
            high = {std::max(high.x, v.x), std::max(high.y, v.y), std::max(high.z, v.z)};
        }
    }
    return any;
}

double frameBox(const Vec3& low, const Vec3& high, double aspect, SceneObject& camera) {
    const Vec3 centre = scaled(Vec3{low.x + high.x, low.y + high.y, low.z + high.z}, 0.5);
    // From the centre towards the eye; y is up, the front looks along -z.
    const Vec3 back{std::sin(kAzimuth) * std::cos(kElevation), std::sin(kElevation),
                    std::cos(kAzimuth) * std::cos(kElevation)};
    const Vec3 right = unit(cross(Vec3{0.0, 1.0, 0.0}, back));
    const Vec3 up = cross(back, right);
    const double tanHalf = std::tan(kHalfFieldOfView);
    const double tanHalfWide = tanHalf * (aspect > 0.0 ? aspect : 1.0);
    double distance = kNearRoom;
    double deepest = 0.0;  // farthest corner behind the centre, seen from the eye
    for (int corner = 0; corner < 8; ++corner) {
        const Vec3 c{corner & 1 ? high.x : low.x, corner & 2 ? high.y : low.y, corner & 4 ? high.z : low.z};
        const Vec3 offset = sub(c, centre);
        const double depth = dot(offset, back);  // towards the eye
        const double across =
            std::max(std::fabs(dot(offset, right)) / tanHalfWide, std::fabs(dot(offset, up)) / tanHalf);
        distance = std::max(distance, depth + std::max(across * kMargin, kNearRoom));
        deepest = std::max(deepest, -depth);
    }
    camera = SceneObject();
    camera.kind = ObjectKind::Camera;
    camera.cameraTarget = centre;
    camera.cameraPosition = {centre.x + back.x * distance, centre.y + back.y * distance, centre.z + back.z * distance};
    camera.positionKeyIndex = 1;
    camera.rotationKeyIndex = 1;
    return distance + deepest;
}

int meshAnimationLength(const Scene& scene) {
    int length = 0;
    const SceneObject* object = &scene;
    for (int n = 0; n < scene.objectCount && object != nullptr; ++n, object = object->next) {
        if (object->kind != ObjectKind::Mesh) continue;
        const uint32_t positions = std::min<size_t>(object->positionKeyCount, object->positionKeyFrames.size());
        const uint32_t rotations = std::min<size_t>(object->rotationKeyCount, object->rotationKeyFrames.size());
        if (positions > 0) length = std::max<int>(length, object->positionKeyFrames[positions - 1]);
        if (rotations > 0) length = std::max<int>(length, object->rotationKeyFrames[rotations - 1]);
    }
    return length;
}
