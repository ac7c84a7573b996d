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

// Where a menu asked for from the keyboard opens, in screen pixels: below the focused row of a
// list, else at the window's top left corner.
POINT KeyboardMenuPoint(HWND window) {
    POINT point{4, 4};
    RECT row{};
    row.left = LVIR_LABEL;
    const auto focused = static_cast<int>(SendMessageW(window, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (lstrcmpiW(className, WC_LISTVIEWW) == 0 && focused >= 0 &&
        SendMessageW(window, LVM_GETITEMRECT, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&row)))
        point = {row.left + 4, row.bottom};
    ClientToScreen(window, &point);
    return point;
}

// At the mouse pointer, or where the keyboard asks for it (Shift+F10, the menu key).
void ShowContextMenu(WindowRecord& record, HWND window, bool fromKeyboard) {
    if (!record.contextMenu)
        return;
    HMENU popup = GetSubMenu(record.contextMenu.Get(), 0);
    if (popup == nullptr)
        return;
    if (record.menuHook)
        record.menuHook(popup, record.hookUserData);
    POINT at{};
    if (fromKeyboard)
        at = KeyboardMenuPoint(window);
    else
        GetCursorPos(&at);
    // A pop-up menu of a window that is not in the foreground does not close when the user
    // clicks elsewhere.
    if (GetForegroundWindow() == record.menuOwner || SetForegroundWindow(record.menuOwner))
        TrackPopupMenu(popup, fromKeyboard ? TPM_TOPALIGN : TPM_BOTTOMALIGN, at.x, at.y, 0, record.menuOwner, nullptr);
}

bool IsContextMenuKey(WPARAM key) {
    return key == VK_APPS || (key == VK_F10 && GetKeyState(VK_SHIFT) < 0);
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
            ShowContextMenu(record, window, false);
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (record.contextMenu && IsContextMenuKey(wParam)) {
                ShowContextMenu(record, window, true);
                return 0;
            }
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            // The key's release would have the system ask for the menu a second time.
            if (record.contextMenu && IsContextMenuKey(wParam))
                return 0;
            break;
        case WM_CONTEXTMENU:
            if (record.contextMenu && lParam == -1) {
                ShowContextMenu(record, window, true);
                return 0;
            }
            break;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header == nullptr)
                break;
            // Only true children: the window's own tooltip is a pop-up and stays with it.
            if (record.forwardNotifications && GetAncestor(header->hwndFrom, GA_PARENT) == window &&
                GetParent(window) != nullptr)
                return SendMessageW(GetParent(window), WM_NOTIFY, wParam, lParam);
            if (header->code == static_cast<UINT>(NM_RCLICK)) {
                ShowContextMenu(record, window, false);
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
