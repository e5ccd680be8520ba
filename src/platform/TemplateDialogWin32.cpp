// The resource-template dialog on Win32: CreateDialogParamA on the desktop,
// hidden while its class icon and position are set, then the thread's plain
// message loop (no IsDialogMessage) until the procedure closes it.
#include <windows.h>

#include "platform/TemplateDialog.h"

namespace {

// The controls of the one dialog running (lifetime: runTemplateDialog).
class Win32Controls : public DialogControls {
public:
    HWND dialog = nullptr;
    bool closing = false;
    bool isChecked(int id) override { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }
    void check(int id) override { SendDlgItemMessageA(dialog, id, BM_SETCHECK, BST_CHECKED, 0); }
    void close() override { closing = true; }
};

Win32Controls controls;
DialogProcedure procedure = nullptr;

// Forwards the messages the dialog answers; closing ends the dialog and posts
// the quit message that ends the loop.
INT_PTR CALLBACK dialogMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    controls.dialog = dialog;
    switch (message) {
    case WM_INITDIALOG: procedure(DialogEvent::Init, 0, controls); return FALSE;
    case WM_CLOSE: procedure(DialogEvent::Close, 0, controls); break;
    case WM_COMMAND: procedure(DialogEvent::Command, LOWORD(wParam), controls); break;
    default: return FALSE;
    }
    if (!controls.closing) return FALSE;
    EndDialog(dialog, 0);
    PostQuitMessage(0);
    return TRUE;
}

}  // namespace

bool runTemplateDialog(int templateId, int iconId, int x, int y, DialogProcedure dialogProcedure) {
    controls = Win32Controls{};
    procedure = dialogProcedure;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const HWND dialog =
        CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), GetDesktopWindow(), dialogMessage, 0);
    if (dialog == nullptr) return false;
    ShowWindow(dialog, SW_HIDE);
    SetClassLongPtrA(dialog, GCLP_HICON, reinterpret_cast<LONG_PTR>(LoadIconA(instance, MAKEINTRESOURCEA(iconId))));
    RECT frame{};
    GetWindowRect(dialog, &frame);
    MoveWindow(dialog, x, y, frame.right - frame.left, frame.bottom - frame.top, TRUE);
    ShowWindow(dialog, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DestroyWindow(dialog);
    return true;
}
