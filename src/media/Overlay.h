// Full-screen 2D layers: a fixed 1024x768 orthographic space tied to the
// viewport (origin top left), and a texture slot added over the whole
// viewport at 0.9 of its brightness (scene 1's trails and closing capture).
#pragma once

// Size of the overlay space whatever the window or viewport, units.
constexpr int kOverlayWidth = 1024;
constexpr int kOverlayHeight = 768;
// Weight of the texture in the additive overlay.
constexpr float kOverlayAlpha = 0.9f;

// Pushes the projection and replaces it with glOrtho(left, right, bottom,
// top, 0, 1); selects the modelview and loads identity (not saved).
void beginOverlay2D(int left, int top, int right, int bottom);
// Pops the projection; selects the modelview.
void endOverlay2D();
// Adds textureTable[slot] x 0.9 over the viewport. Expects the modelview
// selected and GL_TEXTURE_2D on; leaves the modelview as it was, depth test
// on, blending off, blend function (GL_SRC_ALPHA, GL_ONE), colour (1, 1, 1,
// 0.9). A slot outside the table draws nothing.
void drawFullscreenOverlay(int slot);
