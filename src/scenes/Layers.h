// Drawing layers that several scenes share: the backdrop band and the
// spinning backdrop (scenes 1 to 3), the title picture (scenes 1, 7 and 8),
// the quad of a captured frame (scenes 5 and 6) and the particle lettering
// (scenes 3, 6 and 8).
#pragma once

#include <cstdint>

class ParticleSystem;

// [SECTION] Backdrop ---------------------------------------------------------

// Full spin of each backdrop layer over a scene, degrees, and its bobbing
// phase over a scene, radians.
constexpr float kBackdropSpinDegrees = 680.0f;
constexpr double kBackdropBobRadians = 40.0;

// Two large copies of the backdrop picture turning in opposite directions
// and bobbing in depth, added over the frame, at scene time elapsed of
// duration (seconds). Expects the blend function set by the caller (GL_ONE,
// GL_ONE after render) and GL_TEXTURE_2D on; leaves blending off, depth test
// on, the modelview matrix replaced.
void drawSpinningBackdrop(float elapsed, float duration);

// The backdrop picture as a band across the middle, at depth -2, over what
// is drawn (depth test off while it draws), blended only if the caller has
// blending on. Sets the blend function (GL_ONE, GL_ONE); leaves depth test
// on, the modelview matrix replaced.
void drawBackdropBand();

// [SECTION] Pictures ---------------------------------------------------------

// The title picture at depth z turned by angle degrees about y, added to the
// frame. Expects blending off; keeps the caller's depth test (scenes 7 and 8
// leave it on, so nearer geometry hides the title); leaves blending off.
void drawTitle(float z, float angle);

// One 3 by 2 quad for a captured frame (t = 0 at its lower edge) at the
// modelview's origin, facing +z, with the bound texture.
void drawCaptureQuad();

// [SECTION] Lettering --------------------------------------------------------

// The walker's home step of every lettering, bitmap pixels.
constexpr int kLetteringHomeStep = 21;

// Writes a bitmap's text into pool at t seconds of a window of duration,
// walking steps from the start pixel (the walker marks the pixels it has
// written in the bitmap itself); nothing when the bitmap is missing.
void writeLettering(uint8_t* bitmap, float t, float duration, int steps, int startX, int startY, ParticleSystem& pool);
