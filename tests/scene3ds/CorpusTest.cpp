// Loads every file of the shared 3DS corpus and compares what the reader
// keeps with the reference values written by an independent reader (raw file
// values: the test applies the axis change (X, Y, Z) -> (X, Z, -Y) itself).
// Skips itself where the corpus is absent.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "MiniJson.h"
#include "SceneFiles.h"

namespace {
namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(ORVANE_SHARED_DIR) / "3ds-corpus";

std::vector<std::string> corpusFiles() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kCorpus, error)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (extension == ".3ds") names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) names.push_back("");  // one test that skips
    return names;
}

JsonValue readExpected(const std::string& file) {
    fs::path path = kCorpus / "expected" / (fs::path(file).stem().string() + ".json");
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return parseJson(text.str());
}

float f(const JsonValue& v) { return static_cast<float>(v.number); }

// The stored (X, Y, Z) against the reader's converted point.
void expectPoint(const Vec3& ours, const JsonValue& raw, const std::string& what) {
    ASSERT_EQ(raw.size(), 3u) << what;
    EXPECT_EQ(static_cast<float>(ours.x), f(raw[0])) << what;
    EXPECT_EQ(static_cast<float>(ours.y), f(raw[2])) << what;
    EXPECT_EQ(static_cast<float>(ours.z), -f(raw[1])) << what;
}

void expectFace(const Face& ours, const JsonValue& raw, const std::string& what) {
    EXPECT_EQ(ours.a, raw[0].number) << what;
    EXPECT_EQ(ours.b, raw[1].number) << what;
    EXPECT_EQ(ours.c, raw[2].number) << what;
    EXPECT_EQ(ours.flags, raw[3].number) << what;
}

SceneObject* objectNamed(Scene& scene, const std::string& name) {
    for (SceneObject* o = &scene; o && scene.objectCount > 0; o = o->next) {
        if (name == o->name) return o;
    }
    return nullptr;
}

ObjectKind kindOf(const std::string& kind) {
    if (kind == "mesh") return ObjectKind::Mesh;
    if (kind == "camera") return ObjectKind::Camera;
    if (kind == "light") return ObjectKind::Light;
    return ObjectKind::None;
}

// [SECTION] Editor section

void checkObjects(Scene& scene, const JsonValue& expected) {
    const JsonValue& objects = expected["objects"];
    ASSERT_EQ(scene.objectCount, objects.size());
    SceneObject* o = &scene;
    for (size_t i = 0; i < objects.size(); ++i, o = o->next) {
        ASSERT_NE(o, nullptr);
        EXPECT_EQ(std::string(o->name), objects[i]["name"].text);
        EXPECT_EQ(o->kind, kindOf(objects[i]["kind"].text)) << o->name;
    }
}

void checkMeshes(Scene& scene, const JsonValue& expected) {
    std::vector<std::string> materialNames;
    for (const JsonValue& m : expected["meshes"].items) {
        SceneObject* mesh = objectNamed(scene, m["name"].text);
        ASSERT_NE(mesh, nullptr) << m["name"].text;
        std::string what = "mesh " + m["name"].text;
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
        EXPECT_GE(mesh->texCoords.size(), mesh->vertexCount) << what;
        const JsonValue& groups = m["material_groups"];
        for (const JsonValue& g : groups.items) {
            if (std::find(materialNames.begin(), materialNames.end(), g["name"].text) ==
                materialNames.end()) {
                materialNames.push_back(g["name"].text);
            }
        }
        if (groups.size() == 0) {
            EXPECT_EQ(mesh->materialIndex, kNoMaterial) << what;
        } else {
            ASSERT_GE(mesh->materialIndex, 0) << what;
            EXPECT_EQ(std::string(scene.materials[mesh->materialIndex].name),
                      groups[groups.size() - 1]["name"].text) << what;
        }
    }
    EXPECT_EQ(recorder.textures, materialNames);  // one texture per distinct name, in order
    EXPECT_EQ(scene.materialCount, static_cast<int32_t>(materialNames.size()));
}

void checkLights(Scene& scene, const JsonValue& expected) {
    ASSERT_EQ(scene.lightCount, static_cast<int32_t>(expected["lights"].size()));
    for (size_t i = 0; i < expected["lights"].size(); ++i) {
        const JsonValue& l = expected["lights"][i];
        const SceneObject& light = *scene.lights[i];
        EXPECT_EQ(std::string(light.name), l["name"].text);
        expectPoint(light.lightPosition, l["position"], "light position");
        EXPECT_EQ(light.lightColor.r, std::fabs(f(l["color"][0])));
        EXPECT_EQ(light.lightColor.g, std::fabs(f(l["color"][1])));
        EXPECT_EQ(light.lightColor.b, std::fabs(f(l["color"][2])));
        if (l["spot"].boolean) {
            expectPoint(light.spotTarget, l["spot_target"], "spot target");
            EXPECT_EQ(light.spotHotspot, f(l["hotspot"]));
            EXPECT_EQ(light.spotFalloff, f(l["falloff"]));
        }
    }
}

// [SECTION] Keyframer section

// Raw rotation key {angle, axis} as the reader stores it: axis in show axes
// times the angle in degrees (with the show's 3.1415).
void expectRotationKey(const Vec3& ours, const JsonValue& raw, const std::string& what) {
    double degrees = static_cast<double>(f(raw["angle"])) * 180.0 / 3.1415;
    const JsonValue& axis = raw["axis"];
    EXPECT_DOUBLE_EQ(ours.x, static_cast<double>(f(axis[0])) * degrees) << what;
    EXPECT_DOUBLE_EQ(ours.y, static_cast<double>(f(axis[2])) * degrees) << what;
    EXPECT_DOUBLE_EQ(ours.z, -static_cast<double>(f(axis[1])) * degrees) << what;
}

void expectTrack(uint32_t count, const std::vector<uint16_t>& frames,
                 const std::vector<Vec3>& keys, const JsonValue& track, bool rotation,
                 const std::string& what) {
    if (track.isNull()) {
        EXPECT_EQ(count, 0u) << what;
        return;
    }
    ASSERT_EQ(count, track["raw_keys"].number) << what;
    ASSERT_GT(count, 0u) << what;
    EXPECT_EQ(frames.front(), static_cast<uint32_t>(track["first"]["frame"].number) & 0xFFFFu) << what;
    EXPECT_EQ(frames[count - 1], static_cast<uint32_t>(track["last"]["frame"].number) & 0xFFFFu) << what;
    if (rotation) {
        EXPECT_DOUBLE_EQ(keys.front().x, 0.0) << what;
        EXPECT_DOUBLE_EQ(keys.front().y, 0.0) << what;
        if (count > 1) expectRotationKey(keys[count - 1], track["last"], what + " last");
    } else {
        expectPoint(keys.front(), track["first"]["value"], what + " first");
        expectPoint(keys[count - 1], track["last"]["value"], what + " last");
    }
}

void checkNodes(Scene& scene, const JsonValue& expected) {
    for (const JsonValue& node : expected["keyframer"]["nodes"].items) {
        const std::string& type = node["type"].text;
        SceneObject* o = objectNamed(scene, node["name"].text);
        if (!o || (type != "object" && type != "camera" && type != "target")) continue;
        std::string what = type + " node " + node["name"].text;
        const JsonValue& tracks = node["tracks"];
        if (type == "target") {
            expectTrack(o->rotationKeyCount, o->rotationKeyFrames, o->rotationKeys,
                        tracks["position"], false, what);
            continue;
        }
        expectTrack(o->positionKeyCount, o->positionKeyFrames, o->positionKeys,
                    tracks["position"], false, what);
        if (type == "object") {
            expectTrack(o->rotationKeyCount, o->rotationKeyFrames, o->rotationKeys,
                        tracks["rotation"], true, what + " rotation");
            if (o->kind == ObjectKind::Mesh && o->positionKeyCount > 0) {
                EXPECT_DOUBLE_EQ(o->position.x, o->positionKeys[0].x) << what;
                EXPECT_DOUBLE_EQ(o->basePosition.y, o->positionKeys[0].y) << what;
            }
        }
    }
}

// The first camera drives the view; a file without one (or whose camera has
// no position key) is refused.
void checkCamera(Scene& scene, const JsonValue& expected, bool loaded) {
    const JsonValue& cameras = expected["cameras"];
    const JsonValue* cameraTrack = nullptr;
    if (cameras.size() > 0) {
        for (const JsonValue& node : expected["keyframer"]["nodes"].items) {
            if (node["type"].text == "camera" && node["name"].text == cameras[0]["name"].text) {
                cameraTrack = &node["tracks"]["position"];
                break;
            }
        }
    }
    bool playable = cameraTrack && !cameraTrack->isNull() && (*cameraTrack)["raw_keys"].number > 0;
    ASSERT_EQ(loaded, playable);
    if (!loaded) {
        EXPECT_EQ(scene.camera, nullptr);
        return;
    }
    const JsonValue& c = cameras[0];
    ASSERT_NE(scene.camera, nullptr);
    EXPECT_EQ(std::string(scene.camera->name), c["name"].text);
    EXPECT_EQ(scene.camera->cameraBank, f(c["roll"]));
    EXPECT_EQ(scene.camera->cameraLens, f(c["lens"]));
    const SceneObject& camera = *scene.camera;
    if (camera.positionKeyCount > 1) {
        expectPoint(camera.cameraPosition, (*cameraTrack)["first"]["value"], "camera at first key");
    } else {
        expectPoint(camera.cameraPosition, c["position"], "camera at editor place");
    }
    if (camera.rotationKeyCount <= 1) expectPoint(camera.cameraTarget, c["target"], "camera target");
    EXPECT_EQ(scene.frameCount,
              static_cast<int32_t>(static_cast<uint32_t>((*cameraTrack)["last"]["frame"].number) & 0xFFFFu));
}

class Corpus : public SceneFileTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(Corpus, MatchesReference) {
    if (GetParam().empty()) GTEST_SKIP() << "no 3DS corpus at " << kCorpus;
    JsonValue expected = readExpected(GetParam());
    Scene scene;
    scene.keepUnplayable = true;
    bool loaded = scene.load((kCorpus / GetParam()).string().c_str());
    if (!expected["loaded"].boolean) {
        EXPECT_FALSE(loaded);
        EXPECT_EQ(scene.objectCount, 0);
        EXPECT_EQ(scene.camera, nullptr);
        return;
    }
    EXPECT_TRUE(scene.loadProblems().empty() ||
                scene.loadProblems().back().find("cannot play") != std::string::npos)
        << scene.loadProblems().front();
    checkObjects(scene, expected);
    checkMeshes(scene, expected);
    checkLights(scene, expected);
    checkNodes(scene, expected);
    checkCamera(scene, expected, loaded);
}

std::string testName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name;
    for (char c : info.param) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name.empty() ? "absent" : name;
}

INSTANTIATE_TEST_SUITE_P(SharedFiles, Corpus, ::testing::ValuesIn(corpusFiles()), testName);
}  // namespace
