// Shared helpers of the data set tests: where the generated files are, the
// show's use of them, and a GL-free scene load.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scene3ds/Scene.h"

// The build's generated data directory.
std::string dataPath(const std::string& name);

struct SceneUse {
    const char* file;
    int frameFactor;  // frames the show plays
    bool hasEmitters;
};
// The eight scene files in load order, as the show plays them.
const std::vector<SceneUse>& sceneUses();

// Loads a scene file without a GL context (materials get no texture).
std::unique_ptr<Scene> loadScene(const std::string& path);

// Linear interpolation of a stored track at frame f, clamped to its ends.
Vec3 trackAt(const std::vector<uint16_t>& frames, const std::vector<Vec3>& keys, uint32_t count, double f);
