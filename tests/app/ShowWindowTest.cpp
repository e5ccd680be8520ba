#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "app/ShowWindow.h"
#include "core/RunSettings.h"
#include "particles/Particles.h"
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
    void SetUp() override {
        openTestGlContext(640, 480);
        WindowEvent drained;
        while (takeWindowEvent(drained)) {
        }
    }
    void TearDown() override {
        runSettings.fullscreen = false;
        useRealClock();
        clearQuitRequest();
        resizeView(640, 480);
    }
};

TEST_F(ShowWindowTest, StartingStateIsThatOfInitGL) {
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    GLint value = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LESS);
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_SMOOTH);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
    GLfloat clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);
    EXPECT_TRUE(particleDepthTest);
    glGetIntegerv(GL_MATRIX_MODE, &value);
    EXPECT_EQ(value, GL_MODELVIEW);
}

TEST_F(ShowWindowTest, ResizeViewSetsThe45DegreeProjection) {
    resizeView(640, 480);
    const View view = currentView();
    const double focal = 1.0 / std::tan(22.5 * M_PI / 180.0);
    EXPECT_EQ(view.viewport[2], 640);
    EXPECT_EQ(view.viewport[3], 480);
    EXPECT_NEAR(view.projection[0], focal / (640.0 / 480.0), 1e-6);
    EXPECT_NEAR(view.projection[5], focal, 1e-6);
    // Near 0.5 and far 4000.
    EXPECT_NEAR(view.projection[10], -(4000.0 + 0.5) / (4000.0 - 0.5), 1e-6);
    EXPECT_NEAR(view.projection[14], -2.0 * 4000.0 * 0.5 / (4000.0 - 0.5), 1e-6);
}

TEST_F(ShowWindowTest, ResizeToHeightZeroIsTakenAsOne) {
    resizeView(640, 0);
    const View view = currentView();
    EXPECT_EQ(view.viewport[3], 1);
    const double focal = 1.0 / std::tan(22.5 * M_PI / 180.0);
    EXPECT_NEAR(view.projection[0], focal / 640.0, 1e-9);
    EXPECT_TRUE(std::isfinite(view.projection[0]));
}

TEST_F(ShowWindowTest, WindowedResizeEventMovesTheView) {
    pushWindowEvent({WindowEventKind::resize, 320, 200});
    pumpUntilPresented();
    const View view = currentView();
    EXPECT_EQ(view.viewport[2], 320);
    EXPECT_EQ(view.viewport[3], 200);
}

TEST_F(ShowWindowTest, FullScreenResizeEventChangesNothing) {
    runSettings.fullscreen = true;
    const View before = currentView();
    pushWindowEvent({WindowEventKind::resize, 320, 200});
    pumpUntilPresented();
    const View after = currentView();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(after.viewport[i], before.viewport[i]);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after.projection[i], before.projection[i]);
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

TEST_F(ShowWindowTest, CloseAndEscapeAskTheShowToEnd) {
    for (WindowEventKind kind : {WindowEventKind::close, WindowEventKind::escapeKey}) {
        clearQuitRequest();
        EXPECT_FALSE(showQuitRequested());
        pushWindowEvent({kind, 0, 0});
        pumpUntilPresented();
        EXPECT_TRUE(showQuitRequested()) << int(kind);
    }
}

TEST_F(ShowWindowTest, ClearFrameClearsColourAndDepth) {
    glClearColor(0.0f, 1.0f, 0.0f, 0.0f);
    clearFrame();
    const std::vector<uint8_t> pixels = readFramebufferRgb(10, 10, 1, 1);
    EXPECT_EQ(rgbAt(pixels, 1, 0, 0), 0x00FF00u);
    GLfloat depth = 0.0f;
    glReadPixels(10, 10, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}

}  // namespace
