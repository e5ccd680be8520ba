// Loads every file of the shared 3DS corpus and compares what the reader
// keeps with the reference values written by an independent reader (raw file
// values: the test applies the axis change (X, Y, Z) -> (X, Z, -Y) itself).
// Skips itself where the corpus is absent.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "MiniJson.h"
#include "SceneFiles.h"

namespace {
namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(ORVANE_SHARED_DIR) / "3ds-corpus";

float f(const JsonValue& v) { return static_cast<float>(v.number); }
uint16_t frame16(const JsonValue& key) { return static_cast<uint16_t>(static_cast<uint32_t>(key["frame"].number)); }

// The stored (X, Y, Z) against the reader's converted point.
void expectPoint(const Vec3& ours, const JsonValue& raw, const std::string& what) {
    ASSERT_EQ(raw.size(), 3u) << what;
    EXPECT_EQ(static_cast<float>(ours.x), f(raw[0])) << what;
    EXPECT_EQ(static_cast<float>(ours.y), f(raw[2])) << what;
    EXPECT_EQ(static_cast<float>(ours.z), -f(raw[1])) << what;
}

void expectFace(const Face& ours, const JsonValue& raw, const std::string& what) {
    const int stored[] = {ours.a, ours.b, ours.c, ours.flags};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(stored[i], raw[i].number) << what << " index " << i;
}

SceneObject* objectNamed(Scene& scene, const std::string& name) {
    for (SceneObject* o = &scene; o && scene.objectCount > 0; o = o->next)
        if (name == o->name) return o;
    return nullptr;
}

// [SECTION] Editor section

void checkMeshes(Scene& scene, const JsonValue& expected) {
    const std::map<std::string, ObjectKind> kinds = {{"mesh", ObjectKind::Mesh},
                                                     {"camera", ObjectKind::Camera},
                                                     {"light", ObjectKind::Light},
                                                     {"none", ObjectKind::None}};
    const JsonValue& objects = expected["objects"];
    ASSERT_EQ(scene.objectCount, objects.size());
    SceneObject* o = &scene;
    for (size_t i = 0; i < objects.size(); ++i, o = o->next) {
        EXPECT_EQ(std::string(o->name), objects[i]["name"].text);
        EXPECT_EQ(o->kind, kinds.at(objects[i]["kind"].text)) << o->name;
    }
    std::vector<std::string> materialNames;
    for (const JsonValue& m : expected["meshes"].items) {
        const std::string what = "mesh " + m["name"].text;
        SceneObject* mesh = objectNamed(scene, m["name"].text);
        ASSERT_NE(mesh, nullptr) << what;
        ASSERT_EQ(mesh->vertexCount, m["vertex_count"].number) << what;
        ASSERT_EQ(mesh->faceCount, m["face_count"].number) << what;
        ASSERT_EQ(mesh->texCoordCount, m["texcoord_count"].number) << what;
        expectPoint(mesh->vertices.front(), m["first_vertex"], what + " first vertex");
        expectPoint(mesh->vertices[mesh->vertexCount - 1], m["last_vertex"], what + " last vertex");
        expectFace(mesh->faces.front(), m["first_face"], what + " first face");
        expectFace(mesh->faces[mesh->faceCount - 1], m["last_face"], what + " last face");
        if (!m["first_texcoord"].isNull()) {
            EXPECT_EQ(mesh->texCoords.front().u, f(m["first_texcoord"][0])) << what;
            EXPECT_EQ(mesh->texCoords.front().v, f(m["first_texcoord"][1])) << what;
            EXPECT_EQ(mesh->texCoords[mesh->texCoordCount - 1].u, f(m["last_texcoord"][0])) << what;
            EXPECT_EQ(mesh->texCoords[mesh->texCoordCount - 1].v, f(m["last_texcoord"][1])) << what;
        }
        const JsonValue& groups = m["material_groups"];
        for (const JsonValue& g : groups.items)
            if (std::find(materialNames.begin(), materialNames.end(), g["name"].text) == materialNames.end())
                materialNames.push_back(g["name"].text);
        if (groups.size() == 0) {
            EXPECT_EQ(mesh->materialIndex, kNoMaterial) << what;
        } else {
            ASSERT_GE(mesh->materialIndex, 0) << what;
            EXPECT_EQ(std::string(scene.materials[mesh->materialIndex].name), groups[groups.size() - 1]["name"].text)
                << what;
        }
    }
    EXPECT_EQ(recorder.textures, materialNames);  // one texture per distinct name, in order
    EXPECT_EQ(scene.materialCount, static_cast<int32_t>(materialNames.size()));
}

// [SECTION] Keyframer section

// Position keys as points; rotation keys {angle, axis} as the reader keeps
// them: key 0 cleared, later keys the axis in show axes times the angle in
// degrees (with the show's 3.1415).
void expectTrack(const std::vector<uint16_t>& frames, const std::vector<Vec3>& keys, uint32_t count,
                 const JsonValue& track, bool rotation, const std::string& what) {
    if (track.isNull()) {
        EXPECT_EQ(count, 0u) << what;
        return;
    }
    ASSERT_EQ(count, track["raw_keys"].number) << what;
    EXPECT_EQ(frames.front(), frame16(track["first"])) << what;
    EXPECT_EQ(frames[count - 1], frame16(track["last"])) << what;
    if (!rotation) {
        expectPoint(keys.front(), track["first"]["value"], what + " first");
        expectPoint(keys[count - 1], track["last"]["value"], what + " last");
        return;
    }
    EXPECT_EQ(keys.front().x + keys.front().y + keys.front().z, 0.0) << what;
    if (count < 2) return;
    const double degrees = static_cast<double>(f(track["last"]["angle"])) * 180.0 / 3.1415;
    const JsonValue& axis = track["last"]["axis"];
    EXPECT_DOUBLE_EQ(keys[count - 1].x, static_cast<double>(f(axis[0])) * degrees) << what;
    EXPECT_DOUBLE_EQ(keys[count - 1].y, static_cast<double>(f(axis[2])) * degrees) << what;
    EXPECT_DOUBLE_EQ(keys[count - 1].z, -static_cast<double>(f(axis[1])) * degrees) << what;
}

// Object and camera nodes give position (and object rotation) tracks; a
// camera target node gives the camera's rotation keys.
void checkNodes(Scene& scene, const JsonValue& expected) {
    for (const JsonValue& node : expected["keyframer"]["nodes"].items) {
        const std::string& type = node["type"].text;
        SceneObject* o = objectNamed(scene, node["name"].text);
        if (!o || (type != "object" && type != "camera" && type != "target")) continue;
        const std::string what = type + " node " + node["name"].text;
        const JsonValue& tracks = node["tracks"];
        if (type == "target") {
            expectTrack(o->rotationKeyFrames, o->rotationKeys, o->rotationKeyCount, tracks["position"], false, what);
            continue;
        }
        expectTrack(o->positionKeyFrames, o->positionKeys, o->positionKeyCount, tracks["position"], false, what);
        if (type != "object") continue;
        expectTrack(o->rotationKeyFrames, o->rotationKeys, o->rotationKeyCount, tracks["rotation"], true,
                    what + " rotation");
    }
}

// The first camera drives the view; a file without one (or whose camera has
// no position key) is refused. Two keys or more place the camera (and its
// target) at the first key, fewer leave the editor's place.
void checkCamera(Scene& scene, const JsonValue& expected, bool loaded) {
    const JsonValue* track = nullptr;
    const JsonValue* target = nullptr;
    const JsonValue& c = expected["cameras"].size() > 0 ? expected["cameras"][0] : expected["absent"];
    for (const JsonValue& node : expected["keyframer"]["nodes"].items) {
        if (node["name"].text != c["name"].text) continue;
        if (!track && node["type"].text == "camera") track = &node["tracks"]["position"];
        if (!target && node["type"].text == "target") target = &node["tracks"]["position"];
    }
    ASSERT_EQ(loaded, track && (*track)["raw_keys"].number > 0);
    if (!loaded) {
        EXPECT_EQ(scene.camera, nullptr);
        return;
    }
    const SceneObject& camera = *scene.camera;
    EXPECT_EQ(std::string(camera.name), c["name"].text);
    EXPECT_EQ(camera.cameraBank, f(c["roll"]));
    EXPECT_EQ(camera.cameraLens, f(c["lens"]));
    expectPoint(camera.cameraPosition, camera.positionKeyCount > 1 ? (*track)["first"]["value"] : c["position"],
                "camera position");
    expectPoint(camera.cameraTarget, camera.rotationKeyCount > 1 ? (*target)["first"]["value"] : c["target"],
                "camera target");
    EXPECT_EQ(scene.frameCount, frame16((*track)["last"]));
}

using Corpus = SceneFileTest;

// Each file also inspects to valid JSON whose exit code agrees with load.
TEST_F(Corpus, EveryFileMatchesItsReference) {
    if (!fs::exists(kCorpus)) GTEST_SKIP() << "no 3DS corpus at " << kCorpus;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(kCorpus)) {
        const std::string extension = entry.path().extension().string(), path = entry.path().string();
        if (extension != ".3ds" && extension != ".3DS") continue;
        SCOPED_TRACE(path);
        ++files;
        recorder = {};
        std::ifstream in(kCorpus / "expected" / (entry.path().stem().string() + ".json"));
        std::stringstream text;
        text << in.rdbuf();
        const JsonValue expected = parseJson(text.str());
        Scene scene;
        scene.keepUnplayable = true;
        const bool loaded = scene.load(path.c_str());
        int exitCode = -1;
        EXPECT_NO_THROW(parseJson(inspectText(path, exitCode)));
        EXPECT_EQ(exitCode, loaded ? 0 : 1);
        if (!expected["loaded"].boolean) {
            EXPECT_FALSE(loaded);
            EXPECT_EQ(scene.objectCount, 0);
            continue;
        }
        EXPECT_TRUE(scene.loadProblems().empty() ||
                    scene.loadProblems().back().find("cannot play") != std::string::npos)
            << scene.loadProblems().front();
        checkMeshes(scene, expected);
        checkNodes(scene, expected);
        checkCamera(scene, expected, loaded);
    }
    EXPECT_EQ(files, 10);
}
}  // namespace
