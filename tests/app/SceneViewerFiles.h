// Helpers of the scene viewer tests: small 3DS files built from bytes, the
// viewer run as a program, and its PNG frames read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "RunOrvane.h"
#include "support/Chunk3dsWriter.h"

// [SECTION] Files

// A closed box of 12 triangles from low to high (file axes X, Y, Z).
void addBoxMesh(Chunk3dsWriter& w, const std::string& name, std::vector<float> low, std::vector<float> high);
// A rotation track (0xB021): frames, angles in radians about (X, Y, Z) axes.
void addRotationTrack(Chunk3dsWriter& w, const std::vector<uint32_t>& frames, const std::vector<float>& angles,
                      const std::vector<std::vector<float>>& axes);

// The test scene: a lit box named "Box" at the origin that slides along X
// and turns about the up axis over frames 0 to 60, seen by camera "Cam"
// whose eye moves through three keys over the same frames while looking at
// the origin (the camera has no restart at frame 0 of its own). With
// withEmitter, a small mesh "*00Glow" (material "glow.jpg", a file that does
// not exist) sits 20 units above the box: a type 0 emitter.
std::vector<uint8_t> animatedSceneBytes(bool withEmitter = false);
// A box of the given corners and nothing else: no camera, no light.
std::vector<uint8_t> cameraLessBoxBytes(std::vector<float> low, std::vector<float> high);

// [SECTION] Runs and pictures

// RGB pixels, rows top first.
struct Picture {
    unsigned width = 0;
    unsigned height = 0;
    std::vector<uint8_t> rgb;
    bool lit(unsigned x, unsigned y) const;  // any channel above a dark threshold
};

// Reads an 8-bit RGB PNG of stored deflate blocks (what the program writes);
// false on anything else.
bool readPng(const std::string& path, Picture& picture);

// Box around the lit pixels; false when none is lit.
struct PixelBox {
    unsigned left = 0, top = 0, right = 0, bottom = 0;  // inclusive
    unsigned area() const { return (right - left + 1) * (bottom - top + 1); }
};
bool litBox(const Picture& picture, PixelBox& box);
long litCount(const Picture& picture);
long differingPixels(const Picture& a, const Picture& b);

// A fresh empty folder under the system's temporary folder.
std::string freshViewFolder(const std::string& name);
// Runs `orvane --view file --windowed --size 320x240 --fixed-fps 30
// --frames-at times --frames-dir folder` plus extra, quietly, from the
// system's temporary folder.
ProgramRun runView(const std::string& file, const std::string& times, const std::string& folder,
                   const std::vector<std::string>& extra = {});
// The PNG written for a view time.
std::string viewFramePath(const std::string& folder, double time);
