// Broken and hostile files: every length and count is checked against the
// bytes that hold it, tables stay within their limits, and load goes on with
// what it can use (or refuses the file) after saying what was wrong.
#include "SceneFiles.h"

namespace {
using HostileFiles = SceneFileTest;

// Lengths past the parent or the file, and lengths below a header, end
// their level's walk; the complete chunks before them stay. A list that
// overruns its parent by 8 bytes but ends inside the file is dropped too.
TEST_F(HostileFiles, ImpossibleChunkLengthsEndTheirLevel) {
    std::vector<uint8_t> bytes = sceneBytes([](Chunk3dsWriter& w) {
        addMesh(w, "Before", kTriangle, kOneFace);
        w.begin(0x4000).string("Overlong").header(0x4100, 5000).vertexList(kTriangle).end();
        addMesh(w, "After", kTriangle, kOneFace);
        w.begin(0x4000).string("Bulging").begin(0x4100).header(0x4110, 52).u16(3);
        for (const std::vector<float>& p : kTriangle) w.point(p[0], p[1], p[2]);
        w.end().end();
        w.header(0x4000, 0).u32(0).u32(0);  // zero length: no endless walk
    });
    bytes.resize(bytes.size() - 20);  // into the keyframer
    const std::string path = writeScratchFile("lengths.3ds", bytes);
    Scene scene;
    scene.keepUnplayable = true;
    EXPECT_FALSE(scene.load(path.c_str()));
    ASSERT_EQ(scene.objectCount, 4);  // the camera lies past the zero length
    EXPECT_STREQ(scene.next->name, "Overlong");
    EXPECT_EQ(scene.next->vertexCount, 0);
    EXPECT_EQ(scene.next->kind, ObjectKind::None);
    EXPECT_EQ(scene.next->next->vertexCount, 3);
    EXPECT_STREQ(scene.next->next->next->name, "Bulging");
    EXPECT_EQ(scene.next->next->next->vertexCount, 0);
    for (const char* words :
         {"chunk 0x4100 claims 5000 bytes", "chunk 0x4110 claims 52 bytes, 44 are left in its parent",
          "chunk 0x4000 claims 0 bytes", "main chunk claims"})
        EXPECT_TRUE(mentions(scene, words)) << words;
    // Refused without keepUnplayable: nothing of it stays.
    Scene refused;
    EXPECT_FALSE(refused.load(path.c_str()));
    EXPECT_TRUE(refused.objectCount == 0 && refused.next == nullptr && refused.camera == nullptr);
}

// Counts larger than their chunk, lists without even their count (found by
// the fuzzer), keys cut short (spline floats make keys longer than the count
// check assumes), bytes too few for a chunk: the list is refused, complete
// lists stay.
TEST_F(HostileFiles, CountsAreCheckedAgainstTheBytesOfTheirChunk) {
    Scene scene;
    ASSERT_TRUE(scene.load(
        sceneFile(
            [](Chunk3dsWriter& w) {
                w.begin(0x4000).string("M").begin(0x4100);
                w.begin(0x4110).u16(1000).point(1, 2, 3).end();  // 1000 points in 12 bytes
                w.begin(0x4120).u16(65535).u16(0).u16(0).u16(0).u16(0).end();
                w.begin(0x4140).u16(50).f32(0).f32(0).end();
                w.end().end();
                w.begin(0x4000).string("N").begin(0x4100).vertexList(kTriangle);
                w.begin(0x4110).end().begin(0x4120).end().begin(0x4140).end();  // empty chunks, the last one flush
                w.end().end();
                w.begin(0x4000).string("S").begin(0x4100).begin(0x4110).u16(3);
                for (int i = 0; i < 35; ++i) w.u8(0);  // one byte short of 3 points
                w.end().end().end();
            },
            [](Chunk3dsWriter& w) {
                w.begin(0xB002).begin(0xB010).string("M").end();
                w.begin(0xB020).u16(0).u32(0).u32(0).u32(0xFFFFFFFFu).end();  // four billion keys
                w.end();
                w.begin(0xB002).begin(0xB010).string("N").end();
                w.begin(0xB020).u16(0).u32(0).u32(0).u32(3);
                w.u32(0).u16(0x1F).f32(0).f32(0).f32(0).f32(0).f32(0).point(1, 1, 1);
                w.u32(5).u16(0x1F).f32(0).f32(0).f32(0).f32(0).f32(0).point(2, 2, 2);
                w.u32(9).u16(0).f32(3);
                w.end().end();
                w.begin(0xB002).begin(0xB010).string("S").end();
                w.begin(0xB020).u16(0).u32(0).u32(0).u32(2).u32(0).u16(0).point(1, 1, 1).end();  // one key of two
                w.end();
                w.u8(1).u8(2).u8(3);  // too short for a chunk header
            })
            .c_str()));
    const SceneObject& n = *scene.next;
    EXPECT_EQ(scene.vertexCount + scene.faceCount + scene.texCoordCount, 0);
    EXPECT_EQ(scene.positionKeyCount, 0u);
    EXPECT_EQ(n.vertexCount, 3);
    EXPECT_EQ(n.faceCount + n.texCoordCount, 0);
    EXPECT_EQ(n.positionKeyCount, 2u);
    EXPECT_EQ(n.positionKeys.size(), 2u);
    EXPECT_DOUBLE_EQ(n.positionKeys[1].x, 2.0);
    // clang-format off
    const std::vector<std::string> problems = {
        "vertex list of 1000 points", "face list of 65535 faces", "mapping list of 50",
        "vertex list of 3 points holds only 35 bytes", "track of 4294967295 keys", "track of 2 keys holds only 18",
        "chunk 0x4110 at offset", "chunk 0x4120 at offset", "chunk 0x4140 at offset", "chunk 0xB020 at offset",
        "3 stray bytes"};
    // clang-format on
    for (const std::string& words : problems) EXPECT_TRUE(mentions(scene, words.c_str())) << words;
    EXPECT_EQ(scene.loadProblems().size(), problems.size());
}

// Face indices past the vertices (also when the faces come first, and under
// an object that a later block made a light, found by the fuzzer) drop the
// face list; missing mapping coordinates read as (0, 0).
TEST_F(HostileFiles, MeshArraysNeverReadPastTheVertices) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile([](Chunk3dsWriter& w) {
                               addMesh(w, "Bad", kTriangle, {{0, 1, 2}, {1, 2, 3}});
                               w.begin(0x4000).string("Late").begin(0x4100).beginFaceList({{0, 1, 2}}).end();
                               w.vertexList(kTriangle).end().end();
                               w.begin(0x4000).string("Both").begin(0x4100).vertexList(kTriangle);
                               w.beginFaceList({{0, 1, 2}, {0, 1, 9}}).end().end();
                               w.begin(0x4600).point(0, 0, 0).end().end();
                               w.begin(0x4000).string("Map").begin(0x4100).vertexList(kTriangle);
                               w.begin(0x4140).u16(1).f32(0.25f).f32(0.75f).end().end().end();
                           }).c_str()));
    EXPECT_EQ(scene.faceCount, 0);
    EXPECT_EQ(scene.vertexCount, 3);
    EXPECT_EQ(scene.next->faceCount, 1);
    EXPECT_TRUE(mentions(scene, "mesh \"Bad\": face 1 names a vertex"));
    const SceneObject& both = *scene.next->next;
    EXPECT_EQ(both.kind, ObjectKind::Light);
    EXPECT_EQ(both.faceCount, 0);
    EXPECT_EQ(both.texCoords.size(), 3u);
    EXPECT_EQ(both.vertexColors.size(), 3u);
    const SceneObject& map = *both.next;
    EXPECT_EQ(map.texCoordCount, 1);
    ASSERT_GE(map.texCoords.size(), 3u);
    EXPECT_FLOAT_EQ(map.texCoords[0].v, 0.75f);
    EXPECT_EQ(map.texCoords[2].u, 0.0f);
    EXPECT_EQ(map.materialIndex, kNoMaterial);
}

// A 79-character object name fits; longer names (objects, materials) are cut
// with a message, and the data after them still reads. Meshes past 60
// materials draw untextured, lights past 100 light nothing, and the 65536th
// object (the count is 16 bits) is left out.
TEST_F(HostileFiles, LongNamesAndFullTablesAreCut) {
    const std::string name79(79, 'n'), name100(100, 'm'), material(300, 'x');
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile([&](Chunk3dsWriter& w) {
                               addMesh(w, name79, kTriangle, kOneFace);
                               addMesh(w, name100, kTriangle, kOneFace, material);
                               w.begin(0x4000).u8('A').u8('B').end();  // name without its NUL
                               for (int i = 0; i < kMaxMaterials + 1; ++i)
                                   addMesh(w, "M" + std::to_string(i), kTriangle, kOneFace, "tex" + std::to_string(i));
                               for (int i = 0; i < kMaxLights + 3; ++i) addLight(w, "L", {0, 0, 0}, {1, 1, 1}, nullptr);
                           }).c_str()));
    EXPECT_EQ(std::string(scene.name), name79);
    EXPECT_EQ(std::string(scene.next->name), name100.substr(0, 79));
    EXPECT_EQ(scene.next->vertexCount, 3);
    EXPECT_EQ(std::string(scene.materials[0].name), material.substr(0, 255));
    EXPECT_EQ(recorder.textures.at(0).size(), 255u);
    EXPECT_STREQ(scene.next->next->name, "AB");
    EXPECT_EQ(scene.materialCount, kMaxMaterials);
    EXPECT_EQ(recorder.textures.size(), static_cast<size_t>(kMaxMaterials));
    SceneObject* mesh = scene.next->next;  // M0, then M59 and M60 past the table
    for (int i = 0; i < kMaxMaterials; ++i) mesh = mesh->next;
    EXPECT_EQ(mesh->materialIndex, kNoMaterial);
    EXPECT_EQ(mesh->next->materialIndex, kNoMaterial);
    EXPECT_EQ(scene.lightCount, kMaxLights);
    for (const char* words :
         {"object name", "material name", "has no end", "more than 60 materials", "more than 100 lights"})
        EXPECT_TRUE(mentions(scene, words)) << words;
    EXPECT_EQ(scene.loadProblems().size(), 8u);  // three names, two materials, three lights

    Scene crowded;
    crowded.keepUnplayable = true;
    crowded.load(sceneFile([](Chunk3dsWriter& w) {
                     for (int i = 0; i < 65536; ++i) w.begin(0x4000).string("O").end();
                 }).c_str());
    EXPECT_EQ(crowded.objectCount, 65535);
    EXPECT_TRUE(mentions(crowded, "more than 65535 objects"));
}
}  // namespace
