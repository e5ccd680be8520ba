// The show window's per-frame work on a real GL context: the projection of
// resizeView, window events through pumpFrame, clearFrame.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>
#include <cmath>
#include <vector>

#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "support/GlTestContext.h"
#include "window/ShowWindow.h"

namespace {

// Pumps until a frame is presented: every waiting event is handled.
void pumpUntilPresented() {
    const long presented = presentedFrameCount();
    for (int i = 0; i < 1000 && presentedFrameCount() == presented; ++i) pumpFrame();
}

class ShowWindowTest : public ::testing::Test {
protected:
    void SetUp() override { openTestGlContext(640, 480); }
    void TearDown() override {
        runSettings.fullscreen = false;
        useRealClock();
        clearQuitRequest();
        resizeView(640, 480);
    }
};

// The 45-degree perspective, near 0.5 and far 4000; height 0 is taken as 1.
// A resize event moves the view in a window and changes nothing in full screen.
TEST_F(ShowWindowTest, ResizeProjectionWaitingEventsAndClearFrame) {
    const double focal = 1.0 / std::tan(22.5 * M_PI / 180.0);
    // Width, height, by a window event, full screen; the viewport's width and height.
    const std::array<int, 6> cases[] = {{640, 480, 0, 0, 640, 480},
                                        {320, 200, 0, 0, 320, 200},
                                        {640, 0, 0, 0, 640, 1},
                                        {320, 200, 1, 0, 320, 200},
                                        {320, 200, 1, 1, 640, 480}};
    for (const auto& [width, height, byEvent, fullscreen, viewportWidth, viewportHeight] : cases) {
        resizeView(640, 480);
        runSettings.fullscreen = fullscreen;
        if (byEvent) {
            pushWindowEvent({WindowEventKind::resize, width, height});
            pumpUntilPresented();
        } else {
            resizeView(width, height);
        }
        GLint viewport[4] = {};
        GLdouble projection[16] = {};
        glGetIntegerv(GL_VIEWPORT, viewport);
        glGetDoublev(GL_PROJECTION_MATRIX, projection);
        EXPECT_EQ((std::vector<int>{viewport[2], viewport[3]}), (std::vector<int>{viewportWidth, viewportHeight}))
            << width << "x" << height << " fullscreen " << fullscreen;
        EXPECT_NEAR(projection[0], focal * viewportHeight / viewportWidth, 1e-6) << height;
        EXPECT_NEAR(projection[5], focal, 1e-6);
        EXPECT_NEAR(projection[10], -(4000.0 + 0.5) / (4000.0 - 0.5), 1e-6);
        EXPECT_NEAR(projection[14], -2.0 * 4000.0 * 0.5 / (4000.0 - 0.5), 1e-6);
    }

    // Waiting events are handled one per pump, without presenting or stepping
    // the clock; clearFrame clears colour and depth.
    useSteppedClock(40.0);
    const long presented = presentedFrameCount();
    pushWindowEvent({WindowEventKind::expose, 0, 0});
    pushWindowEvent({WindowEventKind::other, 0, 0});
    pumpFrame();
    pumpFrame();
    EXPECT_EQ(presentedFrameCount(), presented);
    EXPECT_EQ(tickCount(), 0u);
    pumpUntilPresented();  // past any event another window sent meanwhile
    EXPECT_EQ(presentedFrameCount(), presented + 1);
    EXPECT_EQ(tickCount(), 40u);
    EXPECT_FALSE(showQuitRequested());

    glClearColor(0.0f, 1.0f, 0.0f, 0.0f);
    clearFrame();
    EXPECT_EQ(rgbAt(readFramebufferRgb(10, 10, 1, 1), 1, 0, 0), 0x00FF00u);
    GLfloat depth = 0.0f;
    glReadPixels(10, 10, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

}  // namespace
