#include <windows.h>
#include <commctrl.h>

#include <optional>

#include "app/framework/WindowRecord.h"

namespace TQLibrary {

namespace {

LRESULT Forward(const WindowRecord& record, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = record.ProcedureFor(window);
    if (previous == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    return CallWindowProcW(previous, window, message, wParam, lParam);
}

void ShowContextMenu(WindowRecord& record) {
    if (!record.contextMenu)
        return;
    HMENU popup = GetSubMenu(record.contextMenu.Get(), 0);
    if (popup == nullptr)
        return;
    if (record.menuHook)
        record.menuHook(popup, record.hookUserData);
    POINT cursor{};
    GetCursorPos(&cursor);
    // A pop-up menu of a window that is not in the foreground does not close when the user
    // clicks elsewhere.
    if (GetForegroundWindow() == record.menuOwner || SetForegroundWindow(record.menuOwner))
        TrackPopupMenu(popup, TPM_BOTTOMALIGN, cursor.x, cursor.y, 0, record.menuOwner, nullptr);
}

// Whether at least one handler took the command.
bool OnCommand(WindowRecord& record, int commandId, int notification) {
    bool handled = false;
    // By index: a handler may add handlers.
    for (size_t i = 0; i < record.commandHandlers.size(); ++i) {
        CommandEntry entry = record.commandHandlers[i];
        if (entry.commandId != commandId)
            continue;
        if (entry.handler)
            entry.handler(entry.userData, notification);
        handled = true;
    }
    return handled;
}

LRESULT Dispatch(WindowRecord& record, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (record.messageFilter) {
        // A copy: the filter may replace itself.
        const TQWindow::MessageFilter filter = record.messageFilter;
        if (std::optional<LRESULT> result = filter(window, message, wParam, lParam))
            return *result;
    }
    switch (message) {
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:  // a quick second click must not reach the control either
            ShowContextMenu(record);
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header == nullptr)
                break;
            // Only true children: the window's own tooltip is a pop-up and stays with it.
            if (record.forwardNotifications && GetAncestor(header->hwndFrom, GA_PARENT) == window &&
                GetParent(window) != nullptr)
                return SendMessageW(GetParent(window), WM_NOTIFY, wParam, lParam);
            if (header->code == static_cast<UINT>(NM_RCLICK)) {
                ShowContextMenu(record);
                return 0;
            }
            break;
        }
        case WM_COMMAND:
            if (OnCommand(record, LOWORD(wParam), HIWORD(wParam)))
                return 0;
            break;
        case WM_DESTROY:
            return 0;
        case WM_NCDESTROY: {
            LRESULT result = Forward(record, window, message, wParam, lParam);
            record.Forget(window);
            return result;
        }
        case WM_MOUSEWHEEL:
            // Only a window that asked for the wheel takes it; others scroll as they always do.
            if (!record.wheelHandler)
                break;
            record.wheelHandler(GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        default:
            break;
    }
    return Forward(record, window, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* record = reinterpret_cast<WindowRecord*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (record == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    try {
        return Dispatch(*record, window, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

}  // namespace TQLibrary
