// The show window's per-frame work on a real GL context: the projection of
// resizeView, window events through pumpFrame, clearFrame.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "app/ShowWindow.h"
#include "core/RunSettings.h"
#include "platform/Platform.h"
#include "platform/PlatformWindow.h"
#include "support/GlTestContext.h"

namespace {

struct View {
    GLint viewport[4] = {};
    GLdouble projection[16] = {};
};

View currentView() {
    View view;
    glGetIntegerv(GL_VIEWPORT, view.viewport);
    glGetDoublev(GL_PROJECTION_MATRIX, view.projection);
    return view;
}

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
TEST_F(ShowWindowTest, ResizeViewSetsThe45DegreeProjection) {
    const double focal = 1.0 / std::tan(22.5 * M_PI / 180.0);
    const struct {
        int width, height, viewportHeight;
    } cases[] = {{640, 480, 480}, {320, 200, 200}, {640, 0, 1}};
    for (const auto& c : cases) {
        resizeView(c.width, c.height);
        const View view = currentView();
        EXPECT_EQ(view.viewport[2], c.width);
        EXPECT_EQ(view.viewport[3], c.viewportHeight) << c.height;
        EXPECT_NEAR(view.projection[0], focal * c.viewportHeight / c.width, 1e-6) << c.height;
        EXPECT_NEAR(view.projection[5], focal, 1e-6);
        EXPECT_NEAR(view.projection[10], -(4000.0 + 0.5) / (4000.0 - 0.5), 1e-6);
        EXPECT_NEAR(view.projection[14], -2.0 * 4000.0 * 0.5 / (4000.0 - 0.5), 1e-6);
    }
}

// A resize event moves the view in a window and changes nothing in full screen.
TEST_F(ShowWindowTest, ResizeEventsFollowTheWindowOnlyWhenWindowed) {
    for (bool fullscreen : {true, false}) {
        resizeView(640, 480);
        runSettings.fullscreen = fullscreen;
        pushWindowEvent({WindowEventKind::resize, 320, 200});
        pumpUntilPresented();
        const View view = currentView();
        const int width = fullscreen ? 640 : 320, height = fullscreen ? 480 : 200;
        EXPECT_EQ(view.viewport[2], width) << fullscreen;
        EXPECT_EQ(view.viewport[3], height) << fullscreen;
        EXPECT_NEAR(view.projection[0], view.projection[5] * height / width, 1e-6) << fullscreen;
    }
}

TEST_F(ShowWindowTest, PumpHandlesAWaitingEventInsteadOfPresenting) {
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
}

TEST_F(ShowWindowTest, ClearFrameClearsColourAndDepth) {
    glClearColor(0.0f, 1.0f, 0.0f, 0.0f);
    clearFrame();
    EXPECT_EQ(rgbAt(readFramebufferRgb(10, 10, 1, 1), 1, 0, 0), 0x00FF00u);
    GLfloat depth = 0.0f;
    glReadPixels(10, 10, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

}  // namespace
