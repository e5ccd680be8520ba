// The viewer's stand-in camera for a file without one: every corner of the
// box it frames lies inside the renderer's view, and the box covers only
// finite mesh vertices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/SceneViewerCamera.h"
#include "support/TestScenes.h"

namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;
constexpr double kTanHalfView = 0.41421356237309503;  // tan(22.5 degrees)

// The renderer's view: translate by -eye, rotate about y, then about x.
Vec3 eyeSpace(const SceneObject& camera, const Vec3& p) {
    const double x0 = p.x - camera.cameraPosition.x, y0 = p.y - camera.cameraPosition.y,
                 z0 = p.z - camera.cameraPosition.z;
    const double cy = std::cos(camera.rotation.y * kDegrees), sy = std::sin(camera.rotation.y * kDegrees);
    const double x1 = cy * x0 + sy * z0, z1 = -sy * x0 + cy * z0;
    const double cx = std::cos(camera.rotation.x * kDegrees), sx = std::sin(camera.rotation.x * kDegrees);
    return {x1, cx * y0 - sx * z1, sx * y0 + cx * z1};
}

TEST(SceneViewerCameraTest, EveryCornerOfTheBoxIsInTheView) {
    const struct {
        Vec3 low, high;
    } boxes[] = {
        {{-1, -1, -1}, {1, 1, 1}},
        {{100, 0, -3000}, {900, 5, -2000}},  // a flat ground far away
        {{0, 0, 0}, {1, 200, 1}},            // a pole
        {{5, 5, 5}, {5, 5, 5}},              // one point
    };
    for (double aspect : {4.0 / 3.0, 16.0 / 9.0, 0.75}) {
        for (const auto& [low, high] : boxes) {
            SceneObject camera;
            frameBox(low, high, aspect, camera);
            Scene scene;  // an empty scene that only carries the camera
            scene.camera = &camera;
            scene.frameCount = 1;
            scene.evaluateKeyframes();
            EXPECT_GT(std::hypot(camera.cameraTarget.x - camera.cameraPosition.x,
                                 camera.cameraTarget.z - camera.cameraPosition.z),
                      0.0)
                << "vertical line of sight";
            double widest = 0.0;
            for (int corner = 0; corner < 8; ++corner) {
                const Vec3 c{corner & 1 ? high.x : low.x, corner & 2 ? high.y : low.y, corner & 4 ? high.z : low.z};
                const Vec3 e = eyeSpace(camera, c);
                ASSERT_GT(-e.z, 0.5) << "corner " << corner << " behind the near plane";
                const double x = e.x / -e.z / (kTanHalfView * aspect), y = e.y / -e.z / kTanHalfView;
                EXPECT_LE(std::max(std::fabs(x), std::fabs(y)), 1.0) << "corner " << corner << " aspect " << aspect;
                widest = std::max({widest, std::fabs(x), std::fabs(y)});
            }
            const bool point = low.x == high.x && low.y == high.y && low.z == high.z;
            EXPECT_TRUE(point || widest > 0.8) << "framed too loosely: " << widest << " aspect " << aspect;
        }
    }
}

TEST(SceneViewerCameraTest, BoundsCoverFiniteMeshVerticesOnly) {
    Scene scene;
    Vec3 low, high;
    EXPECT_FALSE(meshBounds(scene, low, high));
    const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
    const struct {
        std::vector<Vec3> vertices;
        ObjectKind kind;
    } objects[] = {
        {{{1, 2, 3}, {nan, 0, 0}, {-4, 5, 0}}, ObjectKind::Mesh},
        {{{0, -7, inf}, {2, 0, 9}}, ObjectKind::Mesh},
        {{{100, 100, 100}}, ObjectKind::Light},
    };
    for (const auto& o : objects) {
        SceneObject& object = testscenes::appendObject(scene, o.kind, "object");
        object.vertexCount = static_cast<uint16_t>(o.vertices.size());
        object.vertices = o.vertices;
    }
    ASSERT_TRUE(meshBounds(scene, low, high));
    EXPECT_EQ((std::vector<double>{low.x, low.y, low.z, high.x, high.y, high.z}),
              (std::vector<double>{-4, 0, 0, 2, 5, 9}));
}

}  // namespace
