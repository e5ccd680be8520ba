// The scene viewer's texture pictures: where a maker keeps them, not only
// where the show's files name them.
#pragma once

#include <set>
#include <string>

#include "scene3ds/Scene.h"

// Each material's picture: the map its material block names (files made by
// modelling programs), or, in a file without material blocks, the material
// name itself (the show's files). A picture is found as named (from the
// current folder), else beside the scene file, else in texturesDir (when not
// empty), by its file name with any case. Found JPEGs become the materials'
// textures (needs the GL context); each picture not found, or not a JPEG, is
// reported once on standard error (names already in `reported` are not
// reported again) and its material is drawn untextured.
void loadViewTextures(Scene& scene, const std::string& scenePath, const std::string& texturesDir,
                      std::set<std::string>& reported);

// Deletes the materials' textures (a file being replaced by another).
void releaseViewTextures(Scene& scene);
