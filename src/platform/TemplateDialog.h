// A dialog made from a template of the program's resources (Windows): shown
// modeless at a screen position with an icon, run by the thread's message
// loop, without the dialog manager's keyboard handling (Tab, Enter and
// Escape do nothing), until its procedure closes it.
#pragma once

// What the procedure may do to the dialog's controls, by control id.
class DialogControls {
public:
    virtual bool isChecked(int id) = 0;
    // Sets a radio button or check box (for radio buttons it does not clear
    // the others: the caller's rules decide).
    virtual void check(int id) = 0;
    // Ends the dialog and its loop once the procedure returns.
    virtual void close() = 0;

protected:
    ~DialogControls() = default;
};

enum class DialogEvent { Init, Close, Command };

// Called for the dialog's creation, its close box, and every command (with
// the control's id).
using DialogProcedure = void (*)(DialogEvent event, int controlId, DialogControls& controls);

// Runs the dialog of resource template `templateId` with icon `iconId` as its
// class icon, moved to (x, y) with its size unchanged. False (nothing shown)
// when the template cannot be made into a dialog.
bool runTemplateDialog(int templateId, int iconId, int x, int y, DialogProcedure procedure);
