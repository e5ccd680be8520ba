// The eight generated scene files: they load cleanly and carry what each
// scene of the show relies on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>

#include "DataSet.h"
#include "scenes/ShowPlan.h"

namespace {
constexpr size_t kMaxTriangles = 40000;  // per scene, for the software renderer
constexpr int kMaxEmitters = 50;         // the emitter pass counts 50 at most
constexpr int kMaxKeyGap = 20;           // frames between camera keys
constexpr double kMinLevel = 0.05;       // smallest horizontal share of the line of sight

Vec3 minus(const Vec3& a, const Vec3& b) { return Vec3{a.x - b.x, a.y - b.y, a.z - b.z}; }
double length(const Vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }
Vec3 eyeAt(const SceneObject& c, double f) {
    return trackAt(c.positionKeyFrames, c.positionKeys, c.positionKeyCount, f);
}
Vec3 targetAt(const SceneObject& c, double f) {
    return trackAt(c.rotationKeyFrames, c.rotationKeys, c.rotationKeyCount, f);
}

class SceneFile : public ::testing::TestWithParam<ScenePlan> {};

// Loads without problems, under the triangle limit, with its pictures; the
// camera runs the whole scene in keys 2 to 20 frames apart and never looks
// straight up or down; lights reach, meshes move in rising keys, and each
// emitter sits on its mesh with a sprite picture.
TEST_P(SceneFile, LoadsAndCarriesWhatItsSceneNeeds) {
    auto scene = loadScene(std::string(ORVANE_BINARY_DIR) + "/" + GetParam().file);
    EXPECT_STREQ(scene->loadError(), "");
    for (const std::string& problem : scene->loadProblems()) ADD_FAILURE() << problem;
    for (int i = 0; i < scene->materialCount; ++i) {
        std::string name = scene->materials[i].name;
        EXPECT_EQ(name.rfind("data/", 0), 0u) << name;
        EXPECT_TRUE(std::ifstream(std::string(ORVANE_BINARY_DIR) + "/" + name).good()) << name;
    }
    ASSERT_NE(scene->camera, nullptr);
    const SceneObject& cam = *scene->camera;
    ASSERT_GE(cam.rotationKeyCount, 2u);
    EXPECT_GE(scene->frameCount, GetParam().frameFactor);
    for (uint32_t i = 1; i < cam.positionKeyCount; ++i) {
        int gap = cam.positionKeyFrames[i] - cam.positionKeyFrames[i - 1];
        EXPECT_TRUE(gap >= 2 && gap <= kMaxKeyGap) << "key " << i;
    }
    for (double f = 0.0; f <= scene->frameCount; f += 0.5) {
        Vec3 sight = minus(targetAt(cam, f), eyeAt(cam, f));
        ASSERT_GT(length(sight), 1.0) << "frame " << f;
        ASSERT_GT(std::hypot(sight.x, sight.z) / length(sight), kMinLevel) << "frame " << f;
    }
    ASSERT_GT(scene->lightCount, 0);
    for (int i = 0; i < scene->lightCount; ++i) EXPECT_GT(scene->lights[i]->lightRange, 10.0f);
    size_t triangles = 0;
    int moving = 0, emitters = 0;
    for (SceneObject* o = scene.get(); o; o = o->next) {
        if (o->kind != ObjectKind::Mesh) continue;
        triangles += o->faceCount;
        EXPECT_EQ(o->texCoordCount, o->vertexCount) << o->name;
        ASSERT_GE(o->materialIndex, 0) << o->name;
        moving += o->positionKeyCount > 1 || o->rotationKeyCount > 1;
        for (uint32_t k = 1; k < o->positionKeyCount; ++k)
            EXPECT_GT(o->positionKeyFrames[k], o->positionKeyFrames[k - 1]) << o->name;
        if (o->name[0] != '*') continue;
        ++emitters;
        EXPECT_TRUE(o->name[1] >= '0' && o->name[1] <= '3') << o->name;
        ASSERT_GT(o->vertexCount, 0) << o->name;
        // It emits from its first key: that must lie on the mesh, not at the origin.
        Vec3 lo = o->vertices[0], hi = o->vertices[0], at = o->basePosition;
        for (uint16_t i = 0; i < o->vertexCount; ++i) {
            const Vec3& v = o->vertices[i];
            lo = Vec3{std::min(lo.x, v.x), std::min(lo.y, v.y), std::min(lo.z, v.z)};
            hi = Vec3{std::max(hi.x, v.x), std::max(hi.y, v.y), std::max(hi.z, v.z)};
        }
        EXPECT_TRUE(at.x >= lo.x - 1 && at.x <= hi.x + 1 && at.y >= lo.y - 1 && at.y <= hi.y + 1 && at.z >= lo.z - 1 &&
                    at.z <= hi.z + 1)
            << o->name << " emits away from its mesh";
        EXPECT_NE(std::strstr(scene->materials[o->materialIndex].name, ".jpg"), nullptr);
    }
    EXPECT_LT(triangles, kMaxTriangles);
    EXPECT_GE(moving, 2);
    EXPECT_LE(emitters, kMaxEmitters);
    EXPECT_EQ(emitters > 0, GetParam().emitters.capacity > 0);
}

INSTANTIATE_TEST_SUITE_P(Show, SceneFile, ::testing::ValuesIn(kShowPlan),
                         [](const ::testing::TestParamInfo<ScenePlan>& info) {
                             const std::string n = info.param.file;  // data/NAME.3ds
                             return n.substr(5, n.find('.') - 5);
                         });

// Scene 2's first two meshes come together, close enough for the spikes
// (first corners within 60 units of the other's origin), and part again.
TEST(MetaScene, FirstTwoMeshesApproachSpikeAndPart) {
    auto scene = loadScene(dataPath("meta.3ds"));
    const SceneObject& a = *scene;
    ASSERT_TRUE(a.next && a.kind == ObjectKind::Mesh && a.next->kind == ObjectKind::Mesh);
    const SceneObject& b = *a.next;
    auto origin = [](const SceneObject& m, double f) { return minus(eyeAt(m, f), m.basePosition); };
    auto apart = [&](double f) { return length(minus(origin(a, f), origin(b, f))); };
    double closestFrame = 10;
    for (double f = 10; f <= 190; f += 1.0) closestFrame = apart(f) < apart(closestFrame) ? f : closestFrame;
    EXPECT_LT(apart(closestFrame), apart(10) * 0.5);
    EXPECT_LT(apart(closestFrame), apart(190) * 0.5);
    EXPECT_TRUE(closestFrame > 40 && closestFrame < 160) << closestFrame;
    Vec3 shift = minus(origin(a, closestFrame), origin(b, closestFrame));
    int spiked = 0;
    for (uint16_t i = 0; i < a.faceCount; ++i) {
        const Vec3& v = a.vertices[a.faces[i].a];
        spiked += length(Vec3{v.x + shift.x, v.y + shift.y, v.z + shift.z}) < 60.0;
    }
    EXPECT_GT(spiked, 20);
}

}  // namespace
