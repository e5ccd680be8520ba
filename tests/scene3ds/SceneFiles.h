// Helpers of the scene3ds tests: 3DS files built from bytes around a playable
// camera, and the reader's hooks recorded instead of loading textures.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scene3ds/Scene.h"
#include "support/Chunk3dsWriter.h"

using ChunkBody = std::function<void(Chunk3dsWriter&)>;

// A whole file: main chunk, editor section with `editor` then a camera named
// "Cam" (position keys at frames 0 and 100 unless cameraKeys says otherwise),
// keyframer section with the camera's block then `keyframer`.
std::vector<uint8_t> sceneBytes(const ChunkBody& editor, const ChunkBody& keyframer = nullptr,
                                int cameraKeys = 2);
std::string sceneFile(const std::string& name, const ChunkBody& editor,
                      const ChunkBody& keyframer = nullptr, int cameraKeys = 2);

// Records what the reader hands to its hooks; installed by SetUp of the test
// fixtures, removed by TearDown.
struct ReaderRecorder {
    std::vector<std::string> textures;  // paths given to the texture loader
    std::string trace;                  // every trace text, in order
    void install();
    void remove();
};
extern ReaderRecorder recorder;

#include <gtest/gtest.h>

class SceneFileTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
