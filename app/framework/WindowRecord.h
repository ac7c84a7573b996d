#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/framework/TQWindow.h"
#include "base/Handles.h"

namespace TQLibrary {

struct CommandEntry {
    int commandId;
    TQWindow::CommandHandler handler;
    void* userData;
};

// A window the object wrapped before the current one.
struct AttachedWindow {
    HWND window;
    bool attached;
    // None when the window was not subclassed.
    WNDPROC previousProcedure;
};

// Everything the subclass procedure needs; the window's user-data slot points here.
struct WindowRecord {
    TQWindow::WheelHandler wheelHandler;
    TQWindow::MenuHook menuHook;
    TQWindow::MessageFilter messageFilter;
    std::vector<CommandEntry> commandHandlers;
    std::vector<AttachedWindow> attachStack;
    // None while the current window is not subclassed.
    WNDPROC previousProcedure = nullptr;
    void* hookUserData = nullptr;
    std::wstring text;
    bool textSet = false;
    MenuHandle contextMenu;
    HWND window = nullptr;
    HWND menuOwner = nullptr;
    bool attached = false;
    bool forwardNotifications = false;

    // The procedure that messages of a subclassed window go on to: the current window's, or
    // that of a window further down the attach stack.
    WNDPROC ProcedureFor(HWND subclassed) const;
    // A window destroyed behind the object's back is forgotten, never destroyed again.
    void Forget(HWND destroyed);
};

// The one subclass procedure of every bound window.
LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace TQLibrary
