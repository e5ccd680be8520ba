// The launch dialog's behaviour apart from the toolkit: which control does
// what to runSettings, and when the dialog closes. The FLTK view forwards
// every event here and carries out the returned action.
#pragma once

#include <cstdint>

// Control ids of dialog template 101.
enum LaunchControlId : int32_t {
    kControl640x480 = 1000,
    kControl800x600 = 1001,
    kControl1024x768 = 1002,
    kControlLaunch = 1003,
    kControlExit = 1004,
    kControl1152x864 = 1005,
    kControlWindowed = 1006,
    kControlNoLights = 1007,
    kControlNoMusic = 1008,
    kControlStatic = -1,  // the picture and the group box
};

// The events the dialog reacts to.
enum class LaunchEvent { Init, Close, Command };

// Number of resolution radio buttons.
constexpr int kRadioCount = 4;
// The radio buttons in the order they are scanned.
extern const int32_t kRadioIds[kRadioCount];

// Check states of the radio buttons, in kRadioIds order, at the time of the event.
struct RadioChecks {
    bool checked[kRadioCount] = {false, false, false, false};
};

// What the view must do after an event.
struct LaunchAction {
    bool close = false;       // end the dialog and its loop
    int32_t selectRadio = 0;  // radio id to select (clearing the others); 0 for none
    // Init only: the boxes to tick, so that each starts as its flag stands
    // (the command line may have set the flags before the dialog).
    bool tickWindowed = false;
    bool tickNoLights = false;
    bool tickNoMusic = false;
};

// Handles one event of the dialog, changing runSettings as the control asks.
// controlId is only read for Command.
LaunchAction launchDialogProc(LaunchEvent event, int32_t controlId, const RadioChecks& radios);
