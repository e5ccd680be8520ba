// The offscreen target of a full-screen show on a display without the chosen
// mode: the show draws at its chosen size into a framebuffer object (so every
// read-back and capture is what it is at that size), presented scaled to
// fit the desktop-sized window, aspect kept, with black bars. Internal to
// the platform's window. Lifetime: from openScaledTarget to closeScaledTarget.
#pragma once

// Makes and binds the target (needs the context current); false when the
// OpenGL in use has no framebuffer objects.
bool openScaledTarget(int width, int height, int depthBits);
bool scaledTargetActive();
// Draws the target, scaled and centred, into the window's back buffer (the
// rest black), ready for the swap; then binds the target again.
void drawScaledTarget(int windowWidth, int windowHeight);
// Binds the target for drawing and for pixel reads (glReadPixels,
// glCopyTexSubImage2D), which then take the frame being drawn.
void bindScaledTarget();
void closeScaledTarget();
