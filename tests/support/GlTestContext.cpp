#include "support/GlTestContext.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "window/ShowWindow.h"

namespace {

bool opened = false;

void openOnce(int width, int height) {
    setHeadlessMessages(true);
    runSettings.width = width;
    runSettings.height = height;
    runSettings.fullscreen = false;
    if (!createShowWindow("Orvane test", width, height, 0, false) || initGL() == 0) {
        std::fprintf(stderr,
                     "openTestGlContext: no OpenGL window could be opened (%s; is there a display? "
                     "run the GL tests under xvfb-run)\n",
                     platformError());
        std::exit(1);
    }
    opened = true;
    // The system's own first events (shown, exposed, focus) arrive shortly
    // after the window opens: wait for the exposure so tests start quiet.
    constexpr int kExposeWaits = 100;
    WindowEvent event;
    for (int i = 0; i < kExposeWaits; ++i) {
        bool exposed = false;
        while (takeWindowEvent(event)) exposed = exposed || event.kind == WindowEventKind::expose;
        if (exposed) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Drops every waiting window event.
void drainEvents() {
    WindowEvent event;
    while (takeWindowEvent(event)) {}
}

}  // namespace

void openTestGlContext(int width, int height) {
    if (!opened) openOnce(width, height);
    setInitialGLState();
    resizeView(runSettings.width, runSettings.height);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    clearQuitRequest();
    drainEvents();
}

std::vector<uint8_t> readFramebufferRgb(int x, int y, int width, int height) {
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

uint32_t rgbAt(const std::vector<uint8_t>& pixels, int width, int x, int y) {
    const size_t at = (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 3;
    return (uint32_t(pixels[at]) << 16) | (uint32_t(pixels[at + 1]) << 8) | pixels[at + 2];
}
