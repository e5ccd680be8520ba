// Keyframe evaluation: brings the camera and every mesh to the scene's
// current frame. Incremental by design: segment indices only move forward,
// a frame past a segment's end extrapolates along it, the camera catches up
// one key per call and meshes as many as needed.
#include <algorithm>
#include <cmath>

#include "render/Render.h"

namespace {

constexpr double kHalfTurn = 180.0;  // degrees
constexpr double kShowPi = 3.1415;   // the show's own pi: a right angle comes out as 90.0027 degrees

// a + (f - fa) * (b - a) / (fb - fa), frame difference in integers. A
// zero-length segment (a repeated frame number) takes the later key
// instead of dividing by zero.
Vec3 lerpKeys(const Vec3& a, const Vec3& b, double f, int fa, int fb, const Vec3& later) {
    const int span = fb - fa;
    if (span == 0) return later;
    const double u = f - fa;
    return Vec3{a.x + u * (b.x - a.x) / span, a.y + u * (b.y - a.y) / span, a.z + u * (b.z - a.z) / span};
}

double clampUnit(double v) { return std::max(-1.0, std::min(1.0, v)); }

// Step 1: the frame stays below frameCount.
void clampFrame(Scene& scene) {
    if (std::trunc(scene.frame) >= scene.frameCount) scene.frame = scene.frameCount - 1;
}

// One camera track (eye or target): the value on segment i-1..i, then the
// index advances by at most one key. Returns the value before the snap to
// the last key, which the view angles use.
Vec3 cameraTrack(const std::vector<uint16_t>& frames, const std::vector<Vec3>& keys, uint32_t keyCount, int32_t& index,
                 double f, Vec3& result) {
    const int n = static_cast<int>(std::min<size_t>(keyCount, std::min(frames.size(), keys.size())));
    // A track of fewer than two keys has no segment: it holds its key.
    if (n < 2) {
        if (n == 1) result = keys[0];
        return result;
    }
    index = std::max(1, std::min(index, n - 1));
    while (index < n - 1 && frames[index - 1] == frames[index]) index += 1;
    const int i = index;
    // Written as P[i] + (f - F[i]) (P[i-1] - P[i]) / (F[i-1] - F[i]).
    result = lerpKeys(keys[i], keys[i - 1], f, frames[i], frames[i - 1], keys[i]);
    const Vec3 value = result;
    if (frames[i] <= f) {
        if (i < n - 1)
            index += 1;
        else
            result = keys[n - 1];
    }
    return value;
}

// Degrees about x and y that turn the eye towards the target. An eye on its
// target keeps the previous angles; a vertical line of sight keeps the
// previous yaw (no 0/0 reaches GL).
void viewAngles(const Vec3& eye, const Vec3& target, Vec3& rotation) {
    Vec3 d{eye.x - target.x, eye.y - target.y, eye.z - target.z};
    const double len = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
    if (len == 0.0 || !std::isfinite(len)) return;
    d.x /= len;
    d.y /= len;
    d.z /= len;
    const double h = std::sqrt(d.x * d.x + d.z * d.z);
    if (h != 0.0) {
        const double yaw = std::acos(clampUnit(d.z / h)) * kHalfTurn / kShowPi;
        rotation.y = d.x < 0 ? yaw : -yaw;
    }
    const double pitch = std::acos(clampUnit(h)) * kHalfTurn / kShowPi;
    rotation.x = d.y >= 0 ? pitch : -pitch;
}

void evaluateCamera(SceneObject& cam, double f) {
    const Vec3 eye = cameraTrack(cam.positionKeyFrames, cam.positionKeys, cam.positionKeyCount, cam.positionKeyIndex, f,
                                 cam.cameraPosition);
    const Vec3 target = cameraTrack(cam.rotationKeyFrames, cam.rotationKeys, cam.rotationKeyCount, cam.rotationKeyIndex,
                                    f, cam.cameraTarget);
    viewAngles(eye, target, cam.rotation);
}

int usableKeys(uint32_t keyCount, size_t frames, size_t keys) {
    return static_cast<int>(std::min<size_t>(keyCount, std::min(frames, keys)));
}

void evaluateMeshPosition(SceneObject& mesh, double f) {
    const int n = usableKeys(mesh.positionKeyCount, mesh.positionKeyFrames.size(), mesh.positionKeys.size());
    int32_t& k = mesh.positionKeyIndex;
    if (n < 2 || k < 0 || k >= n - 1) return;
    const auto& F = mesh.positionKeyFrames;
    mesh.position =
        lerpKeys(mesh.positionKeys[k], mesh.positionKeys[k + 1], f, F[k], F[k + 1], mesh.positionKeys[k + 1]);
    while (k < n - 1 && F[k + 1] <= f) k += 1;
}

void evaluateMeshRotation(SceneObject& mesh, double f) {
    const int m = usableKeys(mesh.rotationKeyCount, mesh.rotationKeyFrames.size(), mesh.rotationKeys.size());
    int32_t& r = mesh.rotationKeyIndex;
    if (m < 2 || r < 0 || r >= m - 1) return;
    const auto& G = mesh.rotationKeyFrames;
    const Vec3& R = mesh.rotationKeys[r + 1];
    const Vec3& base = mesh.rotationBase;
    const int span = G[r + 1] - G[r];
    const double u = f - G[r];
    // A zero-length segment adds its whole increment at once.
    if (span == 0)
        mesh.rotation = Vec3{base.x + R.x, base.y + R.y, base.z + R.z};
    else
        mesh.rotation = Vec3{base.x + u * R.x / span, base.y + u * R.y / span, base.z + u * R.z / span};
    mesh.rotation = Vec3{-mesh.rotation.x, -mesh.rotation.y, -mesh.rotation.z};
    while (r < m - 1 && G[r + 1] <= f) {
        r += 1;
        mesh.rotationBase.x += mesh.rotationKeys[r].x;
        mesh.rotationBase.y += mesh.rotationKeys[r].y;
        mesh.rotationBase.z += mesh.rotationKeys[r].z;
    }
}

// A frame of exactly 0.0 puts the mesh back at its first keys.
void restartMesh(SceneObject& mesh) {
    mesh.positionKeyIndex = 0;
    mesh.rotationKeyIndex = 0;
    if (usableKeys(mesh.positionKeyCount, mesh.positionKeyFrames.size(), mesh.positionKeys.size()) > 1)
        mesh.position = mesh.positionKeys[0];
    if (usableKeys(mesh.rotationKeyCount, mesh.rotationKeyFrames.size(), mesh.rotationKeys.size()) > 1) {
        mesh.rotation = mesh.rotationKeys[0];
        mesh.rotationBase = mesh.rotationKeys[0];
    }
}

}  // namespace

void Scene::evaluateKeyframes() {
    clampFrame(*this);
    const double f = frame;
    if (camera != nullptr) evaluateCamera(*camera, f);

    rewind();
    for (int n = 0; n < objectCount; ++n) {
        SceneObject& object = *cursor;
        if (object.kind == ObjectKind::Mesh) {
            if (f == 0.0) restartMesh(object);
            evaluateMeshPosition(object, f);
            evaluateMeshRotation(object, f);
        }
        advance();
    }
    rewind();
}
