// Dialog template 101: the dialog's size and its eleven controls in dialog
// units, and their conversion to pixels for the 8-point dialog font.
#pragma once

#include <cstdint>

// What kind of widget a control of the template is.
enum class ControlKind { DefaultButton, Button, Picture, GroupBox, Radio, CheckBox };

// One control of the template; position and size in dialog units.
struct DialogControl {
    int32_t id;
    ControlKind kind;
    int32_t x, y, width, height;
    const char* text;  // nullptr for the picture
};

// A rectangle in pixels, relative to the dialog's client area.
struct PixelRect {
    int x, y, width, height;
};

// Number of controls in the template.
constexpr int kDialogControlCount = 11;
// The controls in template order.
extern const DialogControl kDialogControls[kDialogControlCount];
// Client size of the dialog in dialog units.
constexpr int32_t kDialogWidthUnits = 284;
constexpr int32_t kDialogHeightUnits = 114;
// Title of the dialog window.
constexpr const char* kDialogTitle = "Orvane";
// Screen position of the dialog's top-left corner; pixels.
constexpr int kDialogScreenX = 100;
constexpr int kDialogScreenY = 100;
// Label size in pixels matching 8-point MS Sans Serif at 96 dpi.
constexpr int kDialogFontPixels = 11;

// Dialog units to pixels with the base units of 8-point MS Sans Serif
// (6 by 13 pixels): x * 6 / 4 and y * 13 / 8, rounded to nearest.
int dialogUnitsToPixelsX(int32_t units);
int dialogUnitsToPixelsY(int32_t units);
// A control's rectangle in pixels; edges are converted, so neighbours stay flush.
PixelRect controlRect(const DialogControl& control);
// The control with this id, or nullptr (the two static controls share -1).
const DialogControl* findDialogControl(int32_t id);
