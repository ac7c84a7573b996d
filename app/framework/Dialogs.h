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

// The one dialog procedure: the State record (the creation parameter) lives in the user-data
// slot until WM_DESTROY, and no exception leaves the procedure. State has
//   void OnInitDialog(HWND dialog);
// and may have
//   void OnCommand(HWND dialog, int item, int notification);  // every command but IDCANCEL
//   void OnCancel(HWND dialog);     // Escape, Cancel, the close box; else the dialog ends with IDCANCEL
//   bool OnDrawItem(HWND dialog, const DRAWITEMSTRUCT& item);  // true: drawn
//   INT_PTR OnNotify(HWND dialog, NMHDR& header);   // the dialog's result for the notification
//   bool OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);  // true: handled
//   void OnDestroy(HWND dialog);
template <typename State>
INT_PTR CALLBACK DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        State* state = DialogState<State>(dialog, message, lParam);
        if (state == nullptr)
            return FALSE;
        switch (message) {
            case WM_INITDIALOG:
                state->OnInitDialog(dialog);
                return TRUE;
            case WM_COMMAND:
                if (LOWORD(wParam) == IDCANCEL) {
                    if constexpr (requires { state->OnCancel(dialog); })
                        state->OnCancel(dialog);
                    else
                        EndDialog(dialog, IDCANCEL);
                } else if constexpr (requires { state->OnCommand(dialog, 0, 0); }) {
                    state->OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
                }
                return TRUE;
            case WM_NOTIFY:
                if constexpr (requires(NMHDR & header) { state->OnNotify(dialog, header); }) {
                    SetWindowLongPtrW(dialog, DWLP_MSGRESULT,
                                      state->OnNotify(dialog, *reinterpret_cast<NMHDR*>(lParam)));
                    return TRUE;
                }
                return FALSE;
            case WM_DESTROY:
                if constexpr (requires { state->OnDestroy(dialog); })
                    state->OnDestroy(dialog);
                ForgetDialogState(dialog);
                return FALSE;
            default:
                if constexpr (requires(const DRAWITEMSTRUCT& item) { state->OnDrawItem(dialog, item); }) {
                    if (message == WM_DRAWITEM)
                        return state->OnDrawItem(dialog, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE
                                                                                                           : FALSE;
                }
                if constexpr (requires { state->OnMessage(dialog, message, wParam, lParam); })
                    return state->OnMessage(dialog, message, wParam, lParam) ? TRUE : FALSE;
                return FALSE;
        }
    } catch (...) {
        return FALSE;
    }
}

// Runs the dialog template dialogId with state as its record and DialogProcedure<State>.
template <typename State>
bool RunDialog(HWND owner, int dialogId, State& state) {
    return RunDialog(owner, dialogId, DialogProcedure<State>, &state);
}

// Centres a dialog over its owner as it comes up; in a read-only catalog its OK button is hidden
// and disabled, so the dialog can show but not change.
void PrepareDialog(HWND dialog, bool readOnly);

// The text of a dialog's control; empty when there is no such control.
std::wstring ItemText(HWND dialog, int item);

// Centres a window over its parent (or owner), or over the screen when it has none or that is
// hidden. When the parent's top-left corner is outside the work area, over the work area instead. Never
// places the window above or left of the screen's origin.
void CentreOver(HWND window);

// The desktop without the task bar; the whole screen when the system does not say.
RECT WorkArea();

}  // namespace TQLibrary
