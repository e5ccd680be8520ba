#include <gtest/gtest.h>

#include "platform/PlatformWindow.h"
#include "support/GlTestContext.h"

namespace {

class PlatformWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        openTestGlContext();
        WindowEvent drained;
        while (takeWindowEvent(drained)) {
        }
    }
};

TEST_F(PlatformWindowTest, ContextHasADoubleBufferedDeepFormat) {
    const PixelFormatInfo format = currentPixelFormat();
    EXPECT_TRUE(format.doubleBuffered);
    EXPECT_GE(format.colorBits, 24);
    EXPECT_GE(format.depthBits, 16);
    EXPECT_TRUE(windowHasPixelFormat());
    int width = 0, height = 0;
    windowClientSize(&width, &height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
}

TEST_F(PlatformWindowTest, PushedEventsComeBackOneAtATimeInOrder) {
    pushWindowEvent({WindowEventKind::resize, 320, 200});
    pushWindowEvent({WindowEventKind::escapeKey, 0, 0});
    pushWindowEvent({WindowEventKind::close, 0, 0});
    pushWindowEvent({WindowEventKind::expose, 0, 0});
    WindowEvent event;
    ASSERT_TRUE(takeWindowEvent(event));
    EXPECT_EQ(event.kind, WindowEventKind::resize);
    EXPECT_EQ(event.width, 320);
    EXPECT_EQ(event.height, 200);
    ASSERT_TRUE(takeWindowEvent(event));
    EXPECT_EQ(event.kind, WindowEventKind::escapeKey);
    ASSERT_TRUE(takeWindowEvent(event));
    EXPECT_EQ(event.kind, WindowEventKind::close);
    ASSERT_TRUE(takeWindowEvent(event));
    EXPECT_EQ(event.kind, WindowEventKind::expose);
    EXPECT_FALSE(takeWindowEvent(event));
}

TEST_F(PlatformWindowTest, PresentCountsFrames) {
    const long before = presentedFrameCount();
    presentFrame();
    presentFrame();
    EXPECT_EQ(presentedFrameCount(), before + 2);
}

}  // namespace
