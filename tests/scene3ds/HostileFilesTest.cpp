// Broken and hostile files: every length and count is checked against the
// bytes that hold it, tables stay within their limits, and load goes on with
// what it can use (or refuses the file) after saying what was wrong.
#include "SceneFiles.h"

namespace {
using HostileFiles = SceneFileTest;

const std::vector<std::vector<float>> kTriangle = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
const std::vector<std::vector<uint16_t>> kOneFace = {{0, 1, 2}};

bool mentions(const Scene& scene, const std::string& words) {
    for (const std::string& problem : scene.loadProblems()) {
        if (problem.find(words) != std::string::npos) return true;
    }
    return false;
}

TEST_F(HostileFiles, ImpossibleChunkLengthsEndTheirLevel) {
    Scene scene;
    scene.keepUnplayable = true;
    EXPECT_FALSE(scene.load(sceneFile("lengths.3ds", [](Chunk3dsWriter& w) {
        addMesh(w, "Before", kTriangle, kOneFace);
        // An object whose mesh chunk claims more than the object holds.
        w.begin(0x4000).string("Overlong").header(0x4100, 5000).vertexList(kTriangle).end();
        addMesh(w, "After", kTriangle, kOneFace);
        w.header(0x4000, 0);  // zero length: no endless walk
        w.u32(0).u32(0);
    }).c_str()));
    // Before, Overlong, After; the camera after the zero-length chunk is not
    // reached, so the scene cannot play.
    ASSERT_EQ(scene.objectCount, 3);
    EXPECT_STREQ(scene.next->name, "Overlong");
    EXPECT_EQ(scene.next->vertexCount, 0);
    EXPECT_EQ(scene.next->kind, ObjectKind::None);
    EXPECT_STREQ(scene.next->next->name, "After");
    EXPECT_EQ(scene.next->next->vertexCount, 3);
    EXPECT_TRUE(mentions(scene, "chunk 0x4100 claims 5000 bytes"));
    EXPECT_TRUE(mentions(scene, "chunk 0x4000 claims 0 bytes"));
}

TEST_F(HostileFiles, TruncatedFileKeepsItsCompleteChunks) {
    std::vector<uint8_t> bytes = sceneBytes([](Chunk3dsWriter& w) {
        addMesh(w, "Whole", kTriangle, kOneFace);
    });
    bytes.resize(bytes.size() - 20);  // into the keyframer's camera track
    Scene scene;
    scene.keepUnplayable = true;
    EXPECT_FALSE(scene.load(writeScratchFile("truncated.3ds", bytes).c_str()));
    EXPECT_STREQ(scene.name, "Whole");
    EXPECT_EQ(scene.vertexCount, 3);
    EXPECT_STREQ(scene.next->name, "Cam");
    EXPECT_EQ(scene.camera, nullptr);  // its position track was cut off
    EXPECT_TRUE(mentions(scene, "main chunk claims"));
}

TEST_F(HostileFiles, CountsLargerThanTheirChunkAreRefused) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("counts.3ds", [](Chunk3dsWriter& w) {
        w.begin(0x4000).string("M").begin(0x4100);
        w.begin(0x4110).u16(1000).point(1, 2, 3).end();            // 1000 points in 12 bytes
        w.begin(0x4120).u16(65535).u16(0).u16(0).u16(0).u16(0).end();
        w.begin(0x4140).u16(50).f32(0).f32(0).end();
        w.end().end();
    }, [](Chunk3dsWriter& w) {
        w.begin(0xB002).begin(0xB010).string("M").end();
        w.begin(0xB020).u16(0).u32(0).u32(0).u32(0xFFFFFFFFu).end();  // four billion keys
        w.end();
    }).c_str()));
    EXPECT_EQ(scene.vertexCount, 0);
    EXPECT_EQ(scene.faceCount, 0);
    EXPECT_EQ(scene.texCoordCount, 0);
    EXPECT_EQ(scene.positionKeyCount, 0u);
    EXPECT_TRUE(mentions(scene, "vertex list of 1000 points"));
    EXPECT_TRUE(mentions(scene, "face list of 65535 faces"));
    EXPECT_TRUE(mentions(scene, "mapping list of 50"));
    EXPECT_TRUE(mentions(scene, "track of 4294967295 keys"));
}

// Found by the fuzzer: a list chunk without even its count.
TEST_F(HostileFiles, ListsWithoutTheirCountReadNothing) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("nocount.3ds", [](Chunk3dsWriter& w) {
        w.begin(0x4000).string("M").begin(0x4100);
        w.vertexList(kTriangle);
        w.begin(0x4110).end().begin(0x4120).end().begin(0x4140).end();
        w.end().end();
    }).c_str()));
    EXPECT_EQ(scene.vertexCount, 3);  // the complete list stays
    EXPECT_EQ(scene.faceCount, 0);
    EXPECT_EQ(scene.texCoordCount, 0);
    EXPECT_EQ(scene.loadProblems().size(), 3u);
    EXPECT_TRUE(mentions(scene, "chunk 0x4110 at offset"));
}

TEST_F(HostileFiles, KeysCutShortByTheirChunkAreDropped) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("shortkeys.3ds", [](Chunk3dsWriter& w) {
        addMesh(w, "M", kTriangle, kOneFace);
    }, [](Chunk3dsWriter& w) {
        w.begin(0xB002).begin(0xB010).string("M").end();
        // Three keys announced, the chunk holds two and a half (spline floats
        // make the keys longer than the count check assumes).
        w.begin(0xB020).u16(0).u32(0).u32(0).u32(3);
        w.u32(0).u16(0x1F).f32(0).f32(0).f32(0).f32(0).f32(0).point(1, 1, 1);
        w.u32(5).u16(0x1F).f32(0).f32(0).f32(0).f32(0).f32(0).point(2, 2, 2);
        w.u32(9).u16(0).f32(3);
        w.end().end();
    }).c_str()));
    EXPECT_EQ(scene.positionKeyCount, 2u);
    EXPECT_EQ(scene.positionKeys.size(), 2u);
    EXPECT_DOUBLE_EQ(scene.positionKeys[1].x, 2.0);
    EXPECT_TRUE(mentions(scene, "holds less than its data"));
}

TEST_F(HostileFiles, FacesPastTheVerticesAreDropped) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("faces.3ds", [](Chunk3dsWriter& w) {
        addMesh(w, "Bad", kTriangle, {{0, 1, 2}, {1, 2, 3}});
        // Faces before their vertex list are checked against the final list.
        w.begin(0x4000).string("Late").begin(0x4100);
        w.beginFaceList({{0, 1, 2}}).end();
        w.vertexList(kTriangle);
        w.end().end();
    }).c_str()));
    EXPECT_EQ(scene.faceCount, 0);
    EXPECT_EQ(scene.vertexCount, 3);
    EXPECT_EQ(scene.next->faceCount, 1);
    EXPECT_TRUE(mentions(scene, "mesh \"Bad\": face 1 names a vertex"));
}

// Found by the fuzzer: mesh data under an object that a later block made a light.
TEST_F(HostileFiles, MeshDataOfOtherKindsIsCheckedToo) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("meshlight.3ds", [](Chunk3dsWriter& w) {
        w.begin(0x4000).string("Both").begin(0x4100).vertexList(kTriangle);
        w.beginFaceList({{0, 1, 2}, {0, 1, 9}}).end().end();
        w.begin(0x4600).point(0, 0, 0).end().end();
    }).c_str()));
    EXPECT_EQ(scene.kind, ObjectKind::Light);
    EXPECT_EQ(scene.faceCount, 0);
    EXPECT_EQ(scene.texCoords.size(), 3u);
    EXPECT_EQ(scene.vertexColors.size(), 3u);
}

TEST_F(HostileFiles, MissingMappingCoordinatesReadAsZero) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("mapping.3ds", [](Chunk3dsWriter& w) {
        w.begin(0x4000).string("M").begin(0x4100).vertexList(kTriangle);
        w.begin(0x4140).u16(1).f32(0.25f).f32(0.75f).end();
        w.end().end();
    }).c_str()));
    EXPECT_EQ(scene.texCoordCount, 1);
    ASSERT_GE(scene.texCoords.size(), 3u);
    EXPECT_FLOAT_EQ(scene.texCoords[0].v, 0.75f);
    EXPECT_EQ(scene.texCoords[2].u, 0.0f);
    EXPECT_EQ(scene.materialIndex, kNoMaterial);
}

TEST_F(HostileFiles, TablesStayWithinTheirLimits) {
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("tables.3ds", [](Chunk3dsWriter& w) {
        for (int i = 0; i < kMaxMaterials + 2; ++i) {
            addMesh(w, "M" + std::to_string(i), kTriangle, kOneFace, "tex" + std::to_string(i));
        }
        for (int i = 0; i < kMaxLights + 3; ++i) addLight(w, "L", {0, 0, 0}, {1, 1, 1}, nullptr);
    }).c_str()));
    EXPECT_EQ(scene.materialCount, kMaxMaterials);
    EXPECT_EQ(recorder.textures.size(), static_cast<size_t>(kMaxMaterials));
    SceneObject* mesh = &scene;
    for (int i = 0; i < kMaxMaterials; ++i) mesh = mesh->next;
    EXPECT_EQ(mesh->materialIndex, kNoMaterial);
    EXPECT_EQ(mesh->next->materialIndex, kNoMaterial);
    EXPECT_EQ(scene.lightCount, kMaxLights);
    EXPECT_TRUE(mentions(scene, "more than 60 materials"));
    EXPECT_TRUE(mentions(scene, "more than 100 lights"));
}

TEST_F(HostileFiles, LongAndUnterminatedNamesAreCut) {
    std::string longMaterial(300, 'x');
    Scene scene;
    ASSERT_TRUE(scene.load(sceneFile("strings.3ds", [&](Chunk3dsWriter& w) {
        addMesh(w, "M", kTriangle, kOneFace, longMaterial);
        w.begin(0x4000).u8('A').u8('B').end();  // name without its NUL
    }).c_str()));
    ASSERT_EQ(scene.materialCount, 1);
    EXPECT_EQ(std::string(scene.materials[0].name), longMaterial.substr(0, 255));
    EXPECT_EQ(recorder.textures.at(0).size(), 255u);
    EXPECT_STREQ(scene.next->name, "AB");
    EXPECT_TRUE(mentions(scene, "material name"));
    EXPECT_TRUE(mentions(scene, "has no end"));
}

TEST_F(HostileFiles, StrayBytesAfterTheLastChunk) {
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D).camera("Cam", {0, 0, 0}, {0, 1, 0}).u8(1).u8(2).u8(3).end();
    w.begin(0xB000).infoBlock(0xB003, "Cam", {0, 8}, {{0, 0, 0}, {1, 1, 1}}).end().end();
    Scene scene;
    ASSERT_TRUE(scene.load(w.writeFile("stray.3ds").c_str()));
    EXPECT_EQ(scene.objectCount, 1);
    EXPECT_EQ(scene.frameCount, 8);
    EXPECT_TRUE(mentions(scene, "3 stray bytes"));
}
}  // namespace
