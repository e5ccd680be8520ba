// The eight scene files of the show, one builder each.
#pragma once

#include <string>
#include <vector>

#include "Geometry.h"

SceneDesc makeYoda();
SceneDesc makeMeta();
SceneDesc makeEntree();
SceneDesc makeRace();
SceneDesc makeCity();
SceneDesc makeRooms();
SceneDesc makeWater();
SceneDesc makeMine();

// All eight, in the order the show loads them.
std::vector<SceneDesc> showScenes();
// Writes every scene file into dir; false when one cannot be written.
bool writeScenes(const std::string& dir);
