// Test pieces for the loading sequence, the overlay and scenes 1, 2, 4, 5:
// uniform and patterned textures in the texture table, a small in-memory
// Scene (a camera looking down -z and one white square), and pixel checks.
#pragma once

#include <cstdint>
#include <vector>

#include "scene3ds/Scene.h"
#include "support/GlHelpers.h"

// Fills textureTable[slot] with a new side x side texture of one colour
// (0xRRGGBB), no mipmaps, linear filtering.
void makeUniformTexture(int slot, uint32_t rgb, int side = 64);
// A 512x512 texture whose rows below `split` are `below` and the others
// `above` (row 0 is t = 0, the bottom of a captured frame).
void makeSplitTexture(int slot, uint32_t below, uint32_t above, int split = 256);
// Back to what loadShow leaves in slot 0: a blank 512x512 RGB texture.
void makeBlankTransition();

// A Scene whose own record is the camera at the origin looking down -z and
// whose second object is a white square mesh of half side `half` centred at
// (x, y, z). Not loaded from a file; frameCount large so frames never clamp.
Scene* makeSquareScene(double x, double y, double z, double half);
// The square mesh of a Scene made by makeSquareScene.
SceneObject& squareOf(Scene& scene);
// A Scene with the camera only: render draws nothing.
Scene* makeEmptyScene();

// The red, green and blue parts of a pixel read by rgbAt.
using testgl::red;
using testgl::green;
using testgl::blue;

// Pixels of the whole window (runSettings size), row 0 at the bottom.
struct WindowPixels {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    uint32_t at(int x, int y) const;
    // Window pixels whose red channel is at least `level`.
    int countRedAtLeast(int level) const;
};
WindowPixels readWindow();

// The texture image of textureTable[slot] (512x512 RGB), row 0 at t = 0.
WindowPixels readSlot(int slot);
