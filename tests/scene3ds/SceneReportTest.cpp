// The inspection report: valid JSON with what the show uses, the warnings an
// artist needs, and the exit code. The corpus files are inspected by the
// corpus test.
#include "MiniJson.h"
#include "SceneFiles.h"

namespace {
using Inspect = SceneFileTest;

// The words of every warning, one after the other.
std::string warnings(const JsonValue& json) {
    std::string all;
    for (const JsonValue& w : json["warnings"].items) all += w.text + "|";
    return all;
}

TEST_F(Inspect, ReportsObjectsMarksWarningsAndRefusals) {
    int exitCode = -1;
    JsonValue json = parseJson(inspectText(sceneFile(
                                               [](Chunk3dsWriter& w) {
                                                   addMesh(w, "*10spark", kTriangle, kOneFace);
                                                   addMesh(w, "%glow\"q", kTriangle, kOneFace, "data/glow.jpg");
                                                   addLight(w, "Lamp", {0, 0, 0}, {1, 0.5f, 0}, nullptr);
                                               },
                                               nullptr, 1),
                                           exitCode));
    ASSERT_EQ(exitCode, 0);
    ASSERT_EQ(json["objects"].size(), 4u);
    const JsonValue& spark = json["objects"][0];
    EXPECT_EQ(spark["vertices"].number, 3);
    EXPECT_TRUE(spark["material"].isNull());
    EXPECT_EQ(spark["marks"]["emitter"]["type"].text, "1");
    EXPECT_FALSE(spark["marks"]["emitter"]["depthTest"].boolean);
    const JsonValue& glow = json["objects"][1];
    EXPECT_EQ(glow["name"].text, "%glow\"q");
    EXPECT_EQ(glow["material"].text, "data/glow.jpg");
    EXPECT_TRUE(glow["marks"]["additive"].boolean);
    EXPECT_TRUE(glow["marks"]["emitter"].isNull());
    EXPECT_EQ(json["objects"][2]["range"].number, 0);
    EXPECT_EQ(json["camera"]["positionKeys"].number, 1);
    EXPECT_EQ(recorder.textures.size(), 0u);  // inspection loads no picture
    EXPECT_EQ(warnings(json),
              "emitter mesh \"*10spark\" has no material|"
              "light \"Lamp\" has no spotlight target: it lights nothing|"
              "camera \"Cam\" has 1 position key(s): the scene does not move|");

    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D);
    addMesh(w, "M", kTriangle, {{0, 1, 7}});
    w.end().end();
    json = parseJson(inspectText(w.writeFile("inspect-refused.3ds"), exitCode));
    EXPECT_EQ(exitCode, 1);
    EXPECT_FALSE(json["loaded"].boolean);
    EXPECT_EQ(json["error"].text, "no camera");
    EXPECT_NE(warnings(json).find("names a vertex past"), std::string::npos) << warnings(json);
    EXPECT_NE(warnings(json).find("no camera: the scene shows nothing"), std::string::npos) << warnings(json);
    json = parseJson(inspectText("/nonexistent.3ds", exitCode));
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(json["error"].text, "cannot open the file");
}
}  // namespace
