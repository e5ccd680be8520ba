// Objects, meshes, materials, lights and cameras of the editor section.
#include <cstring>

#include "SceneFiles.h"

namespace {
using EditorChunks = SceneFileTest;

const std::vector<std::vector<float>> kTriangle = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
const std::vector<std::vector<uint16_t>> kOneFace = {{0, 1, 2}};

TEST_F(EditorChunks, ConvertsFileAxesAndReadsFacesAsStored) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("axes.3ds", [](Chunk3dsWriter& w) {
        addMesh(w, "Tri", kTriangle, {{2, 1, 0}});
    }).c_str()));
    const SceneObject& mesh = scene;
    EXPECT_STREQ(mesh.name, "Tri");
    EXPECT_EQ(mesh.kind, ObjectKind::Mesh);
    ASSERT_EQ(mesh.vertexCount, 3);
    EXPECT_DOUBLE_EQ(mesh.vertices[0].x, 1.0);
    EXPECT_DOUBLE_EQ(mesh.vertices[0].y, 3.0);
    EXPECT_DOUBLE_EQ(mesh.vertices[0].z, -2.0);
    ASSERT_EQ(mesh.faceCount, 1);
    EXPECT_EQ(mesh.faces[0].a, 2);
    EXPECT_EQ(mesh.faces[0].c, 0);
    EXPECT_EQ(scene.objectCount, 2);  // the mesh and the camera
    EXPECT_TRUE(scene.loadProblems().empty());
}

TEST_F(EditorChunks, SkipsUnknownChunksWithWhateverTheyHold) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("unknown.3ds", [](Chunk3dsWriter& w) {
        // An unknown editor chunk hiding an object block: not an object.
        w.begin(0x1234);
        addMesh(w, "Hidden", kTriangle, kOneFace);
        w.end();
        w.begin(0x4000).string("Box").begin(0x4100);
        w.begin(0x4160).point(9, 9, 9).end();  // mesh matrix: not read
        w.vertexList(kTriangle);
        w.begin(0x7777).vertexList({{0, 0, 0}}).end();  // a vertex list one level down
        w.end().end();
    }).c_str()));
    EXPECT_EQ(scene.objectCount, 2);
    EXPECT_STREQ(scene.name, "Box");
    EXPECT_EQ(scene.vertexCount, 3);
    EXPECT_DOUBLE_EQ(scene.vertices[2].x, 7.0);
}

TEST_F(EditorChunks, ObjectWithoutSubBlockStaysAnEmptyObject) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("bare.3ds", [](Chunk3dsWriter& w) {
        w.begin(0x4000).string("Dummy").end();
        addMesh(w, "After", kTriangle, kOneFace);
    }).c_str()));
    ASSERT_EQ(scene.objectCount, 3);
    EXPECT_STREQ(scene.name, "Dummy");
    EXPECT_EQ(scene.kind, ObjectKind::None);
    EXPECT_EQ(scene.vertexCount, 0);
    ASSERT_NE(scene.next, nullptr);
    EXPECT_STREQ(scene.next->name, "After");
    EXPECT_EQ(scene.next->vertexCount, 3);
}

TEST_F(EditorChunks, SharedMaterialLoadsOneTexture) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("materials.3ds", [](Chunk3dsWriter& w) {
        addMesh(w, "A", kTriangle, kOneFace, "data/wall.jpg");
        addMesh(w, "B", kTriangle, kOneFace, "data/floor.jpg");
        addMesh(w, "C", kTriangle, kOneFace, "data/wall.jpg");
        addMesh(w, "D", kTriangle, kOneFace);
    }).c_str()));
    EXPECT_EQ(recorder.textures, (std::vector<std::string>{"data/wall.jpg", "data/floor.jpg"}));
    ASSERT_EQ(scene.materialCount, 2);
    EXPECT_STREQ(scene.materials[1].name, "data/floor.jpg");
    EXPECT_EQ(scene.materials[1].texture, 2u);  // the loader wrote the material's slot
    const SceneObject* c = scene.next->next;
    EXPECT_EQ(scene.materialIndex, 0);
    EXPECT_EQ(scene.next->materialIndex, 1);
    EXPECT_EQ(c->materialIndex, 0);
    EXPECT_EQ(c->next->materialIndex, kNoMaterial);  // no face material list
}

TEST_F(EditorChunks, LastFaceMaterialListDecides) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("twolists.3ds", [](Chunk3dsWriter& w) {
        w.begin(0x4000).string("M").begin(0x4100).vertexList(kTriangle);
        w.beginFaceList(kOneFace).faceMaterial("one.jpg", 1).faceMaterial("two.jpg", 1).end();
        w.end().end();
    }).c_str()));
    EXPECT_EQ(scene.materialIndex, 1);
    EXPECT_STREQ(scene.materials[scene.materialIndex].name, "two.jpg");
}

TEST_F(EditorChunks, NameOf79CharactersFitsAndLongerNamesAreCut) {
    std::string name79(79, 'n');
    std::string name100(100, 'm');
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("names.3ds", [&](Chunk3dsWriter& w) {
        addMesh(w, name79, kTriangle, kOneFace);
        addMesh(w, name100, kTriangle, kOneFace);
    }).c_str()));
    EXPECT_EQ(std::string(scene.name), name79);
    EXPECT_EQ(scene.name[79], '\0');
    EXPECT_EQ(scene.loadProblems().size(), 1u);
    EXPECT_EQ(std::string(scene.next->name), name100.substr(0, 79));
    EXPECT_EQ(scene.next->vertexCount, 3);  // the data after the long name still reads
}

TEST_F(EditorChunks, LightColourPositionAndSpotlight) {
    std::vector<float> spot = {3, 4, 0};
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("light.3ds", [&](Chunk3dsWriter& w) {
        addLight(w, "Lamp", {0, 0, 0}, {-0.5f, 0.2f, 0.0f}, &spot);
        addLight(w, "Bare", {1, 2, 3}, {1, 1, 1}, nullptr);
    }).c_str()));
    ASSERT_EQ(scene.lightCount, 2);
    const SceneObject& lamp = *scene.lights[0];
    EXPECT_EQ(lamp.kind, ObjectKind::Light);
    EXPECT_FLOAT_EQ(lamp.lightColor.r, 0.5f);
    EXPECT_FLOAT_EQ(lamp.lightColor.g, 0.2f);
    EXPECT_FLOAT_EQ(lamp.lightColor.b, 0.0f);
    EXPECT_FLOAT_EQ(lamp.lightRange, 5.0f);
    EXPECT_DOUBLE_EQ(lamp.spotTarget.z, -4.0);
    EXPECT_FLOAT_EQ(lamp.spotHotspot, 30.0f);
    EXPECT_FLOAT_EQ(lamp.spotFalloff, 45.0f);
    EXPECT_FLOAT_EQ(scene.lights[1]->lightRange, 0.0f);
    EXPECT_DOUBLE_EQ(scene.lights[1]->lightPosition.y, 3.0);
}

TEST_F(EditorChunks, CameraFields) {
    Scene scene;
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D).begin(0x4000).string("Eye").begin(0x4700);
    w.point(1, 2, 3).point(4, 5, 6).f32(12.5f).f32(35.0f).end().end().end();
    w.begin(0xB000).infoBlock(0xB003, "Eye", {0}, {{1, 2, 3}}).end().end();
    ASSERT_TRUE(scene.load(w.writeFile("camera.3ds").c_str()));
    ASSERT_EQ(scene.camera, static_cast<SceneObject*>(&scene));
    EXPECT_DOUBLE_EQ(scene.cameraTarget.x, 4.0);
    EXPECT_DOUBLE_EQ(scene.cameraTarget.y, 6.0);
    EXPECT_DOUBLE_EQ(scene.cameraTarget.z, -5.0);
    EXPECT_FLOAT_EQ(scene.cameraBank, 12.5f);
    EXPECT_FLOAT_EQ(scene.cameraLens, 35.0f);
}

TEST_F(EditorChunks, TraceAnnouncesHandledChunks) {
    std::vector<float> spot = {0, 1, 0};
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("trace.3ds", [&](Chunk3dsWriter& w) {
        w.begin(0x4000).string("M").begin(0x4100).vertexList(kTriangle);
        w.beginFaceList(kOneFace).faceMaterial("t.jpg", 1).end();
        w.begin(0x4140).u16(1).f32(0).f32(0).end();
        w.end().end();
        addLight(w, "L", {0, 0, 0}, {1, 1, 1}, &spot);
    }, [](Chunk3dsWriter& w) {
        w.begin(0xB002).begin(0xB010).string("M").end();
        w.begin(0xB013).point(0, 0, 0).end();
        w.begin(0xB021).u16(0).u32(0).u32(0).u32(0).end();
        w.end();
        w.infoBlock(0xB004, "Cam", {0}, {{0, 0, 0}});
        w.begin(0xB008).u32(0).u32(100).end();  // segment: not read
    }).c_str()));
    EXPECT_EQ(recorder.trace,
              "CHUNK_3DEDITORCHUNK\n"
              "+--CHUNK_OBJETBLOCK\n"
              "   +--CHUNK_TRIANGULARMESH\n"
              "      +--CHUNK_VERTICELIST\n"
              "      +--CHUNK_FACELIST\n"
              "         +--CHUNK_FACEMATERIALLIST\n"
              "      +--CHUNK_MAPPINGCOORDINATELIST\n"
              "+--CHUNK_OBJETBLOCK\n"
              "   +--CHUNK_LIGHT\n"
              "      +--CHUNK_SPOTLIGHT\n"
              "+--CHUNK_OBJETBLOCK\n"
              "   +--CHUNK_CAMERA\n"
              "CHUNK_KEYFRAMER\n"
              "+--CHUNK_CAMERAINFOBLOCK\n"
              "   +--CHUNK_OBJETNAME\n"
              "   +--CHUNK_POSITIONTRACK\n"
              "+--CHUNK_OBJETINFOBLOCK\n"
              "   +--CHUNK_OBJETNAME\n"
              "   +--CHUNK_OBJETPIVOTPOINT\n"
              "   +--CHUNK_ROTATIONTRACK\n"
              "+--CHUNK_CAMERATARGETINFOBLOCK\n"
              "   +--CHUNK_OBJETNAME\n"
              "   +--CHUNK_POSITIONTRACK\n");
}
}  // namespace
