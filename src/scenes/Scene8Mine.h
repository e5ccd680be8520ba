// Scene 8's pieces apart from its frame loop: the height-map ripple of the
// "vesk" mesh and the closing lettering.
#pragma once

#include <cstdint>

class ParticleSystem;
struct Scene;
struct SceneObject;

constexpr double kRippleStartFrame = 800.0;  // animation frame
constexpr float kClosingStart = 30.0f;       // scene seconds
constexpr float kClosingSeconds = 15.0f;     // length of the closing window
constexpr int kClosingSteps = 4000;          // walker steps over the window

// Ripple height factor at an animation frame (from the start frame on):
// 0 to 0.4 and back, a period of 20 pi frames.
double rippleAmplitude(double frame);

// Height-map byte index for a vertex at (x, y): the map lies upright along +y
// and mirrored along x. -1 outside the rectangle -155 < x < 155,
// -95 < y < 100 (those vertices keep their height).
int heightMapIndex(double x, double y);

// The mesh textured with the "vesk" material (its name holds "vesk" at
// characters 5 to 8), searched from the second object on; null when the
// scene has none. Leaves the cursor on the first object.
SceneObject* findRippleMesh(Scene& scene);

// Sets z = height-map byte x amplitude for the vertices 0 to count - 2 that
// lie inside the rectangle; the others keep their z.
void applyRipple(SceneObject& mesh, const uint8_t* heightMap, double amplitude);

// The ripple mesh's heights as loaded, kept before the first pass of the
// show and put back before each later one.
void keepRestingHeights();
void restoreRestingHeights();

// True from the closing window's start to the scene's end.
bool closingLetteringShown(float t);
// Writes the closing text into pool at scene time t (t >= 30); nothing when
// the bitmap is missing.
void writeClosingLettering(float t, ParticleSystem& pool);

// One whole frame at scene time t (clears first, presents nothing): the
// ripple of rippleMesh (when not null), the render, the leaving title and
// the closing lettering; the caller has posed the Scene. Leaves depth test
// on, blending off.
void drawScene8Frame(Scene& scene, SceneObject* rippleMesh, float t);
