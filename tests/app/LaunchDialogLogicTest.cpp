// The launch dialog's behaviour: what each control does to runSettings and
// when the dialog closes, driven as the widgets drive it.
#include <gtest/gtest.h>

#include <vector>

#include "app/LaunchDialogLogic.h"
#include "core/RunSettings.h"

namespace {

constexpr int32_t kCloseBox = -2;  // stands for the window's close box in a click list

// Stands in for the widgets: automatic radio buttons select themselves and
// clear the others before the command arrives; actions are carried out.
struct FakeDialog {
    RadioChecks checks;
    bool closed = false;

    static int radioIndex(int32_t id) {
        for (int i = 0; i < kRadioCount; ++i)
            if (kRadioIds[i] == id) return i;
        return -1;
    }
    void select(int32_t id) {
        checks = RadioChecks{};
        checks.checked[radioIndex(id)] = true;
    }
    void carryOut(const LaunchAction& action) {
        EXPECT_FALSE(closed) << "event after the dialog closed";
        if (action.selectRadio != 0) select(action.selectRadio);
        closed = action.close;
    }
    void click(int32_t id) {
        if (id == kCloseBox) return carryOut(launchDialogProc(LaunchEvent::Close, 0, checks));
        if (radioIndex(id) >= 0) select(id);
        carryOut(launchDialogProc(LaunchEvent::Command, id, checks));
    }
};

TEST(LaunchDialogLogic, ClicksChangeTheSettingsAndCloseTheDialog) {
    struct Case {
        const char* name;
        std::vector<int32_t> clicks;
        int32_t width, height;
        bool fullscreen, noLights, noMusic;
        int32_t quit;
        bool closed;
    } cases[] = {
        {"defaults", {}, 800, 600, true, false, false, 0, false},
        {"640x480", {kControl640x480}, 640, 480, true, false, false, 0, false},
        {"back to 800x600", {kControl640x480, kControl800x600}, 800, 600, true, false, false, 0, false},
        {"1152x864", {kControl1152x864}, 1152, 864, true, false, false, 0, false},
        {"last choice wins",
         {kControl1152x864, kControl640x480, kControlLaunch},
         640,
         480,
         true,
         false,
         false,
         0,
         true},
        {"windowed twice", {kControlWindowed, kControlWindowed}, 800, 600, true, false, false, 0, false},
        {"boxes toggle", {kControlNoLights, kControlNoMusic, kControlNoLights}, 800, 600, true, false, true, 0, false},
        {"exit keeps choices",
         {kControl640x480, kControlWindowed, kControlExit},
         640,
         480,
         false,
         false,
         false,
         1,
         true},
        {"close box", {kControlNoMusic, kCloseBox}, 800, 600, true, false, true, 1, true},
    };
    for (const Case& c : cases) {
        resetRunSettings();
        FakeDialog dialog;
        dialog.carryOut(launchDialogProc(LaunchEvent::Init, 0, dialog.checks));
        for (int32_t id : c.clicks) dialog.click(id);
        EXPECT_EQ((std::vector<int>{runSettings.width, runSettings.height, runSettings.fullscreen, runSettings.noLights,
                                    runSettings.noMusic, runSettings.quit, dialog.closed}),
                  (std::vector<int>{c.width, c.height, c.fullscreen, c.noLights, c.noMusic, c.quit, c.closed}))
            << c.name;
        // The radio of the size chosen is the one checked: boxes leave the radios alone.
        const int32_t radioWidths[kRadioCount] = {640, 800, 1024, 1152};
        for (int i = 0; i < kRadioCount; ++i)
            EXPECT_EQ(dialog.checks.checked[i], radioWidths[i] == c.width) << c.name << " radio " << i;
    }
}

// The command line sets the settings before the dialog: the dialog shows
// them, and Launch untouched plays them.
TEST(LaunchDialogLogic, StartsFromTheSettings) {
    struct Case {
        int32_t width, height;
        bool fullscreen, noLights, noMusic;
        int32_t selectRadio;
    } cases[] = {
        {1024, 768, false, true, false, kControl1024x768},
        {1152, 864, true, false, true, kControl1152x864},
        {1024, 600, true, false, false, 0},  // a width of one radio, a height of another
        {1920, 1080, false, false, false, 0},
    };
    for (const Case& c : cases) {
        resetRunSettings();
        runSettings.width = c.width;
        runSettings.height = c.height;
        runSettings.fullscreen = c.fullscreen;
        runSettings.noLights = c.noLights;
        runSettings.noMusic = c.noMusic;
        const LaunchAction init = launchDialogProc(LaunchEvent::Init, 0, RadioChecks{});
        EXPECT_EQ((std::vector<int>{init.selectRadio, init.tickWindowed, init.tickNoLights, init.tickNoMusic}),
                  (std::vector<int>{c.selectRadio, !c.fullscreen, c.noLights, c.noMusic}))
            << c.width << "x" << c.height;
        launchDialogProc(LaunchEvent::Command, kControlLaunch, RadioChecks{});
        EXPECT_EQ((std::vector<int>{runSettings.width, runSettings.height, runSettings.fullscreen, runSettings.noLights,
                                    runSettings.noMusic}),
                  (std::vector<int>{c.width, c.height, c.fullscreen, c.noLights, c.noMusic}));
    }
}

// Any command but a box or a button scans the radios: the first checked one
// in scan order sets the size; none checked reselects 800x600 and keeps it.
// Launch reads no radio and clears an earlier quit.
TEST(LaunchDialogLogic, CommandsScanTheRadiosInOrder) {
    struct Case {
        std::vector<int> checked;
        int32_t id;
        int32_t width, height, selectRadio;
        bool close;
    } cases[] = {
        {{2, 3}, kControl1152x864, 1024, 768, 0, false},
        {{}, kControl1024x768, 640, 480, kControl800x600, false},
        {{3}, 1009, 1152, 864, 0, false},
        {{3}, kControlLaunch, 640, 480, 0, true},
    };
    for (const Case& c : cases) {
        resetRunSettings();
        runSettings.width = 640;
        runSettings.height = 480;
        runSettings.quit = 1;
        RadioChecks checks;
        for (int i : c.checked) checks.checked[i] = true;
        const LaunchAction action = launchDialogProc(LaunchEvent::Command, c.id, checks);
        EXPECT_EQ((std::vector<int>{runSettings.width, runSettings.height, action.selectRadio, action.close,
                                    runSettings.quit}),
                  (std::vector<int>{c.width, c.height, c.selectRadio, c.close, c.close ? 0 : 1}))
            << c.id;
    }
}

}  // namespace
