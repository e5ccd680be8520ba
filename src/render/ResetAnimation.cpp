// Back to the loaded state of the tracks, mirroring the loader's start poses
// and camera set-up.
#include "render/ResetAnimation.h"

namespace {

// The first key of a track, or (0, 0, 0) for a track without keys.
Vec3 firstKey(const std::vector<Vec3>& keys, uint32_t count) { return count > 0 && !keys.empty() ? keys[0] : Vec3(); }

void resetMesh(SceneObject& mesh) {
    mesh.positionKeyIndex = 0;
    mesh.rotationKeyIndex = 0;
    mesh.rotation = firstKey(mesh.rotationKeys, mesh.rotationKeyCount);
    mesh.rotationBase = mesh.rotation;
    mesh.position = firstKey(mesh.positionKeys, mesh.positionKeyCount);
}

void resetCamera(SceneObject& camera) {
    camera.positionKeyIndex = 1;
    camera.rotationKeyIndex = 1;
    if (camera.positionKeyCount > 1 && !camera.positionKeys.empty()) camera.cameraPosition = camera.positionKeys[0];
    if (camera.rotationKeyCount > 1 && !camera.rotationKeys.empty()) camera.cameraTarget = camera.rotationKeys[0];
}

}  // namespace

void resetAnimation(Scene& scene) {
    scene.rewind();
    for (int n = 0; n < scene.objectCount; ++n) {
        if (scene.cursor->kind == ObjectKind::Mesh) resetMesh(*scene.cursor);
        scene.advance();
    }
    scene.rewind();
    if (scene.camera != nullptr) resetCamera(*scene.camera);
    scene.frame = 0.0;
}
