// The stand-in camera: the box it frames, and every corner of that box
// inside the view the renderer makes from it (angles from evaluateKeyframes,
// then the 45-degree projection).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/SceneViewerCamera.h"
#include "support/TestScenes.h"

namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;
constexpr double kTanHalfView = 0.41421356237309503;  // tan(22.5 degrees)

// The renderer's view: rotate about x, then y, then translate by -eye.
Vec3 eyeSpace(const SceneObject& camera, const Vec3& p) {
    const double x0 = p.x - camera.cameraPosition.x, y0 = p.y - camera.cameraPosition.y,
                 z0 = p.z - camera.cameraPosition.z;
    const double cy = std::cos(camera.rotation.y * kDegrees), sy = std::sin(camera.rotation.y * kDegrees);
    const double x1 = cy * x0 + sy * z0, z1 = -sy * x0 + cy * z0;
    const double cx = std::cos(camera.rotation.x * kDegrees), sx = std::sin(camera.rotation.x * kDegrees);
    return {x1, cx * y0 - sx * z1, sx * y0 + cx * z1};
}

// Appends a mesh (or another kind) with these vertices to the scene.
void addObject(Scene& scene, std::vector<Vec3> vertices, ObjectKind kind = ObjectKind::Mesh) {
    SceneObject& object = testscenes::appendObject(scene, kind, "object");
    object.vertexCount = static_cast<uint16_t>(vertices.size());
    object.vertices = std::move(vertices);
}

void expectFramed(const Vec3& low, const Vec3& high, double aspect) {
    SceneObject camera;
    frameBox(low, high, aspect, camera);
    Scene scene;  // an empty scene that only carries the camera
    scene.camera = &camera;
    scene.frameCount = 1;
    scene.evaluateKeyframes();
    const Vec3 sight{camera.cameraTarget.x - camera.cameraPosition.x, 0.0,
                     camera.cameraTarget.z - camera.cameraPosition.z};
    EXPECT_GT(std::hypot(sight.x, sight.z), 0.0) << "vertical line of sight";
    double widest = 0.0;
    for (int corner = 0; corner < 8; ++corner) {
        const Vec3 c{corner & 1 ? high.x : low.x, corner & 2 ? high.y : low.y, corner & 4 ? high.z : low.z};
        const Vec3 e = eyeSpace(camera, c);
        ASSERT_GT(-e.z, 0.5) << "corner " << corner << " behind the near plane";
        const double x = e.x / -e.z / (kTanHalfView * aspect), y = e.y / -e.z / kTanHalfView;
        EXPECT_LE(std::fabs(x), 1.0) << "corner " << corner << " aspect " << aspect;
        EXPECT_LE(std::fabs(y), 1.0) << "corner " << corner << " aspect " << aspect;
        widest = std::max({widest, std::fabs(x), std::fabs(y)});
    }
    const bool point = low.x == high.x && low.y == high.y && low.z == high.z;
    EXPECT_TRUE(point || widest > 0.8) << "the box is framed too loosely: " << widest;
}

TEST(SceneViewerCameraTest, EveryCornerOfTheBoxIsInTheView) {
    for (double aspect : {4.0 / 3.0, 16.0 / 9.0, 0.75}) {
        expectFramed({-1, -1, -1}, {1, 1, 1}, aspect);
        expectFramed({100, 0, -3000}, {900, 5, -2000}, aspect);  // a flat ground far away
        expectFramed({0, 0, 0}, {1, 200, 1}, aspect);            // a pole
        expectFramed({5, 5, 5}, {5, 5, 5}, aspect);              // one point
    }
}

TEST(SceneViewerCameraTest, BoundsCoverFiniteMeshVerticesOnly) {
    Scene scene;
    Vec3 low, high;
    EXPECT_FALSE(meshBounds(scene, low, high));
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    addObject(scene, {{1, 2, 3}, {nan, 0, 0}, {-4, 5, 0}});
    addObject(scene, {{0, -7, inf}, {2, 0, 9}});
    addObject(scene, {{100, 100, 100}}, ObjectKind::Light);
    ASSERT_TRUE(meshBounds(scene, low, high));
    EXPECT_EQ(low.x, -4);
    EXPECT_EQ(low.y, 0);
    EXPECT_EQ(low.z, 0);
    EXPECT_EQ(high.x, 2);
    EXPECT_EQ(high.y, 5);
    EXPECT_EQ(high.z, 9);
}

}  // namespace
