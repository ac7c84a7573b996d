#pragma once

#include <windows.h>

#include <string>

namespace TQLibrary {

// Runs the program's dialog template dialogId modally over owner (the main window when none
// is given), with state as its creation parameter. Accepted exactly when the dialog ended
// with 1 (IDOK); any other end, and a dialog that could not be made, is not.
bool RunDialog(HWND owner, int dialogId, DLGPROC procedure, void* state);

// A dialog's state record lives in its user-data slot from WM_INITDIALOG on, where it arrives
// as the creation parameter. Call at the top of a dialog procedure with every message: stores
// the record at WM_INITDIALOG and finds it afterwards; none for messages that come before.
template <typename State>
State* DialogState(HWND dialog, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
        return reinterpret_cast<State*>(lParam);
    }
    return reinterpret_cast<State*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
}

// Clears the slot (at WM_DESTROY) so no late message reaches a record that is gone.
void ForgetDialogState(HWND dialog);

// The text of a dialog's control; empty when there is no such control.
std::wstring ItemText(HWND dialog, int item);

// Centres a window over its parent (or owner), or over the screen when it has none. When the
// parent's top-left corner is outside the work area, over the work area instead. Never
// places the window above or left of the screen's origin.
void CentreOver(HWND window);

// The desktop without the task bar; the whole screen when the system does not say.
RECT WorkArea();

}  // namespace TQLibrary
