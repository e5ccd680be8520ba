#include "app/LaunchDialogLayout.h"

#include "app/LaunchDialogLogic.h"

// Dialog base units of 8-point MS Sans Serif; pixels per 4 horizontal and
// per 8 vertical dialog units.
constexpr int32_t kBaseUnitX = 6;
constexpr int32_t kBaseUnitY = 13;

const DialogControl kDialogControls[kDialogControlCount] = {
    {kControlLaunch, ControlKind::DefaultButton, 120, 92, 50, 14, "Launch"},
    {kControlExit, ControlKind::Button, 219, 93, 50, 14, "Exit"},
    {kControlStatic, ControlKind::Picture, 7, 7, 100, 100, nullptr},
    {kControlStatic, ControlKind::GroupBox, 119, 13, 151, 72, "OpenGL"},
    {kControl640x480, ControlKind::Radio, 131, 28, 43, 13, "640x480"},
    {kControl800x600, ControlKind::Radio, 131, 42, 48, 11, "800x600"},
    {kControl1024x768, ControlKind::Radio, 131, 54, 48, 12, "1024x768"},
    {kControl1152x864, ControlKind::Radio, 131, 68, 53, 11, "1152x864"},
    {kControlWindowed, ControlKind::CheckBox, 203, 30, 53, 10, "Windowed"},
    {kControlNoLights, ControlKind::CheckBox, 203, 45, 54, 14, "No lights"},
    {kControlNoMusic, ControlKind::CheckBox, 204, 65, 45, 11, "No Music"},
};

int dialogUnitsToPixelsX(int32_t units) { return (units * kBaseUnitX + 2) / 4; }

int dialogUnitsToPixelsY(int32_t units) { return (units * kBaseUnitY + 4) / 8; }

PixelRect controlRect(const DialogControl& control) {
    int left = dialogUnitsToPixelsX(control.x);
    int top = dialogUnitsToPixelsY(control.y);
    int right = dialogUnitsToPixelsX(control.x + control.width);
    int bottom = dialogUnitsToPixelsY(control.y + control.height);
    return {left, top, right - left, bottom - top};
}

const DialogControl* findDialogControl(int32_t id) {
    for (const DialogControl& control : kDialogControls) {
        if (control.id == id) return &control;
    }
    return nullptr;
}
