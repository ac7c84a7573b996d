// The program's entry point.
#include <windows.h>
#include <objbase.h>

#include "app/main/MainWindow.h"
#include "base/Handles.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace TQLibrary;
    // The shell's folder chooser needs COM on this thread.
    ComApartment com(COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    if (!RegisterMainWindowClass(instance))
        return 1;
    const StartOptions options = ProcessStartOptions();
    HWND mainWindow = CreateMainWindow(instance, options);
    if (mainWindow == nullptr)
        return 1;
    return RunMessageLoop(mainWindow);
}
