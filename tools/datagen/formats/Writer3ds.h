// Writes a SceneDesc as a 3DS file: the editor section (materials, meshes,
// lights, the camera) and the keyframer section (object, camera and camera
// target blocks with their tracks). Show axes (x, y up, z) are written as
// file axes (X, Y, Z) = (x, -z, y).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "art/Geometry.h"

// The file's bytes.
std::vector<uint8_t> build3ds(const SceneDesc& scene);
// Writes build3ds(scene) to path; false on failure.
bool write3ds(const SceneDesc& scene, const std::string& path);
