// Objects, meshes, materials and lights of the editor section, and the trace
// of the chunks the reader handles.
#include "SceneFiles.h"

namespace {
using EditorChunks = SceneFileTest;

// Unknown chunks are skipped with whatever they hold (here an object block
// and a vertex list one level down); file axes (X, Y, Z) become (X, Z, -Y);
// an object without a sub-block stays an empty object; a light's colour is
// taken as its magnitude, its range is the spot target's distance. One
// texture loads per distinct material name; the last face material list of
// a mesh decides, also when it names a material already loaded.
TEST_F(EditorChunks, ReadsWhatTheShowUsesAndTracesIt) {
    const std::vector<float> spot = {6, 8, 5};
    Scene scene;
    ASSERT_TRUE(scene.load(
        sceneFile(
            [&](Chunk3dsWriter& w) {
                w.begin(0x1234);
                addMesh(w, "Hidden", kTriangle, kOneFace);
                w.end();
                w.begin(0x4000).string("Tri").begin(0x4100);
                w.begin(0x4160).point(9, 9, 9).end();  // mesh matrix: not read
                w.vertexList(kTriangle);
                w.begin(0x7777).vertexList({{0, 0, 0}}).end();
                w.beginFaceList({{2, 1, 0}}).faceMaterial("t.jpg", 1).faceMaterial("w.jpg", 1).faceMaterial("t.jpg", 1);
                w.end();
                w.begin(0x4140).u16(1).f32(0).f32(0).end();
                w.end().end();
                addLight(w, "Lamp", {3, 4, 5}, {-0.5f, 0.2f, 0.0f}, &spot);
                w.begin(0x4000).string("Dummy").end();
            },
            [](Chunk3dsWriter& w) {
                w.begin(0xB002).begin(0xB010).string("Tri").end();
                w.begin(0xB013).point(0, 0, 0).end();
                w.begin(0xB021).u16(0).u32(0).u32(0).u32(0).end();
                w.end();
                w.infoBlock(0xB004, "Cam", {0}, {{0, 0, 0}});
                w.begin(0xB008).u32(0).u32(100).end();  // segment: not read
            })
            .c_str()));
    ASSERT_EQ(scene.objectCount, 4);  // Tri, Lamp, Dummy, Cam
    EXPECT_STREQ(scene.name, "Tri");
    EXPECT_EQ(scene.kind, ObjectKind::Mesh);
    ASSERT_EQ(scene.vertexCount, 3);
    EXPECT_TRUE(sameVec(scene.vertices[0], {1, 3, -2}));
    EXPECT_DOUBLE_EQ(scene.vertices[2].x, 7.0);
    ASSERT_EQ(scene.faceCount, 1);
    EXPECT_EQ(scene.faces[0].a, 2);
    EXPECT_EQ(scene.faces[0].c, 0);
    EXPECT_EQ(recorder.textures, (std::vector<std::string>{"t.jpg", "w.jpg"}));
    ASSERT_EQ(scene.materialCount, 2);
    EXPECT_EQ(scene.materials[1].texture, 2u);  // the loader wrote the material's slot
    EXPECT_EQ(scene.materialIndex, 0);

    ASSERT_EQ(scene.lightCount, 1);
    const SceneObject& lamp = *scene.lights[0];
    EXPECT_EQ(&lamp, scene.next);
    EXPECT_DOUBLE_EQ(lamp.lightPosition.y, 5.0);
    EXPECT_FLOAT_EQ(lamp.lightColor.r, 0.5f);
    EXPECT_FLOAT_EQ(lamp.lightColor.g, 0.2f);
    EXPECT_FLOAT_EQ(lamp.lightRange, 5.0f);
    EXPECT_DOUBLE_EQ(lamp.spotTarget.z, -8.0);
    EXPECT_FLOAT_EQ(lamp.spotHotspot, 30.0f);
    EXPECT_FLOAT_EQ(lamp.spotFalloff, 45.0f);

    const SceneObject& dummy = *lamp.next;
    EXPECT_STREQ(dummy.name, "Dummy");
    EXPECT_EQ(dummy.kind, ObjectKind::None);
    EXPECT_EQ(dummy.vertexCount, 0);
    EXPECT_TRUE(scene.loadProblems().empty());
    EXPECT_EQ(recorder.trace,
              "CHUNK_3DEDITORCHUNK\n"
              "+--CHUNK_OBJETBLOCK\n"
              "   +--CHUNK_TRIANGULARMESH\n"
              "      +--CHUNK_VERTICELIST\n"
              "      +--CHUNK_FACELIST\n"
              "         +--CHUNK_FACEMATERIALLIST\n"
              "         +--CHUNK_FACEMATERIALLIST\n"
              "         +--CHUNK_FACEMATERIALLIST\n"
              "      +--CHUNK_MAPPINGCOORDINATELIST\n"
              "+--CHUNK_OBJETBLOCK\n"
              "   +--CHUNK_LIGHT\n"
              "      +--CHUNK_SPOTLIGHT\n"
              "+--CHUNK_OBJETBLOCK\n"
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
