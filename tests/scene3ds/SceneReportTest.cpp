// The inspection report: valid JSON with what the show uses, the warnings an
// artist needs, and the exit code.
#include <cstdio>
#include <filesystem>

#include "MiniJson.h"
#include "SceneFiles.h"
#include "scene3ds/SceneReport.h"

namespace {
using Inspect = SceneFileTest;

struct Report {
    int exitCode = -1;
    JsonValue json;
};

Report inspect(const std::string& path) {
    FILE* out = std::tmpfile();
    Report report;
    report.exitCode = inspectSceneFile(path.c_str(), out);
    std::rewind(out);
    std::string text;
    for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
    std::fclose(out);
    report.json = parseJson(text);
    return report;
}

bool hasWarning(const JsonValue& json, const std::string& words) {
    for (const JsonValue& w : json["warnings"].items)
        if (w.text.find(words) != std::string::npos) return true;
    return false;
}

TEST_F(Inspect, ReportsObjectsMarksAndWarnings) {
    Report report = inspect(sceneFile([](Chunk3dsWriter& w) {
        addMesh(w, "*10spark", kTriangle, kOneFace);
        addMesh(w, "%glow\"q", kTriangle, kOneFace, "data/glow.jpg");
        addLight(w, "Lamp", {0, 0, 0}, {1, 0.5f, 0}, nullptr);
    }, nullptr, 1));
    ASSERT_EQ(report.exitCode, 0);
    const JsonValue& json = report.json;
    EXPECT_TRUE(json["loaded"].boolean);
    ASSERT_EQ(json["objects"].size(), 4u);
    const JsonValue& spark = json["objects"][0];
    EXPECT_EQ(spark["kind"].text, "mesh");
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
    EXPECT_EQ(json["camera"]["name"].text, "Cam");
    EXPECT_EQ(json["camera"]["positionKeys"].number, 1);
    EXPECT_EQ(json["frameCount"].number, 0);
    EXPECT_EQ(recorder.textures.size(), 0u);  // inspection loads no picture
    EXPECT_TRUE(hasWarning(json, "emitter mesh \"*10spark\" has no material"));
    EXPECT_TRUE(hasWarning(json, "light \"Lamp\" has no spotlight target"));
    EXPECT_TRUE(hasWarning(json, "1 position key(s): the scene does not move"));
    EXPECT_EQ(json["warnings"].size(), 3u);
}

// Refused files exit with 1 and say why; every corpus file gives valid JSON
// whose exit code agrees with load.
TEST_F(Inspect, RefusedFilesAndTheCorpus) {
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D);
    addMesh(w, "M", kTriangle, {{0, 1, 7}});
    w.end().end();
    Report report = inspect(w.writeFile("inspect-refused.3ds"));
    EXPECT_EQ(report.exitCode, 1);
    EXPECT_FALSE(report.json["loaded"].boolean);
    EXPECT_EQ(report.json["error"].text, "no camera");
    EXPECT_TRUE(report.json["camera"].isNull());
    EXPECT_TRUE(hasWarning(report.json, "names a vertex past"));
    EXPECT_TRUE(hasWarning(report.json, "no camera: the scene shows nothing"));
    Report missing = inspect("/nonexistent.3ds");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.json["error"].text, "cannot open the file");

    const std::filesystem::path corpus = std::filesystem::path(ORVANE_SHARED_DIR) / "3ds-corpus";
    if (!std::filesystem::exists(corpus)) GTEST_SKIP() << "no 3DS corpus";
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
        const std::string path = entry.path().string(), extension = entry.path().extension().string();
        if (extension != ".3ds" && extension != ".3DS") continue;
        ++files;
        ASSERT_NO_THROW(report = inspect(path)) << path;
        Scene scene;
        EXPECT_EQ(report.exitCode, scene.load(path.c_str()) ? 0 : 1) << path;
        EXPECT_EQ(report.json["loaded"].boolean, report.exitCode == 0) << path;
    }
    EXPECT_EQ(files, 10);
}
}  // namespace
