// Attaching emitters to marked meshes: the name rule, the limits, release.
#include <gtest/gtest.h>

#include <string>

#include "particles/Particles.h"
#include "support/TestScenes.h"

using namespace testscenes;

TEST(AttachEmitters, NameRuleGivesTypeAndDepthFlag)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    appendObject(scene, ObjectKind::Camera, "*2cam");
    SceneObject& water = appendObject(scene, ObjectKind::Mesh, "*10water");
    appendObject(scene, ObjectKind::Light, "*1lamp");
    SceneObject& smoke = appendObject(scene, ObjectKind::Mesh, "*21smoke");
    appendObject(scene, ObjectKind::Mesh, "plain");
    SceneObject& odd = appendObject(scene, ObjectKind::Mesh, "*x0odd");
    scene.advance();

    scene.attachEmitters(50, 1.0f, 10, 15.0f, 80.0f);
    ASSERT_EQ(scene.emitterCount, 3);
    EXPECT_EQ(scene.emitterObjects[0], &water);
    EXPECT_EQ(scene.emitters[0]->emitterType, 1);
    EXPECT_FALSE(scene.emitters[0]->depthTest);
    EXPECT_EQ(scene.emitterObjects[1], &smoke);
    EXPECT_EQ(scene.emitters[1]->emitterType, 2);
    EXPECT_TRUE(scene.emitters[1]->depthTest);
    EXPECT_EQ(scene.emitterObjects[2], &odd);
    EXPECT_EQ(scene.emitters[2]->emitterType, 0);  // mend: unknown type character
    EXPECT_FALSE(scene.emitters[2]->depthTest);

    EXPECT_EQ(scene.emitters[0]->rise, 80.0f);
    EXPECT_NE(scene.sortBuffer, nullptr);
    EXPECT_NE(scene.destroyEmitters, nullptr);
    EXPECT_EQ(scene.cursor, &scene);
}

// Mend: drawEmitters counts into a table of 50; more marked meshes are
// refused at attach time with a message.
TEST(AttachEmitters, MoreThanFiftyAreRefusedWithAMessage)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    for (int i = 0; i < 55; ++i)
        appendObject(scene, ObjectKind::Mesh, ("*00spark" + std::to_string(i)).c_str());
    testing::internal::CaptureStderr();
    scene.attachEmitters(50, 1.0f, 10, 15.0f, 0.0f);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(scene.emitterCount, 50);
    EXPECT_NE(message.find("more than 50"), std::string::npos) << message;
    EXPECT_NE(message.find("*00spark50"), std::string::npos) << message;
}

TEST(AttachEmitters, ReleaseFreesParticlesAndKeepsTheRecords)
{
    Scene scene;
    addStillCamera(scene, {0, 0, 10}, {0, 0, 0});
    appendObject(scene, ObjectKind::Mesh, "*00a");
    scene.attachEmitters(10, 1.0f, 10, 15.0f, 0.0f);
    scene.emitters[0]->emitAt(1, 2, 3);
    ASSERT_EQ(scene.emitters[0]->count, 1);
    EXPECT_TRUE(scene.releaseEmitters());
    EXPECT_EQ(scene.emitterCount, 1);
    EXPECT_EQ(scene.emitters[0]->count, 0);
    EXPECT_EQ(scene.emitters[0]->particles, nullptr);

    Scene unmarked;  // no marked mesh: no emitters, but a sort buffer
    addStillCamera(unmarked, {0, 0, 10}, {0, 0, 0});
    addSquareMesh(unmarked, "wall", 0, 0, 0, 1);
    unmarked.attachEmitters(1000, 1.0f, 100, 10.0f, 0.0f);
    EXPECT_EQ(unmarked.emitterCount, 0);
    EXPECT_NE(unmarked.sortBuffer, nullptr);
    EXPECT_TRUE(unmarked.releaseEmitters());
}
