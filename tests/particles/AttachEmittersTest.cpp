// Attaching emitters to marked meshes: the name rule, the limit, release.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "particles/Particles.h"
#include "support/TestScenes.h"

using namespace testscenes;

// "*" marks a mesh; character 1 is the type ("0" to "3", anything else 0),
// character 2 other than "0" asks for the depth test. Marked cameras and
// lights and unmarked meshes get none. drawEmitters counts into a table of
// 50: more marked meshes are refused at attach time with one message naming
// the first one left out.
TEST(AttachEmitters, NameRuleGivesTypeAndDepthFlagUpToFifty) {
    Scene scene;
    addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    appendObject(scene, ObjectKind::Camera, "*2cam");
    appendObject(scene, ObjectKind::Mesh, "*10water");
    appendObject(scene, ObjectKind::Light, "*1lamp");
    appendObject(scene, ObjectKind::Mesh, "*21smoke");
    appendObject(scene, ObjectKind::Mesh, "plain");
    appendObject(scene, ObjectKind::Mesh, "*40odd");
    appendObject(scene, ObjectKind::Mesh, "*33embers");
    for (int i = 4; i < 55; ++i) appendObject(scene, ObjectKind::Mesh, ("*00spark" + std::to_string(i)).c_str());
    scene.advance();

    testing::internal::CaptureStderr();
    scene.attachEmitters(50, 1.0f, 10, 15.0f, 80.0f);
    const std::string message = testing::internal::GetCapturedStderr();
    const struct {
        const char* name;
        int type;
        bool depthTest;
    } expected[] = {{"*10water", 1, false}, {"*21smoke", 2, true}, {"*40odd", 0, false}, {"*33embers", 3, true}};
    ASSERT_EQ(scene.emitterCount, 50);
    for (int i = 0; i < 4; ++i) {
        EXPECT_STREQ(scene.emitterObjects[i]->name, expected[i].name);
        EXPECT_EQ(scene.emitters[i]->emitterType, expected[i].type) << expected[i].name;
        EXPECT_EQ(scene.emitters[i]->depthTest, expected[i].depthTest) << expected[i].name;
    }
    EXPECT_EQ(scene.cursor, &scene);
    EXPECT_NE(message.find("more than 50"), std::string::npos) << message;
    EXPECT_NE(message.find("*00spark50"), std::string::npos) << message;
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;

    scene.emitters[0]->emitAt(1, 2, 3);  // release frees particles, keeps the records
    EXPECT_TRUE(scene.releaseEmitters());
    EXPECT_EQ(scene.emitterCount, 50);
    EXPECT_EQ(scene.emitters[0]->count, 0);
    EXPECT_EQ(scene.emitters[0]->particles, nullptr);
}
