#pragma once

#include <windows.h>

#include "app/main/Application.h"

namespace TQLibrary {

// The main window: its class, its procedure (which turns each message into one call on the
// application object it owns from WM_CREATE to WM_DESTROY) and the message loop.
bool RegisterMainWindowClass(HINSTANCE instance);
// Creates the main window hidden; the options must outlive WM_CREATE. None on failure.
HWND CreateMainWindow(HINSTANCE instance, const StartOptions& options);
Application* ApplicationOf(HWND mainWindow);
int RunMessageLoop(HWND mainWindow);
// The loop's first look at a message: a key of the accelerator table becomes its command,
// except the keys that edit text in an edit control. True when the message became a command.
bool TranslateKeyToCommand(HWND mainWindow, HACCEL accelerators, MSG& message);
// The options of a real start: the process's command line, the program's own folder and
// the user's data folder.
StartOptions ProcessStartOptions();

}  // namespace TQLibrary
