// Shared helpers of the data set tests: where the generated files are, and a
// GL-free scene load. The show's use of the scene files is its own table,
// scenes/ShowPlan.h.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scene3ds/Scene.h"

// The build's generated data directory.
std::string dataPath(const std::string& name);

// Loads a scene file without a GL context (materials get no texture).
std::unique_ptr<Scene> loadScene(const std::string& path);

// Linear interpolation of a stored track at frame f, clamped to its ends.
Vec3 trackAt(const std::vector<uint16_t>& frames, const std::vector<Vec3>& keys, uint32_t count, double f);
