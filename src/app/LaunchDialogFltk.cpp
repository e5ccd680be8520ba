// The launch dialog's FLTK view (Linux): builds template 101 as widgets and forwards
// every event to launchDialogProc, which owns the behaviour.
#include "app/LaunchDialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_RGB_Image.H>
#include <FL/Fl_Round_Button.H>
#include <FL/fl_draw.H>

#include <cstdint>

#include "app/LaunchDialogLayout.h"
#include "app/LaunchDialogLogic.h"
#include "app/LaunchDialogPictures.h"

namespace {

// Gap between a group box's left edge and its label; pixels.
constexpr int kGroupLabelIndent = 8;
// Room left and right of the group box label where the frame line breaks; pixels.
constexpr int kGroupLabelPad = 2;
// RGB bytes per pixel of the decoded pictures.
constexpr int kRgbDepth = 3;

// The dialog window. It takes no keys at all: without a dialog manager, Tab,
// Enter, Space and Escape do nothing (Escape would otherwise close it).
class LaunchWindow : public Fl_Double_Window {
public:
    LaunchWindow(int w, int h, const char* title) : Fl_Double_Window(w, h, title) {}
    int handle(int event) override {
        if (event == FL_KEYBOARD || event == FL_KEYUP || event == FL_SHORTCUT) return 1;
        return Fl_Double_Window::handle(event);
    }
};

// The default push button: a plain button inside a one-pixel black frame.
class DefaultButton : public Fl_Button {
public:
    DefaultButton(int x, int y, int w, int h, const char* text) : Fl_Button(x, y, w, h, text) {}
    void draw() override {
        Fl_Button::draw();
        fl_color(FL_BLACK);
        fl_rect(x(), y(), w(), h());
    }
};

// A group box: an engraved frame whose top line starts half a text line down
// and breaks for the label.
class GroupBox : public Fl_Box {
public:
    GroupBox(int x, int y, int w, int h, const char* text) : Fl_Box(x, y, w, h, text) {}
    void draw() override {
        fl_font(labelfont(), labelsize());
        int textHeight = fl_height();
        int top = y() + textHeight / 2;
        draw_box(FL_ENGRAVED_FRAME, x(), top, w(), h() - (top - y()), color());
        int labelWidth = int(fl_width(label())) + 2 * kGroupLabelPad;
        int labelX = x() + kGroupLabelIndent;
        fl_color(color());
        fl_rectf(labelX, top - 1, labelWidth, 3);
        fl_color(labelcolor());
        fl_draw(label(), labelX + kGroupLabelPad, y() + textHeight - fl_descent());
    }
};

// The dialog's widgets and the pictures they show; lives for one dialog run.
struct LaunchView {
    LaunchWindow* window = nullptr;
    Fl_Round_Button* radios[kRadioCount] = {};
    Fl_Check_Button* windowed = nullptr;
    Fl_Check_Button* noLights = nullptr;
    Fl_Check_Button* noMusic = nullptr;
};

// Lifetime: one runLaunchDialog call.
LaunchView view;

// The radio button widget of a control id, or nullptr.
Fl_Round_Button* radioWidget(int32_t id) {
    for (int i = 0; i < kRadioCount; ++i) {
        if (kRadioIds[i] == id) return view.radios[i];
    }
    return nullptr;
}

// The radio buttons' check states, as the logic scans them.
RadioChecks readRadios() {
    RadioChecks checks;
    for (int i = 0; i < kRadioCount; ++i) checks.checked[i] = view.radios[i]->value() != 0;
    return checks;
}

// Applies what the logic decided to the widgets.
void carryOut(const LaunchAction& action) {
    if (Fl_Round_Button* radio = radioWidget(action.selectRadio)) radio->setonly();
    if (action.tickWindowed) view.windowed->value(1);
    if (action.tickNoLights) view.noLights->value(1);
    if (action.tickNoMusic) view.noMusic->value(1);
    if (action.close) view.window->hide();
}

// Every control's callback; the control id rides in the user data.
void onControl(Fl_Widget*, void* id) {
    carryOut(launchDialogProc(LaunchEvent::Command, int32_t(reinterpret_cast<intptr_t>(id)), readRadios()));
}

// The close box. FLTK also calls this for Escape, which must do nothing.
void onWindowClose(Fl_Widget*, void*) {
    if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape) return;
    carryOut(launchDialogProc(LaunchEvent::Close, 0, RadioChecks{}));
}

// One widget of the template, sized and labelled in the dialog font.
Fl_Widget* makeControl(const DialogControl& control, Fl_Image* picture) {
    PixelRect r = controlRect(control);
    Fl_Widget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::DefaultButton: widget = new DefaultButton(r.x, r.y, r.width, r.height, control.text); break;
    case ControlKind::Button: widget = new Fl_Button(r.x, r.y, r.width, r.height, control.text); break;
    case ControlKind::Picture:
        widget = new Fl_Box(r.x, r.y, r.width, r.height);
        widget->image(picture);  // centred, clipped to the control
        break;
    case ControlKind::GroupBox: widget = new GroupBox(r.x, r.y, r.width, r.height, control.text); break;
    case ControlKind::Radio: {
        Fl_Round_Button* radio = new Fl_Round_Button(r.x, r.y, r.width, r.height, control.text);
        radio->type(FL_RADIO_BUTTON);
        radio->when(FL_WHEN_RELEASE_ALWAYS);  // a click on the selected one is a command too
        widget = radio;
        break;
    }
    case ControlKind::CheckBox: widget = new Fl_Check_Button(r.x, r.y, r.width, r.height, control.text); break;
    }
    widget->labelsize(kDialogFontPixels);
    widget->clear_visible_focus();
    if (control.id != kControlStatic) widget->callback(onControl, reinterpret_cast<void*>(intptr_t(control.id)));
    return widget;
}

// All eleven controls in template order, remembering the radio buttons and
// the boxes.
void buildControls(Fl_Image* picture) {
    for (const DialogControl& control : kDialogControls) {
        Fl_Widget* widget = makeControl(control, picture);
        for (int i = 0; i < kRadioCount; ++i) {
            if (kRadioIds[i] == control.id) view.radios[i] = static_cast<Fl_Round_Button*>(widget);
        }
        if (control.kind != ControlKind::CheckBox) continue;
        Fl_Check_Button* box = static_cast<Fl_Check_Button*>(widget);
        if (control.id == kControlWindowed) view.windowed = box;
        if (control.id == kControlNoLights) view.noLights = box;
        if (control.id == kControlNoMusic) view.noMusic = box;
    }
}

}  // namespace

void runLaunchDialog() {
    DialogPicture bitmap = loadDialogBitmap();
    DialogPicture icon = loadDialogIcon();
    Fl_RGB_Image bitmapImage(bitmap.rgb.data(), bitmap.width, bitmap.height, kRgbDepth);
    Fl_RGB_Image iconImage(icon.rgb.data(), icon.width, icon.height, kRgbDepth);

    LaunchWindow window(dialogUnitsToPixelsX(kDialogWidthUnits), dialogUnitsToPixelsY(kDialogHeightUnits),
                        kDialogTitle);
    view.window = &window;
    buildControls(bitmap.rgb.empty() ? nullptr : &bitmapImage);
    window.end();
    window.callback(onWindowClose);
    if (!icon.rgb.empty()) window.icon(&iconImage);
    window.position(kDialogScreenX, kDialogScreenY);

    carryOut(launchDialogProc(LaunchEvent::Init, 0, readRadios()));
    window.show();
    while (window.shown()) Fl::wait();
    view = LaunchView{};
    Fl::flush();
}
