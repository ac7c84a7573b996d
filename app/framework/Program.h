#pragma once

#include <windows.h>

namespace TQLibrary {

// The program's module, whose resources hold the dialogs, menus and texts.
HINSTANCE ProgramInstance();

// The main window owns the program's dialogs and message boxes unless a caller names another
// owner. Set once, when the main window exists; none before that.
void SetMainWindow(HWND window);
HWND MainWindow();

}  // namespace TQLibrary
