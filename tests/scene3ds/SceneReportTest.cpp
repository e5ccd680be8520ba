// The inspection report: the whole JSON text for a playable file (what the
// show uses, the marks, the warnings an artist needs, escaped names; the
// first of two cameras drives the view, from its first keys, not its editor place),
// and the error, warnings and exit code of refused files (unreadable, empty,
// without a camera or its keys).
#include "SceneFiles.h"

namespace {
using Inspect = SceneFileTest;

TEST_F(Inspect, ReportsObjectsMarksWarningsAndRefusals) {
    int exitCode = -1;
    const std::string path = sceneFile(
        [](Chunk3dsWriter& w) {
            w.materialBlock("Wood", {1.0f, 0.6f, 0.2f}, true, "maps\\WOOD.JPG");
            w.materialBlock("Plain", {2.0f, -1.0f, 0.5f}, false, "");
            w.materialBlock("Bare", {}, false, "");
            addMesh(w, "*10spark", kTriangle, kOneFace);
            addMesh(w, "%glow\"q", kTriangle, kOneFace, "data/glow.jpg");
            addLight(w, "Lamp", {0, 0, 0}, {1, 0.5f, 0}, nullptr);
            w.begin(0x4000).string("Front").begin(0x4700);  // the first camera: it drives the view
            w.point(1, 2, 3).point(4, 5, 6).f32(12.5f).f32(35.0f).end().end();
        },
        [](Chunk3dsWriter& w) {
            w.infoBlock(0xB003, "Front", {0, 10}, {{0, 7, 8}, {9, 9, 9}});
            w.infoBlock(0xB004, "Front", {0, 10}, {{1, 1, 1}, {2, 2, 2}});
        },
        1);
    const std::string expected = R"({
  "file": ")" + path + R"json(",
  "loaded": true,
  "error": null,
  "axes": "show (x, y, z) = file (X, Z, -Y)",
  "objects": [
    {"kind": "mesh", "name": "*10spark", "vertices": 3, "faces": 1, "texCoords": 0, "material": null, "marks": {"additive": false, "keepColors": false, "white": false, "emitter": {"type": "1", "depthTest": false}}, "positionKeys": 0, "rotationKeys": 0},
    {"kind": "mesh", "name": "%glow\"q", "vertices": 3, "faces": 1, "texCoords": 0, "material": "data/glow.jpg", "marks": {"additive": true, "keepColors": false, "white": false, "emitter": null}, "positionKeys": 0, "rotationKeys": 0},
    {"kind": "light", "name": "Lamp", "position": [0, 0, -0], "color": [1, 0.5, 0], "range": 0, "positionKeys": 0, "rotationKeys": 0},
    {"kind": "camera", "name": "Front", "positionKeys": 2, "rotationKeys": 2},
    {"kind": "camera", "name": "Cam", "positionKeys": 1, "rotationKeys": 0}
  ],
  "camera": {"name": "Front", "position": [0, 8, -7], "target": [1, 1, -1], "bank": 12.5, "lens": 35, "positionKeys": 2, "targetKeys": 2},
  "materials": ["data/glow.jpg"],
  "materialBlocks": [{"name": "Wood", "diffuse": [1.000, 0.600, 0.200], "map": "maps\\WOOD.JPG"}, {"name": "Plain", "diffuse": [1.000, 0.000, 0.500], "map": ""}, {"name": "Bare", "diffuse": null, "map": ""}],
  "lightCount": 1,
  "frameCount": 10,
  "warnings": [
    "emitter mesh \"*10spark\" has no material",
    "light \"Lamp\" has no spotlight target: it lights nothing"
  ]
}
)json";
    EXPECT_EQ(inspectText(path, exitCode), expected);
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(recorder.textures.size(), 0u);  // inspection loads no picture
    const std::string still = inspectText(sceneFile(nullptr, nullptr, 1), exitCode);
    EXPECT_NE(still.find("\"camera \\\"Cam\\\" has 1 position key(s): the scene does not move\""), std::string::npos)
        << still;
    EXPECT_NE(still.find("\"position\": [0, 0, 10]"), std::string::npos) << still;  // one key: the editor's place

    // Refused files: exit 1 and the reason, and what inspection still sees.
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D);
    addMesh(w, "M", kTriangle, {{0, 1, 7}});
    w.end().end();
    const std::pair<std::string, std::vector<const char*>> refused[] = {
        {w.writeFile("inspect-refused.3ds"),
         {"\"error\": \"no camera\"", "names a vertex past", "\"no camera: the scene shows nothing\""}},
        {"/nonexistent.3ds", {"\"error\": \"cannot open the file\""}},
        {writeScratchFile("inspect-empty.3ds", {}), {"\"error\": \"not a 3DS file (no main chunk 0x4D4D)\""}},
        {sceneFile(nullptr, nullptr, 0), {"\"error\": \"the camera has no position key\""}},
    };
    for (const auto& [file, words] : refused) {
        const std::string text = inspectText(file, exitCode);
        EXPECT_EQ(exitCode, 1) << file;
        EXPECT_NE(text.find("\"loaded\": false"), std::string::npos) << text;
        for (const char* piece : words) EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n" << text;
    }
}
}  // namespace
