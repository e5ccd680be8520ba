// The launch dialog on a real display: the orvane program is started with no
// arguments, its dialog is found by title and clicked with xdotool, and what
// follows is read back from the X server. Each test runs its own Xvfb, so
// windows of tests running beside it never mix in.
#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>
#include <functional>
#include <sstream>

#include "app/LaunchDialogLayout.h"
#include "app/LaunchDialogLogic.h"
#include "support/OwnScreen.h"
#include "support/ScreenImage.h"
#include "support/ShowProcess.h"

namespace {

// A visible window of process pid titled "Orvane", other than `besides`.
std::string findWindow(int pid, const std::string& besides = "", int waitMs = 30000) {
    return ::findWindow(pid, "^Orvane$", besides, waitMs);
}

bool windowExists(const std::string& id) {
    return shellOutput("xwininfo -id " + id + " >/dev/null 2>&1 && echo yes").find("yes") != std::string::npos;
}

int geometryValue(const std::string& info, const std::string& key) {
    const size_t at = info.find(key);
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + key.size());
}

// Clicks the middle of a control of the dialog.
void clickControl(const std::string& dialog, int32_t id) {
    const DialogControl* control = findDialogControl(id);
    ASSERT_NE(control, nullptr);
    const PixelRect r = controlRect(*control);
    int status = -1;
    shellOutput("xdotool mousemove --sync --window " + dialog + " " + std::to_string(r.x + r.width / 2) + " " +
                    std::to_string(r.y + r.height / 2) + " click 1",
                &status);
    ASSERT_EQ(status, 0) << "click on control " << id;
    pauseMs(100);
}

// Escape typed into the show window, which has the pointer and so the keyboard.
void pressEscapeIn(const std::string& show) {
    shellOutput("xdotool mousemove --sync --window " + show + " 100 100 key Escape");
}

// Each test gets its own X server; the program runs from an empty folder,
// so it plays without data.
class LaunchDialogWidget : public ::testing::Test {
protected:
    void SetUp() override {
        int status = -1;
        shellOutput("command -v Xvfb && command -v xdotool && command -v xwininfo && command -v xprop", &status);
        if (status != 0) GTEST_SKIP() << "needs Xvfb, xdotool, xwininfo and xprop";
        ASSERT_TRUE(screen.start("dialog")) << "Xvfb did not start";
        folder = screen.fbdir();
    }
    // Runs the program without --play; drive(pid) works the dialog and
    // returns true once it has asked the program to end, else it is killed.
    ShowRun runDialog(const std::function<bool(int)>& drive, const std::vector<std::string>& args = {}) {
        ShowRequest request = quietShow(args, folder);
        request.timeoutSeconds = 120.0;
        request.onStop = [&](int pid) {
            if (!drive(pid)) kill(pid, SIGKILL);
        };
        return runShow(request);
    }
    OwnScreen screen;
    std::string folder;  // the screen's, and the program's working folder
};

// The marks the dialog shows, read off the screen: for each radio and box,
// whether the middle of its indicator (a circle or square of the label's
// height, two pixels in from the control's left) holds the dark dot or tick.
std::string shownMarks(const std::string& fbdir) {
    pauseMs(300);  // for the last click's redraw
    Picture screen;
    if (!readXvfbScreen(fbdir, screen)) return "no screen image";
    std::string marks;
    for (int32_t id : {kControl640x480, kControl800x600, kControl1024x768, kControl1152x864, kControlWindowed,
                       kControlNoLights, kControlNoMusic}) {
        const PixelRect r = controlRect(*findDialogControl(id));
        const int middleX = kDialogScreenX + r.x + 2 + kDialogFontPixels / 2;
        const int middleY = kDialogScreenY + r.y + r.height / 2;
        int dark = 0;
        for (int y = middleY - 1; y <= middleY + 1; ++y) {
            for (int x = middleX - 1; x <= middleX + 1; ++x) {
                const uint8_t* p = &screen.rgb[(size_t(y) * screen.width + x) * 3];
                dark += p[0] < 64 && p[1] < 64 && p[2] < 64;
            }
        }
        marks += dark >= 3 ? 'x' : '.';
    }
    return marks;
}

// Width, height and the _MOTIF_WM_HINTS of a window, as "640x480 borderless".
std::string shownWindow(const std::string& window) {
    const std::string info = shellOutput("xwininfo -id " + window);
    const std::string props = shellOutput("xprop -id " + window + " _NET_WM_STATE _MOTIF_WM_HINTS");
    const bool borderless = props.find("_MOTIF_WM_HINTS(_MOTIF_WM_HINTS) = 0x2, 0x0, 0x0") != std::string::npos;
    const bool fullscreen = props.find("FULLSCREEN") != std::string::npos;
    return std::to_string(geometryValue(info, "Width:")) + "x" + std::to_string(geometryValue(info, "Height:")) +
           (borderless ? " borderless" : "") + (fullscreen ? " fullscreen" : "");
}

// Started with settings on the command line, the dialog shows them where
// the template puts it, with its icon; clicks change what it shows and what
// plays alike, Escape and Enter do nothing, and Launch plays what is shown.
// Exit plays nothing.
TEST_F(LaunchDialogWidget, ShowsTheSettingsAndLaunchPlaysThemButExitDoesNot) {
    ShowRun run = runDialog(
        [&](int pid) {
            const std::string dialog = findWindow(pid);
            EXPECT_FALSE(dialog.empty()) << "no dialog titled Orvane";
            if (dialog.empty()) return false;
            const std::string info = shellOutput("xwininfo -id " + dialog);
            EXPECT_EQ((std::vector<int>{geometryValue(info, "Absolute upper-left X:"),
                                        geometryValue(info, "Absolute upper-left Y:"), geometryValue(info, "Width:"),
                                        geometryValue(info, "Height:")}),
                      (std::vector<int>{kDialogScreenX, kDialogScreenY, 426, 185}))
                << info;
            EXPECT_NE(shellOutput("xprop -id " + dialog + " _NET_WM_ICON").find("32 x 32"), std::string::npos);
            // Marks in the order 640x480, 800x600, 1024x768, 1152x864, Windowed, No lights, No Music.
            EXPECT_EQ(shownMarks(folder), "..x.x.x");
            for (int32_t id : {kControlWindowed, kControlNoLights, kControlNoMusic, kControl640x480})
                clickControl(dialog, id);
            shellOutput("xdotool key Escape Return");
            EXPECT_EQ(shownMarks(folder), "x....x.");
            EXPECT_TRUE(windowExists(dialog)) << "Escape or Enter closed the dialog";
            clickControl(dialog, kControlLaunch);
            const std::string show = findWindow(pid, dialog);
            EXPECT_FALSE(windowExists(dialog)) << "the dialog stays after Launch";
            if (show.empty()) return false;
            // Full screen was asked for: this display has no 640x480 mode, so
            // the show fills the screen with a borderless window, scaled.
            EXPECT_EQ(shownWindow(show), "1280x1024 borderless");
            pressEscapeIn(show);
            return true;
        },
        {"--windowed", "--size", "1024x768", "--no-music"});
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_NE(run.errors.find("Display Mode Not Compatible"), std::string::npos) << run.errors;

    // Exit ends the program at once: no show is loaded (it would name its
    // missing files) and no window follows the dialog.
    run = runDialog([&](int pid) {
        const std::string dialog = findWindow(pid);
        if (dialog.empty()) return false;
        clickControl(dialog, kControlExit);
        EXPECT_TRUE(findWindow(pid, dialog, 2000).empty()) << "a window after Exit";
        return true;
    });
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.errors.find("-=("), std::string::npos) << "the show was loaded:\n" << run.errors;
}

}  // namespace
