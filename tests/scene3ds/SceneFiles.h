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

// An object block holding a mesh of these points and faces (and one face
// material list when material is not empty).
void addMesh(Chunk3dsWriter& w, const std::string& name,
             const std::vector<std::vector<float>>& points,
             const std::vector<std::vector<uint16_t>>& faces, const std::string& material = "");
// An object block holding a light; a spotlight target when spot is set.
void addLight(Chunk3dsWriter& w, const std::string& name, std::vector<float> position,
              std::vector<float> color, const std::vector<float>* spot);

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
