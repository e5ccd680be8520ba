// The spinning backdrop: two large copies of the backdrop picture (slot 4)
// turning in opposite directions and bobbing in depth, added over the frame.
// Scenes 1 and 3 draw it over their render; scene 2 draws the same layers.
// Scenes 1 and 2 also lay the same picture as a band behind their render.
#pragma once

// Full spin of each layer over a scene, degrees, and bobbing phase over a
// scene, radians.
constexpr float kBackdropSpinDegrees = 680.0f;
constexpr double kBackdropBobRadians = 40.0;

// Draws both layers at scene time elapsed of duration (seconds).
// Expects the blend function to be set by the caller (GL_ONE, GL_ONE after
// render) and GL_TEXTURE_2D on; leaves blending off, depth test on, the
// modelview matrix replaced.
void drawSpinningBackdrop(float elapsed, float duration);

// The backdrop picture as a band across the middle, at depth -2, over what
// is drawn (depth test off while it draws), blended only if the caller has
// blending on. Sets the blend function (GL_ONE, GL_ONE); leaves depth test
// on, the modelview matrix replaced.
void drawBackdropBand();
