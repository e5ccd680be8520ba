// The eight scene files of the show, one builder each.
#pragma once

#include <string>
#include <vector>

#include "art/Geometry.h"

SceneDesc makeScene1Opening();
SceneDesc makeScene2MeshPair();
SceneDesc makeScene3Entrance();
SceneDesc makeScene4Race();
SceneDesc makeScene5City();
SceneDesc makeScene6Rooms();
SceneDesc makeScene7Water();
SceneDesc makeScene8Mine();

// All eight, in the order the show loads them.
std::vector<SceneDesc> showScenes();
// What the show needs of a scene file that a builder could get wrong (names
// unique and short enough, limits, key order, a camera that runs the whole
// scene); empty when the scene is sound.
std::string checkScene(const SceneDesc& scene);
// Writes every scene file into dir; false when one cannot be written.
bool writeScenes(const std::string& dir);
