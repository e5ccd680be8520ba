// The launch dialog's Windows view: template 101 of the program's resources
// itself, run by the platform, every message forwarded to launchDialogProc.
#include "app/LaunchDialog.h"

#include <cstdio>

#include "app/LaunchDialogLayout.h"
#include "app/LaunchDialogLogic.h"
#include "platform/TemplateDialog.h"

namespace {

constexpr int kDialogTemplate = 101;
constexpr int kDialogIcon = 103;

RadioChecks readRadios(DialogControls& controls) {
    RadioChecks checks;
    for (int i = 0; i < kRadioCount; ++i) checks.checked[i] = controls.isChecked(kRadioIds[i]);
    return checks;
}

void onDialogEvent(DialogEvent event, int controlId, DialogControls& controls) {
    const LaunchEvent launchEvent = event == DialogEvent::Init    ? LaunchEvent::Init
                                    : event == DialogEvent::Close ? LaunchEvent::Close
                                                                  : LaunchEvent::Command;
    const LaunchAction action = launchDialogProc(launchEvent, controlId, readRadios(controls));
    if (action.selectRadio != 0) controls.check(action.selectRadio);
    if (action.tickWindowed) controls.check(kControlWindowed);
    if (action.tickNoLights) controls.check(kControlNoLights);
    if (action.tickNoMusic) controls.check(kControlNoMusic);
    if (action.close) controls.close();
}

}  // namespace

void runLaunchDialog() {
    if (runTemplateDialog(kDialogTemplate, kDialogIcon, kDialogScreenX, kDialogScreenY, onDialogEvent)) return;
    // Without its resources the program cannot ask; it plays the settings it has.
    std::fprintf(stderr, "orvane: the launch dialog's template is missing; the show plays with the settings given\n");
}
