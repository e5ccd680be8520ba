// The launch dialog's behaviour: what each control does to runSettings and
// when the dialog closes, driven as the widgets drive it.
#include <gtest/gtest.h>

#include <vector>

#include "app/LaunchDialogLogic.h"
#include "core/RunSettings.h"

namespace {

// Stands in for the widgets: automatic radio buttons select themselves and
// clear the others before the command arrives; actions are carried out.
class FakeDialog {
public:
    FakeDialog() {
        resetRunSettings();
        carryOut(launchDialogProc(LaunchEvent::Init, 0, checks));
    }
    void click(int32_t id) {
        int radio = radioIndex(id);
        if (radio >= 0) checks = onlyChecked(radio);
        carryOut(launchDialogProc(LaunchEvent::Command, id, checks));
    }
    void closeBox() { carryOut(launchDialogProc(LaunchEvent::Close, 0, checks)); }
    RadioChecks checks;
    bool closed = false;

private:
    static int radioIndex(int32_t id) {
        for (int i = 0; i < kRadioCount; ++i)
            if (kRadioIds[i] == id) return i;
        return -1;
    }
    static RadioChecks onlyChecked(int index) {
        RadioChecks c;
        c.checked[index] = true;
        return c;
    }
    void carryOut(const LaunchAction& action) {
        ASSERT_FALSE(closed) << "event after the dialog closed";
        if (action.selectRadio != 0) {
            ASSERT_GE(radioIndex(action.selectRadio), 0);
            checks = onlyChecked(radioIndex(action.selectRadio));
        }
        closed = action.close;
    }
};

void expectSettings(int32_t width, int32_t height, bool fullscreen, bool noLights, bool noMusic, int32_t quit) {
    EXPECT_EQ(runSettings.width, width);
    EXPECT_EQ(runSettings.height, height);
    EXPECT_EQ(runSettings.fullscreen, fullscreen);
    EXPECT_EQ(runSettings.noLights, noLights);
    EXPECT_EQ(runSettings.noMusic, noMusic);
    EXPECT_EQ(runSettings.quit, quit);
}

}  // namespace

TEST(LaunchDialogLogic, InitSelects800x600AndLaunchKeepsTheDefaults) {
    FakeDialog dialog;
    EXPECT_FALSE(dialog.closed);
    for (int i = 0; i < kRadioCount; ++i) EXPECT_EQ(dialog.checks.checked[i], i == 1) << i;
    expectSettings(800, 600, true, false, false, 0);
    dialog.click(kControlLaunch);
    EXPECT_TRUE(dialog.closed);
    expectSettings(800, 600, true, false, false, 0);
}

TEST(LaunchDialogLogic, EachRadioSetsItsResolutionAndTheLastChoiceWins) {
    const int32_t sizes[kRadioCount][2] = {{640, 480}, {800, 600}, {1024, 768}, {1152, 864}};
    for (int i = 0; i < kRadioCount; ++i) {
        FakeDialog dialog;
        dialog.click(kRadioIds[i]);
        EXPECT_FALSE(dialog.closed);
        EXPECT_EQ(runSettings.width, sizes[i][0]);
        EXPECT_EQ(runSettings.height, sizes[i][1]);
    }
    FakeDialog dialog;
    dialog.click(kControl1152x864);
    dialog.click(kControl640x480);
    dialog.click(kControlLaunch);
    EXPECT_TRUE(dialog.closed);
    expectSettings(640, 480, true, false, false, 0);
}

// Any command but a box or a button scans the radios: the first checked one
// in scan order sets the size; none checked reselects 800x600 and keeps it.
TEST(LaunchDialogLogic, ScanTakesTheFirstCheckedRadio) {
    struct Case {
        std::vector<int> checked;
        int32_t id;
        int32_t width, height, selectRadio;
    } cases[] = {
        {{2, 3}, kControl1152x864, 1024, 768, 0},
        {{}, kControl1024x768, 640, 480, kControl800x600},
        {{3}, 1009, 1152, 864, 0},
    };
    for (const Case& c : cases) {
        resetRunSettings();
        runSettings.width = 640;
        runSettings.height = 480;
        RadioChecks checks;
        for (int i : c.checked) checks.checked[i] = true;
        LaunchAction action = launchDialogProc(LaunchEvent::Command, c.id, checks);
        EXPECT_EQ(runSettings.width, c.width) << c.id;
        EXPECT_EQ(runSettings.height, c.height) << c.id;
        EXPECT_EQ(action.selectRadio, c.selectRadio) << c.id;
        EXPECT_FALSE(action.close);
    }
}

TEST(LaunchDialogLogic, BoxesInvertTheirFlagOncePerCommand) {
    FakeDialog dialog;
    dialog.click(kControlWindowed);
    expectSettings(800, 600, false, false, false, 0);
    dialog.click(kControlWindowed);
    expectSettings(800, 600, true, false, false, 0);
    dialog.click(kControlNoLights);
    dialog.click(kControlNoMusic);
    expectSettings(800, 600, true, true, true, 0);
    dialog.click(kControlNoLights);
    expectSettings(800, 600, true, false, true, 0);
    EXPECT_FALSE(dialog.closed);
    EXPECT_TRUE(dialog.checks.checked[1]) << "boxes leave the radio buttons alone";
}

TEST(LaunchDialogLogic, ExitAndCloseBoxQuitButKeepTheChoices) {
    FakeDialog exitDialog;
    exitDialog.click(kControl640x480);
    exitDialog.click(kControlWindowed);
    exitDialog.click(kControlExit);
    EXPECT_TRUE(exitDialog.closed);
    expectSettings(640, 480, false, false, false, 1);

    FakeDialog closeDialog;
    closeDialog.click(kControlNoMusic);
    closeDialog.closeBox();
    EXPECT_TRUE(closeDialog.closed);
    expectSettings(800, 600, true, false, true, 1);
}

TEST(LaunchDialogLogic, LaunchClearsAnEarlierQuit) {
    resetRunSettings();
    runSettings.quit = 1;
    LaunchAction action = launchDialogProc(LaunchEvent::Command, kControlLaunch, RadioChecks{});
    EXPECT_TRUE(action.close);
    EXPECT_EQ(action.selectRadio, 0);
    EXPECT_EQ(runSettings.quit, 0);
    EXPECT_EQ(runSettings.width, 800) << "Launch does not scan the radios";
}
