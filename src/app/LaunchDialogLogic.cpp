#include "app/LaunchDialogLogic.h"

#include "core/RunSettings.h"

const int32_t kRadioIds[kRadioCount] = {kControl640x480, kControl800x600, kControl1024x768, kControl1152x864};

namespace {

// Resolution of each radio button, in kRadioIds order; pixels.
constexpr int32_t kRadioWidths[kRadioCount] = {640, 800, 1024, 1152};
constexpr int32_t kRadioHeights[kRadioCount] = {480, 600, 768, 864};

// Launch, Exit and the close box: record the choice and end the dialog.
LaunchAction closeDialog(int32_t quit) {
    runSettings.quit = quit;
    LaunchAction action;
    action.close = true;
    return action;
}

// The first selected radio button sets the resolution; with none selected,
// 800x600 is selected again and the resolution is left alone.
LaunchAction scanRadios(const RadioChecks& radios) {
    LaunchAction action;
    for (int i = 0; i < kRadioCount; ++i) {
        if (radios.checked[i]) {
            runSettings.width = kRadioWidths[i];
            runSettings.height = kRadioHeights[i];
            return action;
        }
    }
    action.selectRadio = kControl800x600;
    return action;
}

// A command from a control, by its id.
LaunchAction command(int32_t controlId, const RadioChecks& radios) {
    switch (controlId) {
    case kControlLaunch: return closeDialog(0);
    case kControlExit: return closeDialog(1);
    // The boxes toggle their flags rather than read the box: one command,
    // one inversion, and box and flag change together.
    case kControlWindowed: runSettings.fullscreen = !runSettings.fullscreen; return {};
    case kControlNoLights: runSettings.noLights = !runSettings.noLights; return {};
    case kControlNoMusic: runSettings.noMusic = !runSettings.noMusic; return {};
    default: return scanRadios(radios);
    }
}

// The dialog starts from the settings: the radio of the size when it is one
// of the four (else none, and the size stands until a radio is clicked), and
// each box ticked when its flag is set.
LaunchAction initDialog() {
    LaunchAction action;
    for (int i = 0; i < kRadioCount; ++i) {
        if (runSettings.width == kRadioWidths[i] && runSettings.height == kRadioHeights[i]) {
            action.selectRadio = kRadioIds[i];
        }
    }
    action.tickWindowed = !runSettings.fullscreen;
    action.tickNoLights = runSettings.noLights;
    action.tickNoMusic = runSettings.noMusic;
    return action;
}

}  // namespace

LaunchAction launchDialogProc(LaunchEvent event, int32_t controlId, const RadioChecks& radios) {
    switch (event) {
    case LaunchEvent::Init: return initDialog();
    case LaunchEvent::Close: return closeDialog(1);
    case LaunchEvent::Command: return command(controlId, radios);
    }
    return {};
}
