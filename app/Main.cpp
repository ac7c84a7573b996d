// The program's entry point.
#include <windows.h>

#include "app/Application.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace TQLibrary;
    if (!RegisterMainWindowClass(instance))
        return 1;
    const StartOptions options = ProcessStartOptions();
    HWND mainWindow = CreateMainWindow(instance, options);
    if (mainWindow == nullptr)
        return 1;
    return RunMessageLoop(mainWindow);
}
