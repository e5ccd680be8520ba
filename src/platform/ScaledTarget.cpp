#include "platform/ScaledTarget.h"

#include <SDL.h>
#include <SDL_opengl.h>

namespace {

// The framebuffer-object entry points, found at run time (OpenGL 3.0 or
// ARB_framebuffer_object); the show itself needs only OpenGL 1.1.
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLBLITFRAMEBUFFERPROC blitFramebuffer = nullptr;
};

// Lifetime: from openScaledTarget to closeScaledTarget.
struct Target {
    FramebufferCalls gl;
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
    int width = 0;
    int height = 0;
};
Target target;

template <typename Call>
bool find(Call& call, const char* name) {
    call = reinterpret_cast<Call>(SDL_GL_GetProcAddress(name));
    return call != nullptr;
}

bool findCalls(FramebufferCalls& gl) {
    return find(gl.genFramebuffers, "glGenFramebuffers") && find(gl.deleteFramebuffers, "glDeleteFramebuffers") &&
           find(gl.bindFramebuffer, "glBindFramebuffer") && find(gl.genRenderbuffers, "glGenRenderbuffers") &&
           find(gl.deleteRenderbuffers, "glDeleteRenderbuffers") && find(gl.bindRenderbuffer, "glBindRenderbuffer") &&
           find(gl.renderbufferStorage, "glRenderbufferStorage") &&
           find(gl.framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
           find(gl.checkFramebufferStatus, "glCheckFramebufferStatus") && find(gl.blitFramebuffer, "glBlitFramebuffer");
}

// The depth format closest to the window's, so depth tests resolve alike.
GLenum depthFormat(int depthBits) {
    if (depthBits >= 32) return GL_DEPTH_COMPONENT32;
    return depthBits >= 24 ? GL_DEPTH_COMPONENT24 : GL_DEPTH_COMPONENT16;
}

GLuint makeRenderbuffer(GLenum format, GLenum attachment) {
    GLuint buffer = 0;
    target.gl.genRenderbuffers(1, &buffer);
    target.gl.bindRenderbuffer(GL_RENDERBUFFER, buffer);
    target.gl.renderbufferStorage(GL_RENDERBUFFER, format, target.width, target.height);
    target.gl.framebufferRenderbuffer(GL_FRAMEBUFFER, attachment, GL_RENDERBUFFER, buffer);
    return buffer;
}

}  // namespace

bool openScaledTarget(int width, int height, int depthBits) {
    closeScaledTarget();
    if (width <= 0 || height <= 0 || !findCalls(target.gl)) return false;
    target.width = width;
    target.height = height;
    target.gl.genFramebuffers(1, &target.framebuffer);
    target.gl.bindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    target.colour = makeRenderbuffer(GL_RGBA8, GL_COLOR_ATTACHMENT0);
    target.depth = makeRenderbuffer(depthFormat(depthBits), GL_DEPTH_ATTACHMENT);
    if (target.gl.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        closeScaledTarget();
        return false;
    }
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    return true;
}

bool scaledTargetActive() { return target.framebuffer != 0; }

void drawScaledTarget(int windowWidth, int windowHeight) {
    // The largest rectangle of the target's shape that fits, centred.
    int width = windowWidth;
    int height = static_cast<int>(static_cast<long long>(windowWidth) * target.height / target.width);
    if (height > windowHeight) {
        height = windowHeight;
        width = static_cast<int>(static_cast<long long>(windowHeight) * target.width / target.height);
    }
    const int x = (windowWidth - width) / 2;
    const int y = (windowHeight - height) / 2;
    GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glDisable(GL_SCISSOR_TEST);
    target.gl.bindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDrawBuffer(GL_BACK);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    target.gl.bindFramebuffer(GL_READ_FRAMEBUFFER, target.framebuffer);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    target.gl.blitFramebuffer(0, 0, target.width, target.height, x, y, x + width, y + height, GL_COLOR_BUFFER_BIT,
                              GL_LINEAR);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
    if (scissor) glEnable(GL_SCISSOR_TEST);
}

void bindScaledTarget() {
    target.gl.bindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
}

void closeScaledTarget() {
    if (target.framebuffer != 0) {
        target.gl.bindFramebuffer(GL_FRAMEBUFFER, 0);
        target.gl.deleteRenderbuffers(1, &target.colour);
        target.gl.deleteRenderbuffers(1, &target.depth);
        target.gl.deleteFramebuffers(1, &target.framebuffer);
    }
    target = Target{};
}
