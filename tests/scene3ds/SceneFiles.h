// Helpers of the scene3ds tests: 3DS files built from bytes around a playable
// camera, and the reader's hooks recorded instead of loading textures.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "scene3ds/Scene.h"
#include "scene3ds/SceneReport.h"
#include "support/Chunk3dsWriter.h"
#include "support/TestScenes.h"

using testscenes::sameColour;
using testscenes::sameVec;

using ChunkBody = std::function<void(Chunk3dsWriter&)>;

const std::vector<std::vector<float>> kTriangle = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
const std::vector<std::vector<uint16_t>> kOneFace = {{0, 1, 2}};

// A whole file: main chunk, editor section with `editor` then a camera named
// "Cam" at (0, -10, 0) (cameraKeys position keys at frames 0, 100, ..., key i
// at (i, -20, 5)), keyframer section with the camera's block then `keyframer`.
inline std::vector<uint8_t> sceneBytes(const ChunkBody& editor, const ChunkBody& keyframer = nullptr,
                                       int cameraKeys = 2) {
    Chunk3dsWriter w;
    w.begin(0x4D4D).begin(0x3D3D);
    if (editor) editor(w);
    w.camera("Cam", {0, -10, 0}, {0, 0, 0}).end().begin(0xB000);
    std::vector<uint32_t> frames;
    std::vector<std::vector<float>> values;
    for (int i = 0; i < cameraKeys; ++i) {
        frames.push_back(static_cast<uint32_t>(i * 100));
        values.push_back({static_cast<float>(i), -20.0f, 5.0f});
    }
    w.infoBlock(0xB003, "Cam", frames, values);
    if (keyframer) keyframer(w);
    w.end().end();
    return w.bytes();
}

// sceneBytes written to a scratch file named after the running test.
inline std::string sceneFile(const ChunkBody& editor, const ChunkBody& keyframer = nullptr, int cameraKeys = 2) {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return writeScratchFile(std::string(test->test_suite_name()) + "." + test->name() + ".3ds",
                            sceneBytes(editor, keyframer, cameraKeys));
}

// True when one of the load's problems contains words.
inline bool mentions(const Scene& scene, const std::string& words) {
    for (const std::string& problem : scene.loadProblems())
        if (problem.find(words) != std::string::npos) return true;
    return false;
}

// The inspection report of path; its exit code goes to exitCode.
inline std::string inspectText(const std::string& path, int& exitCode) {
    FILE* out = std::tmpfile();
    exitCode = inspectSceneFile(path.c_str(), out);
    std::rewind(out);
    std::string text;
    for (int c; (c = std::fgetc(out)) != EOF;) text += static_cast<char>(c);
    std::fclose(out);
    return text;
}

// What the reader handed to its hooks during a SceneFileTest.
struct ReaderRecord {
    std::vector<std::string> textures;  // paths given to the texture loader, in order
    std::string trace;                  // every trace text, in order
};
inline ReaderRecord recorder;

// Records the reader's hooks; textures get names 1, 2, ... in load order.
class SceneFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        setHeadlessMessages(true);
        recorder = {};
        savedLoader = sceneTextureLoader;
        sceneTextureLoader = [](uint32_t* table, const char* path, int slot) {
            recorder.textures.emplace_back(path);
            table[slot] = static_cast<uint32_t>(recorder.textures.size());
            return 1;
        };
        sceneTraceHook = [](const char* text) { recorder.trace += text; };
    }
    void TearDown() override {
        sceneTextureLoader = savedLoader;
        sceneTraceHook = nullptr;
    }
    SceneTextureLoader savedLoader = nullptr;
};
