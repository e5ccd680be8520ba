// A headless OpenGL context for GL tests: the show window itself, windowed,
// opened once per process under Xvfb, with the starting state of initGL.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Opens the context on the first call (width x height, windowed; later calls
// keep the first size) and puts the GL state back to what initGL sets:
// viewport and projection of the window, identity modelview, no texture
// bound, blending off, colour white. Ends the test program with a clear
// message when no context can be made (no display). Waiting window events
// are dropped, so a test pushes into an empty queue.
void openTestGlContext(int width = 640, int height = 480);

// RGB bytes of a framebuffer rectangle from the back buffer; row 0 is the
// bottom row (GL window coordinates), rows without padding.
std::vector<uint8_t> readFramebufferRgb(int x, int y, int width, int height);

// The pixel at (x, y) of readFramebufferRgb's result, as 0xRRGGBB.
uint32_t rgbAt(const std::vector<uint8_t>& pixels, int width, int x, int y);
