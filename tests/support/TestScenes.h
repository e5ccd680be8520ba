// Scenes built in memory for the render and particle tests: objects are
// filled field by field, the way the loader leaves them.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "scene3ds/Scene.h"

namespace testscenes {

// Appends an object to the scene's list (the first one is the Scene's own
// record); the Scene frees the others.
inline SceneObject& appendObject(Scene& scene, ObjectKind kind, const char* name) {
    SceneObject* object = &scene;
    if (scene.objectCount > 0) {
        SceneObject* last = &scene;
        while (last->next != nullptr) last = last->next;
        object = new SceneObject();
        object->prev = last;
        last->next = object;
    }
    object->kind = kind;
    std::strncpy(object->name, name, kObjectNameBytes - 1);
    scene.objectCount += 1;
    return *object;
}

// A track of keys at the given frames (camera index 1, mesh index 0).
inline void setPositionTrack(SceneObject& object, std::vector<uint16_t> frames, std::vector<Vec3> keys) {
    object.positionKeyCount = static_cast<uint32_t>(keys.size());
    object.positionKeyFrames = std::move(frames);
    object.positionKeys = std::move(keys);
    object.positionKeyIndex = object.kind == ObjectKind::Camera ? 1 : 0;
    if (object.kind == ObjectKind::Mesh && !object.positionKeys.empty()) {
        object.position = object.positionKeys[0];
        object.basePosition = object.positionKeys[0];
    }
}

inline void setRotationTrack(SceneObject& object, std::vector<uint16_t> frames, std::vector<Vec3> keys) {
    object.rotationKeyCount = static_cast<uint32_t>(keys.size());
    object.rotationKeyFrames = std::move(frames);
    object.rotationKeys = std::move(keys);
    object.rotationKeyIndex = object.kind == ObjectKind::Camera ? 1 : 0;
}

// A camera standing still at eye, looking at target, over frames 0..length.
inline SceneObject& addStillCamera(Scene& scene, const Vec3& eye, const Vec3& target, uint16_t length = 100) {
    SceneObject& cam = appendObject(scene, ObjectKind::Camera, "Camera01");
    setPositionTrack(cam, {0, length}, {eye, eye});
    setRotationTrack(cam, {0, length}, {target, target});
    cam.cameraPosition = eye;
    cam.cameraTarget = target;
    scene.camera = &cam;
    scene.frameCount = length;
    return cam;
}

// A square of side 2 * half in the plane z, facing +z, two triangles,
// texture corners (0,0)..(1,1), vertex colours given.
inline SceneObject& addSquareMesh(Scene& scene, const char* name, double cx, double cy, double z, double half,
                                  Color3 colour = Color3{1.0f, 1.0f, 1.0f}) {
    SceneObject& mesh = appendObject(scene, ObjectKind::Mesh, name);
    mesh.vertices = {
        {cx - half, cy - half, z}, {cx + half, cy - half, z}, {cx + half, cy + half, z}, {cx - half, cy + half, z}};
    mesh.vertexColors.assign(4, colour);
    mesh.texCoords = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
    mesh.faces = {{0, 1, 2, 0}, {0, 2, 3, 0}};
    mesh.vertexCount = 4;
    mesh.texCoordCount = 4;
    mesh.faceCount = 2;
    setPositionTrack(mesh, {0}, {{0.0, 0.0, 0.0}});
    setRotationTrack(mesh, {0}, {{0.0, 0.0, 0.0}});
    return mesh;
}

inline SceneObject& addLight(Scene& scene, const Vec3& at, float range, Color3 colour) {
    SceneObject& light = appendObject(scene, ObjectKind::Light, "Light01");
    light.lightPosition = at;
    light.lightRange = range;
    light.lightColor = colour;
    scene.lights[scene.lightCount++] = &light;
    return light;
}

// Points within tolerance of each other, axis by axis.
inline ::testing::AssertionResult sameVec(const Vec3& seen, const Vec3& expected, double tolerance = 1e-9) {
    if (std::fabs(seen.x - expected.x) + std::fabs(seen.y - expected.y) + std::fabs(seen.z - expected.z) < tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "point " << seen.x << ", " << seen.y << ", " << seen.z;
}

// Colours equal to float rounding.
inline ::testing::AssertionResult sameColour(const Color3& seen, const Color3& expected) {
    if (std::fabs(seen.r - expected.r) + std::fabs(seen.g - expected.g) + std::fabs(seen.b - expected.b) < 1e-6f)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "colour " << seen.r << ", " << seen.g << ", " << seen.b;
}

}  // namespace testscenes
